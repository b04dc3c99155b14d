#include "text/CollationText.h"

#include "text/Cp932.h"
#include "text/StandIns.h"

std::u16string& ToCollationText(std::string_view cp932, std::u16string& out, const TStandInMap* standIns)
{
    out.clear();
    for (std::size_t i = 0; i < cp932.size();) {
        // ASCII stands for itself in CP932; a sort compares its lines many times over.
        if (static_cast<unsigned char>(cp932[i]) < 0x80) {
            out += static_cast<char16_t>(cp932[i++]);
            continue;
        }
        const std::size_t length = CharLengthAt(cp932, i);
        const unsigned char first = static_cast<unsigned char>(cp932[i]);
        const auto code = static_cast<std::uint16_t>(length == 2 ? first * 256 + static_cast<unsigned char>(cp932[i + 1]) : first);
        // A lead byte at the very end is never a character, even where its value alone
        // would be one in the table.
        const std::int32_t unicode = IsLeadByte(first) && length == 1 ? -1
                                     : standIns                          ? standIns->CharacterOf(code)
                                                                         : Cp932CodeToUnicode(code);
        if (unicode >= 0) {
            AppendUtf16(out, static_cast<char32_t>(unicode));
        } else {
            for (std::size_t k = 0; k < length; ++k)
                out += static_cast<char16_t>(kStrayByteBase + static_cast<unsigned char>(cp932[i + k]));
        }
        i += length;
    }
    return out;
}
