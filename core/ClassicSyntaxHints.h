// Patterns and templates of a classic-syntax set that hold what the extended syntax reads
// otherwise (regex/ExtendedHints.h): the check of a file and the dialog's OK name them, so
// that "\d" or "\1" does not silently mean a letter or a code.
#pragma once

#include <string>
#include <vector>

#include "core/EditSettings.h"
#include "core/SettingsKeys.h"
#include "regex/ExtendedHints.h"

struct ClassicSyntaxHint {
    SettingsSection Section;  // Set for the swap's patterns, Cond for a condition's
    int Cond = 0;             // 1-based, for a condition
    std::string Key;
    KeyMeaning Meaning;  // Pattern or Template
    TREExtendedHint Hint;
};

// None for a set in the extended syntax; conditions up to MaxCnt.
std::vector<ClassicSyntaxHint> ClassicSyntaxHints(const EditSet& set);

// "「\d」は拡張構文の書き方で ..." (CP932), closed by what the reader can do about it.
std::string DescribeClassicSyntaxHint(const TREExtendedHint& hint, std::string_view remedy);
