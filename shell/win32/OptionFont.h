// The font of the settings dialog's controls, which must show their Japanese captions.
#pragma once

#include <windows.h>

// The system's message font at the DPI when it has Japanese characters, otherwise the
// first Japanese UI font installed, at the message font's size.
HFONT CreateOptionFont(int dpi);
