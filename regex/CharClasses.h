// The named character classes of the extended syntax (\d \w \s, [[:alpha:]] and the like,
// \p{...}) as sorted, disjoint, inclusive code ranges, and the complement of such a list
// within the characters the period matches.
#pragma once

#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "regex/CharCode.h"

using TRERangeList = std::vector<std::pair<TRECharCode, TRECharCode>>;

// \d \w \s by their letter (lower case; the caller complements the upper-case forms).
TRERangeList EscapeClassRanges(char letter);
// A POSIX bracket class by name ("alpha", "digit" ...), ASCII meaning; nullopt if unknown.
std::optional<TRERangeList> PosixClassRanges(std::string_view name);

// Sorted and merged; overlapping or adjacent ranges become one.
TRERangeList NormalizeRanges(TRERangeList ranges);
// The characters the period matches that lie in none of the ranges.
TRERangeList ComplementRanges(const TRERangeList& ranges);

// ASCII word characters: A-Z a-z 0-9 _ (the meaning of \w and of \b's boundaries).
inline bool IsWordCode(TRECharCode code)
{
    return (code >= 'a' && code <= 'z') || (code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9') || code == '_';
}
