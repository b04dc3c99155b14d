#include "text/DisplayText.h"

#include <cstdint>

#include "text/Cp932.h"
#include "text/StandIns.h"

std::u16string DisplayText(std::string_view cp932, const TStandInMap* standIns)
{
    constexpr char16_t kReplacement = 0xFFFD;
    std::u16string out;
    out.reserve(cp932.size());
    for (std::size_t i = 0; i < cp932.size();) {
        const std::size_t width = CharLengthAt(cp932, i);
        if (width == 1 && IsLeadByte(cp932[i])) break;  // the cut half of a double-byte character
        std::uint16_t code = static_cast<unsigned char>(cp932[i]);
        if (width == 2) code = static_cast<std::uint16_t>(code * 256 + static_cast<unsigned char>(cp932[i + 1]));
        const std::int32_t codePoint = standIns ? standIns->CharacterOf(code) : Cp932CodeToUnicode(code);
        AppendUtf16(out, codePoint < 0 ? kReplacement : static_cast<char32_t>(codePoint));
        i += width;
    }
    return out;
}
