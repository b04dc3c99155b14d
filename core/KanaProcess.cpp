// Kana conversion: every double-byte character found in one kana table is replaced by the
// entry at the same index of the other; single-byte characters never change.
#include "core/KanaProcess.h"

#include <string_view>

#include "core/ConvertTables.h"
#include "text/Cp932.h"

std::string ProcessKana(const std::string& text, const EditSet& set)
{
    // Values other than 0 and 1 come only from a hand-edited settings file; like 2
    // ("unchanged") they leave the text alone.
    if (set.KanaMethod != 0 && set.KanaMethod != 1) return text;
    const CharTable& from = set.KanaMethod == 0 ? HiraganaTable : KatakanaTable;
    const CharTable& to = set.KanaMethod == 0 ? KatakanaTable : HiraganaTable;

    std::string result;
    result.reserve(text.size());
    const std::string_view source(text);
    for (std::size_t i = 0; i < source.size();) {
        const std::size_t length = CharLengthAt(source, i);
        const std::string_view ch = source.substr(i, length);
        const auto k = from.Find(ch);  // a single byte never matches a double-byte entry
        result += k ? to.Entry(*k) : ch;
        i += length;
    }
    return result;
}
