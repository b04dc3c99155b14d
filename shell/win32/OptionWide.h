// CP932 text to and from the UTF-16 that the wide Win32 calls take, through our own
// conversion tables, so the dialog shows Japanese on any system locale.
#pragma once

#include <string>
#include <string_view>

#include "core/Cp932.h"

inline std::wstring ToWide(std::string_view cp932)
{
    const std::u16string utf16 = Cp932ToUtf16(cp932);
    return std::wstring(utf16.begin(), utf16.end());
}

inline std::string FromWide(std::wstring_view wide)
{
    return Utf16ToCp932(std::u16string(wide.begin(), wide.end()));
}
