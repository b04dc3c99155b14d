// The settings dialog's controls: their creation and their layout for a font and a DPI.
#pragma once

#include <windows.h>

#include <array>
#include <map>
#include <vector>

#include "shell/OptionControlTable.h"

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
