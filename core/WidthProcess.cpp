// Width conversion. Full to half works on double-byte characters only; half to full works
// on single-byte characters only, and with IfHnKn folds a half-width kana followed by a
// voicing mark into one full-width voiced katakana.
#include "core/WidthProcess.h"

#include <string_view>

#include "core/ConvertTables.h"
#include "text/Cp932.h"

namespace {

bool IsMark(unsigned char b) { return b == kVoicedMark || b == kSemiVoicedMark; }

// The half-width form of a full-width character, or the character itself.
std::string_view ToHalf(std::string_view ch, bool withKana)
{
    if (const auto k = FullAsciiTable.Find(ch)) return HalfAsciiTable.Entry(*k);
    if (!withKana) return ch;
    if (const auto k = FullKanaTable.Find(ch)) return HalfKanaTable.Entry(*k);
    if (const auto k = FullVoicedTable.Find(ch)) return HalfVoicedTable.Entry(*k);
    return ch;
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

std::string ProcessZnHn(const std::string& text, const EditSet& set)
{
    // Values other than 0 and 1 come only from a hand-edited settings file; like 2
    // ("unchanged") they leave the text alone.
    if (set.ZnHnMethod != 0 && set.ZnHnMethod != 1) return text;
    const bool toHalf = set.ZnHnMethod == 0;

    std::string result;
    result.reserve(toHalf ? text.size() : 2 * text.size());
    const std::string_view source(text);
    for (std::size_t i = 0; i < source.size();) {
        const std::size_t length = CharLengthAt(source, i);
        if (length == 2) result += toHalf ? ToHalf(source.substr(i, 2), set.IfHnKn) : source.substr(i, 2);
        else result += toHalf ? source.substr(i, 1) : ToFull(source, i, set.IfHnKn);
        i += length;
    }
    return result;
}
