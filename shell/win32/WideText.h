// CP932 text as the wide Win32 calls take it, converted leniently for display: captions,
// tips and messages show whatever can be shown instead of failing (see DisplayText).
#pragma once

#include <string>
#include <string_view>

#include "shell/DisplayText.h"

inline std::wstring WideDisplayText(std::string_view cp932)
{
    const std::u16string text = DisplayText(cp932);
    return std::wstring(text.begin(), text.end());
}
