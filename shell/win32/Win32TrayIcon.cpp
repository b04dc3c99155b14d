#include "shell/win32/Win32TrayIcon.h"

#include <algorithm>
#include <string>

#include <shellapi.h>

#include "shell/win32/MenuIds.h"
#include "shell/win32/WideText.h"
#include "shell/win32/Win32Dpi.h"
#include "shell/win32/resource.h"

namespace {

// Copies as much of text as fits, always terminated.
template <std::size_t N>
void CopyCut(const std::wstring& text, wchar_t (&field)[N])
{
    const std::size_t length = std::min(text.size(), N - 1);
    std::copy_n(text.begin(), length, field);
    field[length] = L'\0';
}

}  // namespace

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
    CopyCut(WideDisplayText(tip), data.szTip);
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

void Win32TrayIcon::ShowBalloon(std::string_view title, std::string_view text)
{
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = window_;
    data.uID = kTrayIconId;
    data.uFlags = NIF_INFO;
    data.dwInfoFlags = NIIF_WARNING;
    CopyCut(WideDisplayText(title), data.szInfoTitle);
    CopyCut(WideDisplayText(text), data.szInfo);
    Shell_NotifyIconW(NIM_MODIFY, &data);  // a notice only: a tray that is not there loses nothing
}
