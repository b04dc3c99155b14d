// The notification-area icon of the main window through Shell_NotifyIconW: the
// application's icon or one of the nine group images, with the tip in UTF-16.
#pragma once

#include <windows.h>

#include <array>
#include <string_view>

#include "shell/MainPlatform.h"
#include "shell/win32/Win32Icon.h"

class Win32TrayIcon : public ITrayIcon {
public:
    // Loads the icons at the tray's small-icon size for the window's DPI; raises when a
    // resource is missing.
    Win32TrayIcon(HWND window, HINSTANCE instance);

    void Add(int icon, std::string_view tip) override;
    void Modify(int icon, std::string_view tip) override;
    void Delete() override;
    void ShowBalloon(std::string_view title, std::string_view text) override;

private:
    void Notify(DWORD message, int icon, std::string_view tip);

    HWND window_;
    OwnedIcon applicationIcon_;
    std::array<OwnedIcon, 9> groupIcons_;  // image g: 0 a prohibition sign, 1-8 the digit g
};
