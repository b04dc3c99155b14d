// String replacement, the "文字列置換" process: the edit set's search-and-replace
// conditions, each a global regular-expression substitution over the whole text.
#pragma once

#include <string>
#include <vector>

#include "core/EditSettings.h"
#include "core/ReplaceCount.h"
#include "regex/AWKStr.h"

// Applies conditions 1 to MaxCnt in order, each to the result of the one before; a
// condition with an empty FromStr is skipped. The shared AWK object is left with the
// fuzzy switch and pattern of the last condition that ran. A bad pattern or template
// raises ERegExpParser and the conditions after it do not run.
// When counts is given, it gets one entry for each condition that ran, with the number of
// replacements it made.
std::string ProcessReplace(const std::string& text, const EditSet& set, TAWKStr& awk,
                           std::vector<ReplaceCount>* counts = nullptr);
