// Side swap, the "右辺<->左辺" process: on every line, the text left of a separator
// changes places with the text right of it, between a leading and a trailing part that
// stay where they are. The three parts are regular expressions of the edit set:
// RLBefore (leading part), RLCenter (separator) and RLAfter (trailing part).
#pragma once

#include <string>

#include "core/EditSettings.h"
#include "regex/AWKStr.h"

// The trailing part's pattern as the swap sets it: RLAfter anchored at the end.
std::string SwapTrailingPattern(const EditSet& set);

// Splits the text into lines, swaps the sides of each line that holds the separator and
// joins the lines with CR LF; a line without the separator is kept unchanged. Matches
// without the fuzzy-character dictionary and in the set's syntax (the shared AWK object's
// switches are set so). A bad pattern raises ERegExpParser when it is first needed for a line.
std::string ProcessSwap(const std::string& text, const EditSet& set, TAWKStr& awk);
