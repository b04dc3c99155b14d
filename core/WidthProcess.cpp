// Width conversion. Full to half works on double-byte characters only; half to full works
// on single-byte characters only, and with IfHnKn folds a half-width kana followed by a
// voicing mark into one full-width voiced katakana.
#include "core/WidthProcess.h"

#include <array>
#include <stdexcept>
#include <string_view>

#include "core/ConvertTables.h"
#include "text/Cp932.h"

namespace {

bool IsMark(unsigned char b) { return b == kVoicedMark || b == kSemiVoicedMark; }

// The half-width forms of full-width characters by their codes, empty for characters
// without one. Every full-width character of the tables has the lead byte 0x81, 0x82 or
// 0x83.
class HalfWidthMap {
public:
    explicit HalfWidthMap(bool withKana)
    {
        if (withKana) {
            Add(FullVoicedTable, HalfVoicedTable);
            Add(FullKanaTable, HalfKanaTable);
        }
        Add(FullAsciiTable, HalfAsciiTable);  // last, so it wins as it is looked up first
    }
    std::string_view Find(char lead, char trail) const
    {
        const unsigned l = Byte(lead);
        if (l < kFirstLead || l > kLastLead) return {};
        const Form& form = forms_[Slot(lead, trail)];
        return {form.Bytes, form.Length};
    }

private:
    static constexpr unsigned kFirstLead = 0x81, kLastLead = 0x83;
    struct Form {
        char Bytes[2] = {};
        std::size_t Length = 0;
    };
    static unsigned Byte(char c) { return static_cast<unsigned char>(c); }
    static std::size_t Slot(char lead, char trail) { return (Byte(lead) - kFirstLead) * 256 + Byte(trail); }
    void Add(const CharTable& full, const CharTable& half)
    {
        for (std::size_t k = 0; k < full.Count(); ++k) {
            const std::string_view from = full.Entry(k), to = half.Entry(k);
            if (Byte(from[0]) < kFirstLead || Byte(from[0]) > kLastLead) throw std::logic_error("width table lead byte");
            Form& form = forms_[Slot(from[0], from[1])];
            form.Length = to.size();
            to.copy(form.Bytes, to.size());
        }
    }
    std::array<Form, (kLastLead - kFirstLead + 1) * 256> forms_{};
};

// Full to half width in place: no form is longer than its character.
void ToHalfInPlace(std::string& text, bool withKana)
{
    static const HalfWidthMap asciiOnly(false), withKatakana(true);
    const HalfWidthMap& map = withKana ? withKatakana : asciiOnly;
    char* const bytes = text.data();
    const std::size_t size = text.size();
    std::size_t out = 0;
    for (std::size_t i = 0; i < size;) {
        if (!IsLeadByte(bytes[i]) || i + 1 == size) {
            bytes[out++] = bytes[i++];
            continue;
        }
        std::string_view half = map.Find(bytes[i], bytes[i + 1]);
        if (half.empty()) half = std::string_view(bytes + i, 2);
        for (const char c : half) bytes[out++] = c;  // out + 2 <= i + 2: nothing unread is overwritten
        i += 2;
    }
    text.resize(out);
}

// The full-width form of the single-byte character at pos, or that byte itself.
// A kana byte followed by a mark is read as a pair: a voiced katakana when the pair is
// in the table, else both bytes kept as they are. The mark is not consumed here: marks
// reached on their own are dropped, so it vanishes on the next step either way.
std::string_view ToFull(std::string_view text, std::size_t pos, bool withKana)
{
    const auto x = static_cast<unsigned char>(text[pos]);
    if (x >= 0x20 && x <= 0x7E) return FullAsciiTable.Entry(x - 0x20);
    if (!withKana) return text.substr(pos, 1);
    if (IsMark(x)) return {};
    if (pos + 1 < text.size() && IsMark(static_cast<unsigned char>(text[pos + 1]))) {
        const std::string_view pair = text.substr(pos, 2);
        const auto k = HalfVoicedTable.Find(pair);
        return k ? FullVoicedTable.Entry(*k) : pair;
    }
    const std::string_view ch = text.substr(pos, 1);
    const auto k = HalfKanaTable.Find(ch);
    return k ? FullKanaTable.Entry(*k) : ch;
}

}  // namespace

std::string ProcessZnHn(std::string text, const EditSet& set)
{
    // Values that name no conversion come only from a hand-edited settings file; like Keep
    // they leave the text alone.
    if (set.ZnHnMethod != WidthConversion::ToHalfWidth && set.ZnHnMethod != WidthConversion::ToFullWidth) return text;
    if (set.ZnHnMethod == WidthConversion::ToHalfWidth) {
        ToHalfInPlace(text, set.IfHnKn);
        return text;
    }
    std::string result;
    result.reserve(2 * text.size());
    const std::string_view source(text);
    for (std::size_t i = 0; i < source.size();) {
        const std::size_t length = CharLengthAt(source, i);
        result += length == 2 ? source.substr(i, 2) : ToFull(source, i, set.IfHnKn);
        i += length;
    }
    return result;
}
