#include "shell/win32/MainWindow.h"

#include <filesystem>
#include <functional>
#include <string>

#include "core/SettingsFile.h"
#include "shell/ErrorReport.h"
#include "shell/UnitMain.h"
#include "shell/win32/ErrorBox.h"
#include "shell/win32/HotKeyRepeatGuard.h"
#include "shell/win32/MenuIds.h"
#include "shell/win32/OptionDialog.h"
#include "shell/win32/Win32Clipboard.h"
#include "shell/win32/Win32HotKeyModifiers.h"
#include "shell/win32/Win32KeyNames.h"
#include "shell/win32/Win32Launcher.h"
#include "shell/win32/Win32Selection.h"
#include "shell/win32/Win32LineComparer.h"
#include "shell/win32/Win32TrayIcon.h"
#include "shell/win32/Win32TrayMenu.h"
#include "shell/win32/resource.h"
#include "text/SjisLiteral.h"

namespace {

class Win32ErrorBox : public IErrorBox {
public:
    // No owner: the main window is hidden.
    void ShowError(std::string_view message) override { ShowErrorBox(nullptr, message); }
};

class Win32HotKeys : public IHotKeyRegistrar {
public:
    explicit Win32HotKeys(HWND window) : window_(window) {}
    bool RegisterHotKey(int id, HotKeyModifiers modifiers, unsigned keyCode) override
    {
        return ::RegisterHotKey(window_, id, Win32HotKeyModifiers(modifiers), keyCode) != FALSE;
    }
    void UnregisterHotKey(int id) override { ::UnregisterHotKey(window_, id); }

private:
    HWND window_;
};

class Win32Cursor : public ICursor {
public:
    ScreenPoint CursorPos() const override
    {
        POINT point{};
        GetCursorPos(&point);
        return {point.x, point.y};
    }
};

class Win32OptionDialogs : public IOptionDialogs {
public:
    explicit Win32OptionDialogs(HWND owner) : owner_(owner) {}
    bool BringOpenDialogForward() override
    {
        const HWND dialog = FindWindowW(kOptionWindowClass, nullptr);
        if (!dialog) return false;
        SetForegroundWindow(dialog);
        return true;
    }
    void ShowModal(OptionHost& host) override { ShowOptionDialog(owner_, host); }
    // At once, as the end of a session cannot wait: the dialog takes it as Cancel, and its
    // loop ends when the handler that asked has returned.
    void CloseOpenDialog() override
    {
        const HWND dialog = FindWindowW(kOptionWindowClass, nullptr);
        if (!dialog) return;
        SendMessageW(dialog, WM_CLOSE, 0, 0);
        ShowWindow(dialog, SW_HIDE);
    }

private:
    HWND owner_;
};

class Win32WindowCloser : public IMainWindow {
public:
    explicit Win32WindowCloser(HWND window) : window_(window) {}
    void Close() override { DestroyWindow(window_); }

private:
    HWND window_;
};

// What the window procedure reaches through the window's user data.
struct Binding {
    TMorvaneMain& Main;
    IErrorBox& Errors;
    UINT TaskbarCreated;
    HotKeyRepeatGuard& Repeats;

    void Handle(const std::function<void()>& handler) { ReportErrors(Errors, handler); }
};

// The mouse message that the tray's callback message carries.
TrayClick TrayClickOf(LPARAM lParam)
{
    switch (LOWORD(lParam)) {
    case WM_LBUTTONDOWN:
        return TrayClick::Left;
    case WM_RBUTTONUP:
        return TrayClick::Right;
    default:
        return TrayClick::Other;
    }
}

void MenuCommand(TMorvaneMain& main, int id)
{
    if (id == kMenuIdOption) main.MenuOptionClick();
    else if (id == kMenuIdExit) main.MenuExitClick();
    else if (id > kMenuIdGroupBase && id <= kMenuIdGroupBase + kGroupCount) main.MenuGroupClick(id - kMenuIdGroupBase);
    else if (id >= kMenuIdUndoItemBase && id < kMenuIdUndoItemBase + kUndoMenuMaxItems)
        main.MenuHistoriesClick(id - kMenuIdUndoItemBase);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* binding = reinterpret_cast<Binding*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!binding) return DefWindowProcW(window, message, wParam, lParam);
    TMorvaneMain& main = binding->Main;
    switch (message) {
    case WM_HOTKEY: {
        const int id = static_cast<int>(wParam);
        if (!binding->Repeats.IsNewPress(id, HIWORD(lParam))) return 0;
        binding->Handle([&] { main.WMHotKey(id); });
        binding->Repeats.DropQueuedRepeats(id);
        return 0;
    }
    case WM_TIMER:
        if (wParam == HotKeyRepeatGuard::kTimerId) binding->Repeats.OnTimer();
        return 0;
    case kTrayCallbackMessage:
        binding->Handle([&] { main.WMTrayNotify(TrayClickOf(lParam)); });
        return 0;
    case WM_COMMAND:
        if (HIWORD(wParam) == 0) binding->Handle([&] { MenuCommand(main, LOWORD(wParam)); });
        return 0;
    case WM_CLOSE:
        // Closing the window from outside ends the program like the exit command.
        binding->Handle([&] { main.MenuExitClick(); });
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;  // nothing unsaved stands in the way
    case WM_ENDSESSION:
        if (wParam) binding->Handle([&] { main.EndSession(); });
        return 0;
    case WM_DESTROY:
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        binding->Handle([&] { main.FormDestroy(); });
        PostQuitMessage(0);
        return 0;
    default:
        if (message == binding->TaskbarCreated) {
            binding->Handle([&] { main.TaskbarCreated(); });
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

std::filesystem::path ProgramPath()
{
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) throw std::runtime_error(std::string("プログラムのパスを読み取れません"_sj));
        if (length < buffer.size()) return std::filesystem::path(buffer.substr(0, length));
        buffer.resize(buffer.size() * 2);
    }
}

// The file a settings path leads to: a save replaces the file by a new one, which would
// put a file in place of a symbolic link. The C++ library of the Windows build cannot
// follow links, so the system does. A file that cannot be opened (none yet) stays as named.
std::filesystem::path FinalPath(const std::filesystem::path& path)
{
    const HANDLE file = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return path;
    std::wstring buffer(MAX_PATH, L'\0');
    DWORD length = GetFinalPathNameByHandleW(file, buffer.data(), static_cast<DWORD>(buffer.size()), FILE_NAME_NORMALIZED);
    if (length >= buffer.size()) {
        buffer.resize(length + 1);
        length = GetFinalPathNameByHandleW(file, buffer.data(), static_cast<DWORD>(buffer.size()), FILE_NAME_NORMALIZED);
    }
    CloseHandle(file);
    if (length == 0 || length >= buffer.size()) return path;
    buffer.resize(length);
    // "\\?\C:\..." names the same file; the plain form keeps messages readable.
    if (buffer.starts_with(L"\\\\?\\") && !buffer.starts_with(L"\\\\?\\UNC\\")) buffer.erase(0, 4);
    return std::filesystem::path(buffer);
}

HWND CreateMainWindow(HINSTANCE instance)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_APP));
    windowClass.lpszClassName = kMainWindowClass;
    if (!RegisterClassExW(&windowClass)) throw std::runtime_error(std::string("メインウィンドウのクラスを登録できません"_sj));
    // A top-level window, never shown: a message-only window would miss the task bar's
    // broadcast after an Explorer restart.
    const HWND window = CreateWindowExW(0, kMainWindowClass, kMainWindowCaption, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
    if (!window) throw std::runtime_error(std::string("メインウィンドウを作成できません"_sj));
    return window;
}

int RunMessageLoop()
{
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace

int RunMainWindow(HINSTANCE instance)
{
    Win32ErrorBox errors;
    int exitCode = 1;
    ReportErrors(errors, [&] {
        const HWND window = CreateMainWindow(instance);
        Win32WindowCloser closer(window);
        Win32HotKeys hotKeys(window);
        Win32TrayIcon tray(window, instance);
        Win32TrayMenu menu(window);
        Win32Cursor cursor;
        Win32OptionDialogs dialogs(window);
        Win32Clipboard clipboard(window);
        Win32Selection selection;
        Win32Launcher launcher(window);
        Win32KeyNames keyNames;
        Win32LineComparer comparer;
        TMorvaneMain main(MainPlatform{closer, hotKeys, tray, menu, cursor, dialogs, clipboard, selection, launcher,
                                       keyNames, comparer, FinalPath(SettingsFilePath(ProgramPath()))});

        // Start-up runs before the window procedure can reach the main window, so no
        // message is handled half-way through it. If it fails, nothing of it may stay
        // behind, and the settings file is left as it was.
        bool started = false;
        ReportErrors(errors, [&] {
            main.FormCreate();
            started = true;
        });
        if (!started) {
            ReportErrors(errors, [&] {
                main.UnregisterHotKeys();
                main.DeleteTrayIcon();
            });
            DestroyWindow(window);
            return;
        }

        HotKeyRepeatGuard repeats(window);
        Binding binding{main, errors, RegisterWindowMessageW(L"TaskbarCreated"), repeats};
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&binding));
        exitCode = RunMessageLoop();
        // A quit message from elsewhere ends the loop with the window still there; shut
        // down through it all the same, while the binding is alive.
        if (IsWindow(window)) DestroyWindow(window);
    });
    return exitCode;
}
