// The settings dialog's controls: their creation and layout, the font that shows their
// Japanese captions, and which control id stands for which control of the dialog logic.
#pragma once

#include <windows.h>

#include <array>
#include <map>
#include <optional>
#include <vector>

#include "shell/UnitOption.h"

constexpr int kOptionPageCount = 5;

struct OptionWindowControls {
    SIZE Client;  // the client area that holds every control
    // The controls on each page of PageControlExec; only the active page's are shown.
    std::array<std::vector<HWND>, kOptionPageCount> Pages;
    // The owner-drawn captions that picture a row of edits, by control id: where each of
    // their words is centred, from the caption's left edge.
    std::map<int, std::vector<int>> WordCentres;
};

// Creates every control as a child of the dialog, in tab order, laid out for the font
// and the dialog's DPI. Pages other than the first and the history list start hidden.
OptionWindowControls CreateOptionControls(HWND dialog, HFONT font, int dpi);

// Moves and sizes the controls that CreateOptionControls made, in a new font, as that
// would lay them out for the font and DPI (the dialog has moved to another monitor). What
// they hold and show, and which of them are shown, stay as they are.
OptionWindowControls LayOutOptionControls(HWND dialog, HFONT font, int dpi);

// Draws such a caption: its words, split at runs of blanks, each at its centre.
void DrawSpreadLabel(const DRAWITEMSTRUCT& item, const std::vector<int>& centres);

// The system's message font at the DPI when it has Japanese characters, otherwise the
// first Japanese UI font installed, at the message font's size.
HFONT CreateOptionFont(int dpi);

// The child id of a control of the logic; for a radio group the id of its group box.
int OptionControlId(OptionControl control);
// The logic's control for a child id; a radio button answers for its group.
std::optional<OptionControl> OptionControlOfId(int id);
// The number of radio buttons of a radio group.
int OptionRadioItemCount(OptionControl radioGroup);
