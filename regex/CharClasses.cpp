#include "regex/CharClasses.h"

#include <algorithm>
#include <utility>

namespace {

// What the period matches: any character but code 0, LF, CR and codes beyond CP932.
const TRERangeList kAnyChar = {{1, 9}, {11, 12}, {14, 0xFCFC}};

struct NamedClass {
    std::string_view name;
    TRERangeList ranges;
};

const std::vector<NamedClass>& PosixClasses()
{
    static const std::vector<NamedClass> classes = {
        {"alpha", {{'A', 'Z'}, {'a', 'z'}}},
        {"digit", {{'0', '9'}}},
        {"alnum", {{'0', '9'}, {'A', 'Z'}, {'a', 'z'}}},
        {"upper", {{'A', 'Z'}}},
        {"lower", {{'a', 'z'}}},
        {"space", {{9, 13}, {' ', ' '}}},
        {"blank", {{9, 9}, {' ', ' '}}},
        {"punct", {{'!', '/'}, {':', '@'}, {'[', '`'}, {'{', '~'}}},
        {"print", {{' ', '~'}}},
        {"graph", {{'!', '~'}}},
        {"cntrl", {{0, 31}, {127, 127}}},
        {"xdigit", {{'0', '9'}, {'A', 'F'}, {'a', 'f'}}},
        {"word", {{'0', '9'}, {'A', 'Z'}, {'_', '_'}, {'a', 'z'}}},
    };
    return classes;
}

}  // namespace

TRERangeList EscapeClassRanges(char letter)
{
    switch (letter) {
    case 'd': return {{'0', '9'}};
    case 'w': return {{'0', '9'}, {'A', 'Z'}, {'_', '_'}, {'a', 'z'}};
    case 's': return {{9, 13}, {' ', ' '}, {0x8140, 0x8140}};  // 0x8140: the full-width space
    default: return {};
    }
}

std::optional<TRERangeList> PosixClassRanges(std::string_view name)
{
    for (const NamedClass& c : PosixClasses())
        if (c.name == name) return c.ranges;
    return std::nullopt;
}

TRERangeList NormalizeRanges(TRERangeList ranges)
{
    std::sort(ranges.begin(), ranges.end());
    TRERangeList merged;
    for (const auto& r : ranges) {
        if (!merged.empty() && static_cast<int>(r.first) <= merged.back().second + 1)
            merged.back().second = std::max(merged.back().second, r.second);
        else
            merged.push_back(r);
    }
    return merged;
}

TRERangeList ComplementRanges(const TRERangeList& ranges)
{
    const TRERangeList excluded = NormalizeRanges(ranges);
    TRERangeList result;
    for (auto [low, high] : kAnyChar) {
        int next = low;  // the lowest code of this stretch not yet excluded or taken
        for (const auto& [exLow, exHigh] : excluded) {
            if (exHigh < next || exLow > high) continue;
            if (exLow > next) result.emplace_back(static_cast<TRECharCode>(next), static_cast<TRECharCode>(exLow - 1));
            next = exHigh + 1;
        }
        if (next <= high) result.emplace_back(static_cast<TRECharCode>(next), high);
    }
    return result;
}
