// The hidden main window of class "TMorvaneMain": creates it with the Win32 services that
// TMorvaneMain works through, runs start-up, the message loop and shut-down.
#pragma once

#include <windows.h>

// Returns the program's exit code once the window has been closed. Every error raised
// while a message is handled is shown in a box titled "Morvane" and the window stays.
int RunMainWindow(HINSTANCE instance);
