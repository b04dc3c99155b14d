// The 経過 window of the settings dialog: a small popup it owns, listing the steps of the
// last 実行 (position, process, bytes in and out, replacements); choosing a step shows
// the text after it, read-only. It only shows what the dialog's logic keeps.
#pragma once

#include <windows.h>

#include <vector>

#include "shell/UnitOption.h"

// Opens the window over the dialog, or refills it when it is open, with the last step chosen.
void ShowTraceWindow(HWND dialog, const std::vector<TraceStepShown>& steps);
