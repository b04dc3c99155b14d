#include "shell/win32/Win32TrayIcon.h"

#include <algorithm>
#include <string>

#include <shellapi.h>

#include "shell/win32/MenuIds.h"
#include "shell/win32/WideText.h"
#include "shell/win32/Win32Dpi.h"
#include "shell/win32/resource.h"

Win32TrayIcon::Win32TrayIcon(HWND window, HINSTANCE instance) : window_(window)
{
    // The tray shows small icons at the DPI of the main window's monitor. The images are
    // drawn for 100 to 200 per cent; at another scale the system scales the nearest once
    // here rather than on every change of group.
    const int size = SystemMetricForDpi(SM_CXSMICON, WindowDpi(window));
    applicationIcon_ = LoadIconResource(instance, IDI_APP, size);
    for (std::size_t g = 0; g < groupIcons_.size(); ++g)
        groupIcons_[g] = LoadIconResource(instance, IDI_GROUP0 + static_cast<int>(g), size);
}

void Win32TrayIcon::Notify(DWORD message, int icon, std::string_view tip)
{
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = window_;
    data.uID = kTrayIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kTrayCallbackMessage;
    data.hIcon = icon == kApplicationIcon ? applicationIcon_.get() : groupIcons_.at(static_cast<std::size_t>(icon)).get();
    const std::wstring wideTip = WideDisplayText(tip);
    const std::size_t length = std::min(wideTip.size(), std::size(data.szTip) - 1);
    std::copy_n(wideTip.begin(), length, data.szTip);
    data.szTip[length] = L'\0';
    // Results are ignored: while Explorer is not running the call fails, and the icon is
    // added again when the task bar announces itself.
    Shell_NotifyIconW(message, &data);
}

void Win32TrayIcon::Add(int icon, std::string_view tip) { Notify(NIM_ADD, icon, tip); }

void Win32TrayIcon::Modify(int icon, std::string_view tip) { Notify(NIM_MODIFY, icon, tip); }

void Win32TrayIcon::Delete()
{
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = window_;
    data.uID = kTrayIconId;
    Shell_NotifyIconW(NIM_DELETE, &data);
}
