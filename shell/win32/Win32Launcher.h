// Opening a file or URL with its associated application through the Windows shell.
#pragma once

#include <windows.h>

#include "core/AssociationLaunch.h"

class Win32Launcher final : public ILauncher {
public:
    // owner: the window that owns any message box the shell shows. Initialises COM on
    // this thread (single-threaded apartment), which some associations need.
    explicit Win32Launcher(HWND owner);
    ~Win32Launcher() override;
    Win32Launcher(const Win32Launcher&) = delete;
    Win32Launcher& operator=(const Win32Launcher&) = delete;

    // A name that has no UTF-16 spelling (bytes that are no CP932 character) names no
    // file: the result is "file not found", and the association launch goes on with its
    // next candidate as after any failed launch.
    unsigned LaunchFile(const std::string& fileName, const std::string& parameters, const std::string& directory,
                        int showMode, const TStandInMap& standIns) override;

private:
    HWND owner_;
    bool comInitialized_;
};
