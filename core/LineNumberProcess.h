// The line numbering process: puts a running number, framed by the set's Before and
// After texts and filled to a minimum width, in front of or behind every line.
#pragma once

#include <string>

#include "core/EditSettings.h"

// Numbers every line of `text` (empty lines included) from set.Index in steps of set.Step,
// filled to set.Deg characters with '0' (set.Fill 0) or blanks; the label goes in front of
// the line when set.Add is 0, behind it otherwise. Lines are joined with CR LF.
std::string ProcessLineNo(const std::string& text, const EditSet& set);
