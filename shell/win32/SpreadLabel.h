// Owner-drawn captions that picture a row of edits: each word over its edit or gap.
#pragma once

#include <windows.h>

#include <vector>

// Draws such a caption: its words, split at runs of blanks, each centred at its offset
// from the caption's left edge.
void DrawSpreadLabel(const DRAWITEMSTRUCT& item, const std::vector<int>& centres);
