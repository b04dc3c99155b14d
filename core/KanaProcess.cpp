// Kana conversion: every double-byte character found in one kana table is replaced by the
// entry at the same index of the other; single-byte characters never change. Both tables
// hold double-byte characters only, so the text keeps its length and is converted in place.
#include "core/KanaProcess.h"

#include <array>
#include <cstdint>

#include "core/ConvertTables.h"
#include "text/Cp932.h"

namespace {

// Replacement codes by the source character's code, 0 where the character stays. Every
// kana of both tables has the lead byte 0x82 or 0x83.
class KanaMap {
public:
    KanaMap(const CharTable& from, const CharTable& to)
    {
        for (std::size_t k = 0; k < from.Count(); ++k) {
            const std::string_view source = from.Entry(k), target = to.Entry(k);
            codes_[Slot(source[0], source[1])] = static_cast<std::uint16_t>(Byte(target[0]) << 8 | Byte(target[1]));
        }
    }
    // The replacement of the character with these bytes, or 0.
    std::uint16_t Find(char lead, char trail) const
    {
        const unsigned l = Byte(lead);
        return l == 0x82 || l == 0x83 ? codes_[Slot(lead, trail)] : 0;
    }

private:
    static unsigned Byte(char c) { return static_cast<unsigned char>(c); }
    static std::size_t Slot(char lead, char trail) { return (Byte(lead) - 0x82) * 256 + Byte(trail); }
    std::array<std::uint16_t, 512> codes_{};
};

}  // namespace

std::string ProcessKana(std::string text, const EditSet& set)
{
    // Values that name no conversion come only from a hand-edited settings file; like Keep
    // they leave the text alone.
    const bool toKatakanaChosen = set.KanaMethod == KanaConversion::ToKatakana;
    if (!toKatakanaChosen && set.KanaMethod != KanaConversion::ToHiragana) return text;
    static const KanaMap toKatakana(HiraganaTable, KatakanaTable), toHiragana(KatakanaTable, HiraganaTable);
    const KanaMap& map = toKatakanaChosen ? toKatakana : toHiragana;

    char* const bytes = text.data();
    const std::size_t size = text.size();
    for (std::size_t i = 0; i < size;) {
        if (!IsLeadByte(bytes[i]) || i + 1 == size) {  // a single byte, or a lead byte left alone at the end
            ++i;
            continue;
        }
        if (const std::uint16_t code = map.Find(bytes[i], bytes[i + 1])) {
            bytes[i] = static_cast<char>(code >> 8);
            bytes[i + 1] = static_cast<char>(code & 0xFF);
        }
        i += 2;
    }
    return text;
}
