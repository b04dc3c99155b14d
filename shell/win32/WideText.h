// CP932 text as the wide Win32 calls take it, through our own conversion tables, so the
// windows show Japanese on any system locale. Two conversions side by side: the strict
// one for text that is edited and stored (it raises EEncodingError rather than change a
// character), the lenient one for what is only shown (captions, tips, messages), which
// must never fail (see DisplayText).
#pragma once

#include <string>
#include <string_view>

#include "text/Cp932.h"
#include "text/DisplayText.h"

inline std::wstring ToWide(std::string_view cp932)
{
    const std::u16string utf16 = Cp932ToUtf16(cp932);
    return std::wstring(utf16.begin(), utf16.end());
}

inline std::string FromWide(std::wstring_view wide)
{
    return Utf16ToCp932(std::u16string(wide.begin(), wide.end()));
}

inline std::wstring WideDisplayText(std::string_view cp932, const TStandInMap* standIns = nullptr)
{
    const std::u16string text = DisplayText(cp932, standIns);
    return std::wstring(text.begin(), text.end());
}
