// Morvane.exe's entry point: one running instance per session, marked by the named mutex
// "Morvane"; a second start ends at once and silently.
#include <windows.h>

#include "shell/win32/MainWindow.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    // Creating and testing in one call leaves no gap in which two starts could both miss
    // each other. A mutex that exists but may not be opened (another user's) counts as
    // a running instance too.
    const HANDLE mutex = CreateMutexW(nullptr, FALSE, L"Morvane");
    if (!mutex) return 0;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return 0;
    }
    const int exitCode = RunMainWindow(instance);
    // The mutex was never owned; closing the handle is what releases the name.
    CloseHandle(mutex);
    return exitCode;
}
