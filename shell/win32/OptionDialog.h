// The settings dialog window (class "TMorvaneOption"), bound to the portable dialog logic.
#pragma once

#include <windows.h>

#include "shell/OptionHost.h"

constexpr const wchar_t* kOptionWindowClass = L"TMorvaneOption";

// Shows the dialog modally, centred on the screen, owned by owner. Returns true when it
// was closed with OK (the host's model has then taken the working copy and the settings
// file has been written, or its write error has been shown).
bool ShowOptionDialog(HWND owner, OptionHost& host);
