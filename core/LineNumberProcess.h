// The line numbering process: puts a running number, framed by the set's Before and
// After texts and filled to a minimum width, in front of or behind every line.
#pragma once

#include <string>

#include "core/EditSettings.h"

// The widest a number is filled to. A hand-edited Deg may be any int, and filling every
// line to millions of characters would exhaust the memory; no one numbers lines wider.
constexpr int kMaxLineNumberWidth = 1000;

// Numbers every line of `text` (empty lines included) from set.Index in steps of set.Step,
// filled to set.Deg characters (at most kMaxLineNumberWidth) with '0' (set.Fill Zeros) or
// blanks; the label goes in front of the line when set.Add is Front, behind it otherwise.
// Lines are joined with CR LF.
std::string ProcessLineNo(const std::string& text, const EditSet& set);
