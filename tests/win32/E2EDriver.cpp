// Test driver of the Windows end-to-end checks (scripts/e2e-wine.sh): acts on a running
// Morvane.exe from outside where the X server's keys, mouse and clipboard cannot: it tells
// the script where to click (tray icon, menu items), posts hot keys for texts that must
// arrive byte for byte, drives the settings dialog through its controls, named as in
// shell/OptionControlTable.h, puts text on the clipboard and reads it back exactly, reads
// and dismisses the program's error boxes, and plays the other programs: one that holds a
// hot key or the clipboard, and the one that the association launch starts ("mark").
//
// One command per run: e2e-driver COMMAND [ARGS...]. Exit status 0 on success; 1 on a
// failure, with the reason on standard error; 2 when an error box of Morvane turned up
// (its text goes to standard output, and the box is dismissed).
//
// Text files are UTF-8, so that the script compares bytes with texts it writes itself. The
// clipboard is used as CF_UNICODETEXT, converted here by the system's UTF-8 conversion:
// the program's own CP932 conversion is what the checks are checking.
#include <windows.h>

#include <commctrl.h>
#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "shell/win32/MenuIds.h"
#include "shell/win32/OptionControlIds.h"

namespace {

// Every wait polls: the checks must stay fast when things work, and end when they do not.
constexpr DWORD kWaitMilliseconds = 10000;
constexpr DWORD kStartWaitMilliseconds = 30000;  // a first start in a fresh Wine prefix is slow
constexpr DWORD kPollMilliseconds = 20;
constexpr UINT kSendTimeoutMilliseconds = 10000;

constexpr int kExitFailure = 1;
constexpr int kExitErrorBox = 2;

// The static control that holds a message box's text.
constexpr int kMessageBoxTextId = 0xFFFF;

constexpr const wchar_t* kMenuWindowClass = L"#32768";
constexpr const wchar_t* kDialogBoxClass = L"#32770";

class Failure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Raised when a Morvane error box appeared; what() holds the box's text.
class ErrorBoxShown : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

bool WaitFor(const std::function<bool()>& done, DWORD milliseconds = kWaitMilliseconds)
{
    const ULONGLONG end = GetTickCount64() + milliseconds;
    for (;;) {
        if (done()) return true;
        if (GetTickCount64() >= end) return false;
        Sleep(kPollMilliseconds);
    }
}

// --- Text ----------------------------------------------------------------------------------

std::wstring Utf8ToWide(std::string_view utf8)
{
    if (utf8.empty()) return {};
    const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()),
                                           nullptr, 0);
    if (length == 0) throw Failure("the text is not UTF-8");
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), length);
    return wide;
}

std::string WideToUtf8(std::wstring_view wide)
{
    if (wide.empty()) return {};
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), length, nullptr, nullptr);
    return utf8;
}

std::string ReadFileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) throw Failure("cannot read " + WideToUtf8(path.wstring()));
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Written under another name first, so that a reader polling for the file never sees half of it.
void WriteFileBytes(const std::filesystem::path& path, std::string_view bytes)
{
    std::filesystem::path partial = path;
    partial += L".partial";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) throw Failure("cannot write " + WideToUtf8(path.wstring()));
    }
    std::filesystem::rename(partial, path);
}

void Print(std::string_view utf8)
{
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
    std::fflush(stdout);
}

int Number(const wchar_t* text)
{
    wchar_t* end = nullptr;
    const long value = std::wcstol(text, &end, 0);
    if (end == text || *end != L'\0') throw Failure("not a number: " + WideToUtf8(text));
    return static_cast<int>(value);
}

// --- Windows -------------------------------------------------------------------------------

std::wstring ClassOf(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return name;
}

// WM_GETTEXT is marshalled across processes, unlike most messages that carry a pointer.
std::wstring TextOf(HWND window)
{
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMilliseconds, &length))
        throw Failure("a window does not answer WM_GETTEXTLENGTH");
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                        kSendTimeoutMilliseconds, &copied);
    text.resize(copied);
    return text;
}

DWORD ProcessOf(HWND window)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process;
}

std::vector<HWND> TopLevelWindows(const std::wstring& className, bool visibleOnly)
{
    struct Search {
        const std::wstring& ClassName;
        bool VisibleOnly;
        std::vector<HWND> Found;
    } search{className, visibleOnly, {}};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(data);
            if (ClassOf(window) == s.ClassName && (!s.VisibleOnly || IsWindowVisible(window))) s.Found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

HWND MainWindow() { return FindWindowW(kMainWindowClass, nullptr); }

HWND RequireMainWindow()
{
    const HWND main = MainWindow();
    if (!main) throw Failure("Morvane's main window is not there");
    return main;
}

HWND OptionDialog()
{
    const HWND dialog = FindWindowW(L"TMorvaneOption", nullptr);
    return dialog && IsWindowVisible(dialog) ? dialog : nullptr;
}

HWND RequireOptionDialog()
{
    const HWND dialog = OptionDialog();
    if (!dialog) throw Failure("the settings dialog is not open");
    return dialog;
}

// A message box of the given process titled "Morvane": how the program reports errors.
HWND FindErrorBox(DWORD process)
{
    for (HWND box : TopLevelWindows(kDialogBoxClass, true))
        if (ProcessOf(box) == process && TextOf(box) == L"Morvane") return box;
    return nullptr;
}

// Reads the box's message, presses its OK button and waits for it to go.
std::string DismissErrorBox(HWND box)
{
    const HWND textControl = GetDlgItem(box, kMessageBoxTextId);
    const std::string text = textControl ? WideToUtf8(TextOf(textControl)) : "(no text control)";
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    if (!WaitFor([&] { return !IsWindow(box); })) throw Failure("the error box does not close");
    return text;
}

// Waits for `done`, but stops with ErrorBoxShown as soon as the process shows an error box.
void WaitUnlessErrorBox(DWORD process, const std::function<bool()>& done, const std::string& what)
{
    HWND box = nullptr;
    const bool ended = WaitFor([&] { return done() || (box = FindErrorBox(process)) != nullptr; });
    if (box) throw ErrorBoxShown(DismissErrorBox(box));
    if (!ended) throw Failure(what);
}

// --- Clipboard -----------------------------------------------------------------------------

class ClipboardScope {
public:
    ClipboardScope()
    {
        // The program may hold the clipboard for a moment while it reads or writes it.
        if (!WaitFor([] { return OpenClipboard(nullptr) != FALSE; })) throw Failure("the clipboard cannot be opened");
    }
    ~ClipboardScope() { CloseClipboard(); }
    ClipboardScope(const ClipboardScope&) = delete;
    ClipboardScope& operator=(const ClipboardScope&) = delete;
};

void SetClipboardUnicode(const std::wstring& text)
{
    const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    if (!block) throw Failure("out of memory");
    auto* chars = static_cast<wchar_t*>(GlobalLock(block));
    std::wmemcpy(chars, text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    ClipboardScope clipboard;
    EmptyClipboard();
    if (!SetClipboardData(CF_UNICODETEXT, block)) {
        GlobalFree(block);
        throw Failure("the clipboard does not take the text");
    }
}

std::wstring GetClipboardUnicode()
{
    ClipboardScope clipboard;
    const HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (!data) return {};
    const auto* chars = static_cast<const wchar_t*>(GlobalLock(data));
    if (!chars) throw Failure("the clipboard's text cannot be read");
    const std::size_t capacity = GlobalSize(data) / sizeof(wchar_t);
    std::wstring text(chars, wcsnlen(chars, capacity));
    GlobalUnlock(data);
    return text;
}

// --- Commands on the main window ------------------------------------------------------------

// wait-main: waits for the program's main window.
int WaitMain()
{
    if (!WaitFor([] { return MainWindow() != nullptr; }, kStartWaitMilliseconds))
        throw Failure("Morvane's main window did not appear");
    return 0;
}

// wait-gone: waits until the main window has gone.
int WaitGone()
{
    const HWND main = MainWindow();
    if (!main) return 0;
    WaitUnlessErrorBox(ProcessOf(main), [] { return MainWindow() == nullptr; }, "Morvane's main window is still there");
    return 0;
}

// count CLASS: prints how many top-level windows of the class there are.
int Count(const std::wstring& className)
{
    Print(std::to_string(TopLevelWindows(className, false).size()) + "\n");
    return 0;
}

// set-clipboard FILE / get-clipboard FILE: the clipboard's text from or into a UTF-8 file.
int SetClipboardFromFile(const std::filesystem::path& file)
{
    SetClipboardUnicode(Utf8ToWide(ReadFileBytes(file)));
    return 0;
}

int GetClipboardToFile(const std::filesystem::path& file)
{
    WriteFileBytes(file, WideToUtf8(GetClipboardUnicode()));
    return 0;
}

// Posts a message to the main window and waits until the clipboard has been written.
int PostAndWaitForClipboard(UINT message, WPARAM wParam, LPARAM lParam, const std::string& what)
{
    const HWND main = RequireMainWindow();
    const DWORD before = GetClipboardSequenceNumber();
    PostMessageW(main, message, wParam, lParam);
    WaitUnlessErrorBox(ProcessOf(main), [&] { return GetClipboardSequenceNumber() != before; },
                       what + " did not write the clipboard");
    return 0;
}

// edit ID [IN [OUT]]: posts WM_HOTKEY with the id of an edit set and waits for its result
// on the clipboard; with IN the clipboard gets that file's text first, with OUT the
// result is written there.
int Edit(const std::vector<std::wstring>& args)
{
    if (args.empty()) throw Failure("edit: no hot-key id");
    if (args.size() > 1) SetClipboardFromFile(args[1]);
    const int id = Number(args[0].c_str());
    PostAndWaitForClipboard(WM_HOTKEY, static_cast<WPARAM>(id), 0, "hot key " + std::to_string(id));
    if (args.size() > 2) GetClipboardToFile(args[2]);
    return 0;
}

// restore ITEM: the undo menu's command for history entry ITEM; waits for the clipboard.
int Restore(int item)
{
    return PostAndWaitForClipboard(WM_COMMAND, static_cast<WPARAM>(kMenuIdUndoItemBase + item), 0,
                                   "undo item " + std::to_string(item));
}

// post-hotkey ID, tray MOUSE-MESSAGE, command ID, close: post and return at once. A
// message the program cannot take fails.
int Post(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!PostMessageW(RequireMainWindow(), message, wParam, lParam)) throw Failure("the message cannot be posted");
    return 0;
}

// menu [--stay] KEY...: waits for the tray menu, types the keys into it and waits for it
// to close; with --stay it returns at once (for a screenshot of the open menu). A key is
// a letter or digit (the item with that mnemonic), or enter, down, up, right, left, esc.
int Menu(std::vector<std::wstring> keys)
{
    const bool stay = !keys.empty() && keys.front() == L"--stay";
    if (stay) keys.erase(keys.begin());
    const HWND main = RequireMainWindow();
    const DWORD process = ProcessOf(main);
    const DWORD thread = GetWindowThreadProcessId(main, nullptr);
    auto menuOpen = [&] {
        for (HWND menu : TopLevelWindows(kMenuWindowClass, true))
            if (ProcessOf(menu) == process) return true;
        return false;
    };
    if (!WaitFor(menuOpen)) throw Failure("the tray menu did not open");
    static const std::map<std::wstring, UINT> namedKeys{
        {L"down", VK_DOWN}, {L"up", VK_UP}, {L"esc", VK_ESCAPE}, {L"right", VK_RIGHT}, {L"left", VK_LEFT}};
    // The menu's own loop takes every keyboard message of its thread. They go to the
    // thread, not to a menu window: a key that closes a sub-menu destroys its window, and
    // the keys still queued for that window would be lost with it.
    auto post = [&](UINT message, WPARAM key) {
        if (!PostThreadMessageW(thread, message, key, 0)) throw Failure("a key cannot be posted");
    };
    for (const std::wstring& key : keys) {
        if (key == L"enter") {
            post(WM_CHAR, L'\r');
        } else if (const auto named = namedKeys.find(key); named != namedKeys.end()) {
            post(WM_KEYDOWN, named->second);
        } else if (key.size() == 1) {
            post(WM_CHAR, key[0]);
        } else {
            throw Failure("unknown key " + WideToUtf8(key));
        }
    }
    if (!stay && !WaitFor([&] { return !menuOpen(); })) throw Failure("the tray menu stays open");
    return 0;
}

// menu-point LEVEL ITEM COUNT [SEPARATOR]: prints "X Y", the middle of item ITEM (from 0)
// of the tray menu (LEVEL 0) or of its open sub-menu (LEVEL 1), for the script to click
// there with the X server's mouse: the keys the X server sends go to the window it has
// focused, not to a menu of another program. The menu holds COUNT entries of one height,
// one of them the separator at SEPARATOR, which is SM_CYMENUSIZE / 2 high as Wine draws
// it. (Wine gives no item rectangles of another process.)
int MenuPoint(const std::vector<std::wstring>& args)
{
    if (args.size() < 3) throw Failure("menu-point: too few arguments");
    const std::size_t level = static_cast<std::size_t>(Number(args[0].c_str()));
    const int item = Number(args[1].c_str());
    const int count = Number(args[2].c_str());
    const int separator = args.size() > 3 ? Number(args[3].c_str()) : -1;
    std::vector<HWND> menus;
    WaitFor([&] { return (menus = TopLevelWindows(kMenuWindowClass, true)).size() > level; });
    if (menus.size() <= level) throw Failure("the menu is not open");
    // A sub-menu opens to the right of its parent.
    std::sort(menus.begin(), menus.end(), [](HWND a, HWND b) {
        RECT ra{}, rb{};
        GetWindowRect(a, &ra);
        GetWindowRect(b, &rb);
        return ra.left < rb.left;
    });
    RECT r{};
    GetClientRect(menus[level], &r);
    POINT origin{0, 0};
    ClientToScreen(menus[level], &origin);
    const int separatorHeight = separator >= 0 ? GetSystemMetrics(SM_CYMENUSIZE) / 2 : 0;
    const int itemHeight = (r.bottom - r.top - separatorHeight) / (separator >= 0 ? count - 1 : count);
    const int skip = separator >= 0 && item > separator ? separatorHeight - itemHeight : 0;
    Print(std::to_string(origin.x + (r.right - r.left) / 2) + " " +
          std::to_string(origin.y + itemHeight * item + skip + itemHeight / 2) + "\n");
    return 0;
}

// The visible icons of Wine's tray window, newest first (a new child window goes on top).
std::vector<HWND> TrayIcons(HWND tray)
{
    std::vector<HWND> icons;
    EnumChildWindows(
        tray,
        [](HWND child, LPARAM found) {
            if (IsWindowVisible(child)) reinterpret_cast<std::vector<HWND>*>(found)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&icons));
    return icons;
}

// tray-point: prints "X Y", the middle of Morvane's icon in Wine's tray window, for the
// script to click there with the X server's mouse. The icon of a program that has just
// ended may still stand beside it for a moment: it waits for that to go, and takes the
// newest icon if it stays.
int TrayPoint()
{
    const HWND tray = FindWindowW(nullptr, L"Wine System Tray");
    if (!tray) throw Failure("no tray window");
    std::vector<HWND> icons;
    WaitFor([&] { return (icons = TrayIcons(tray)).size() == 1; }, 3000);
    if (icons.empty()) throw Failure("no icon in the tray window");
    RECT r{};
    GetWindowRect(icons.front(), &r);
    Print(std::to_string((r.left + r.right) / 2) + " " + std::to_string((r.top + r.bottom) / 2) + "\n");
    return 0;
}

// wait-balloon: waits for a balloon over a tray icon (a tooltip of balloon style).
int WaitBalloon()
{
    auto shown = [] {
        for (HWND tip : TopLevelWindows(L"tooltips_class32", true))
            if (GetWindowLongW(tip, GWL_STYLE) & TTS_BALLOON) return true;
        return false;
    };
    if (!WaitFor(shown)) throw Failure("no balloon appeared");
    return 0;
}

// wait-box: waits for an error box of Morvane, prints its text and dismisses it (exit 2).
int WaitBox()
{
    const DWORD process = ProcessOf(RequireMainWindow());
    WaitUnlessErrorBox(process, [] { return false; }, "no error box appeared");
    return 0;
}

// try-hotkey MODIFIERS KEY: whether this program may register the hot key: exit 0 if so
// (it is given back at once), 3 if the system refuses.
int TryHotKey(UINT modifiers, UINT key)
{
    if (!RegisterHotKey(nullptr, 1, modifiers, key)) return 3;
    UnregisterHotKey(nullptr, 1);
    return 0;
}

// hold-hotkey MODIFIERS KEY SECONDS: holds the hot key as another program would.
int HoldHotKey(UINT modifiers, UINT key, int seconds)
{
    if (!RegisterHotKey(nullptr, 1, modifiers, key)) throw Failure("the hot key is taken");
    Sleep(static_cast<DWORD>(seconds) * 1000);
    return 0;
}

// hold-clipboard SECONDS: keeps the clipboard open, with a window of this program as its
// holder, as a slow clipboard tool might.
int HoldClipboard(int seconds)
{
    const HWND window = CreateWindowExW(0, L"STATIC", L"holder", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    if (!window || !OpenClipboard(window)) throw Failure("the clipboard cannot be opened");
    Print("open\n");
    std::fflush(stdout);
    Sleep(static_cast<DWORD>(seconds) * 1000);
    CloseClipboard();
    DestroyWindow(window);
    return 0;
}

// rect CLASS: prints "X Y WIDTH HEIGHT" of the visible windows of the class together (for
// screenshots).
int Rect(const std::wstring& className)
{
    const std::vector<HWND> windows = TopLevelWindows(className, true);
    if (windows.empty()) throw Failure("no visible window of class " + WideToUtf8(className));
    RECT all{};
    for (HWND window : windows) {
        RECT r{};
        GetWindowRect(window, &r);
        UnionRect(&all, &all, &r);
    }
    Print(std::to_string(all.left) + " " + std::to_string(all.top) + " " + std::to_string(all.right - all.left) + " "
          + std::to_string(all.bottom - all.top) + "\n");
    return 0;
}

// --- Commands on the settings dialog ---------------------------------------------------------

// wait-settings: waits for the settings dialog (opened from the tray menu).
int WaitSettings()
{
    WaitUnlessErrorBox(ProcessOf(RequireMainWindow()), [] { return OptionDialog() != nullptr; },
                       "the settings dialog did not open");
    return 0;
}

// open-settings: the tray menu's "設定" command; waits for the dialog.
int OpenSettings()
{
    PostMessageW(RequireMainWindow(), WM_COMMAND, kMenuIdOption, 0);
    return WaitSettings();
}

// Sends a message to the dialog or one of its controls. An operation that raises an
// error shows a box inside the handler, so the send does not return before the box has
// gone: it is looked for while the send waits.
LRESULT SendToDialog(HWND target, UINT message, WPARAM wParam, LPARAM lParam)
{
    const DWORD process = ProcessOf(target);
    struct Sent {
        HWND Target;
        UINT Message;
        WPARAM WParam;
        LPARAM LParam;
        LRESULT Result = 0;
    };
    // The send runs on a thread of its own, so that this one can watch for an error box.
    // The record is left to the thread if it never ends: the process ends soon after.
    auto* sent = new Sent{target, message, wParam, lParam};
    const HANDLE thread = CreateThread(
        nullptr, 0,
        [](void* data) -> DWORD {
            auto& s = *static_cast<Sent*>(data);
            s.Result = SendMessageW(s.Target, s.Message, s.WParam, s.LParam);
            return 0;
        },
        sent, 0, nullptr);
    if (!thread) throw Failure("no thread for the send");
    HWND box = nullptr;
    WaitFor([&] {
        if (WaitForSingleObject(thread, 0) == WAIT_OBJECT_0) return true;
        return (box = FindErrorBox(process)) != nullptr;
    });
    std::string boxText;
    if (box) boxText = DismissErrorBox(box);
    const bool ended = WaitForSingleObject(thread, kWaitMilliseconds) == WAIT_OBJECT_0;
    CloseHandle(thread);
    if (!ended) throw Failure("the settings dialog does not answer");
    const LRESULT result = sent->Result;
    delete sent;
    if (box) throw ErrorBoxShown(boxText);
    return result;
}

// The control of that name in the control table.
OptionControl Named(const std::wstring& name)
{
    const std::string ascii = WideToUtf8(name);
    const std::optional<OptionControl> control = OptionControlNamed(ascii);
    if (!control) throw Failure("the settings dialog has no control named " + ascii);
    return *control;
}

// A control's name for a message; its id when it is a part of one, such as a radio button.
std::string ControlName(int id)
{
    for (const OptionControlRow& row : kOptionControls)
        if (row.Id == id) return std::string(row.Name);
    return std::to_string(id);
}

HWND Control(HWND dialog, OptionControl control)
{
    const HWND window = GetDlgItem(dialog, OptionControlId(control));
    if (!window)
        throw Failure("the settings dialog has no window for " + std::string(OptionControlRowOf(control).Name));
    return window;
}

LRESULT Command(HWND dialog, OptionControl control, int code)
{
    return SendToDialog(dialog, WM_COMMAND, MAKEWPARAM(OptionControlId(control), code),
                        reinterpret_cast<LPARAM>(Control(dialog, control)));
}

// Fails unless every shown control lies inside the dialog's client area; returns how many
// controls are shown.
int ShownControlsInside(HWND dialog)
{
    struct Search {
        HWND Dialog;
        RECT Client;
        int Shown = 0;
        std::vector<int> Outside;
    } search{dialog, {}, 0, {}};
    GetClientRect(dialog, &search.Client);
    EnumChildWindows(
        dialog,
        [](HWND control, LPARAM data) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(data);
            if (GetParent(control) != s.Dialog || !IsWindowVisible(control)) return TRUE;
            ++s.Shown;
            RECT r{};
            GetWindowRect(control, &r);
            MapWindowPoints(nullptr, s.Dialog, reinterpret_cast<POINT*>(&r), 2);
            if (r.left < s.Client.left || r.top < s.Client.top || r.right > s.Client.right || r.bottom > s.Client.bottom)
                s.Outside.push_back(GetDlgCtrlID(control));
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (!search.Outside.empty()) throw Failure("control " + ControlName(search.Outside[0]) + " lies outside the dialog");
    return search.Shown;
}

// Waits until the dialog has closed after OK or Cancel.
void WaitDialogClosed(const std::string& how)
{
    if (!WaitFor([] { return OptionDialog() == nullptr; })) throw Failure("the settings dialog stays open after " + how);
}

// The lines of the 経過 window's step list, one a line; waits for the window to open.
std::string TraceItems(HWND dialog)
{
    HWND window = nullptr;
    WaitFor([&] {
        for (window = FindWindowExW(nullptr, nullptr, kTraceWindowClass, nullptr); window;
             window = FindWindowExW(nullptr, window, kTraceWindowClass, nullptr))
            if (GetWindow(window, GW_OWNER) == dialog && IsWindowVisible(window)) return true;
        return false;
    });
    if (!window) throw Failure("the 経過 window did not open");
    const HWND list = GetDlgItem(window, kIdListBoxTrace);
    std::string lines;
    const auto count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (WPARAM item = 0; static_cast<LRESULT>(item) < count; ++item) {
        std::wstring text(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, item, 0)) + 1, L'\0');
        text.resize(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXT, item, reinterpret_cast<LPARAM>(text.data()))));
        lines += WideToUtf8(text) + "\n";
    }
    return lines;
}

// The dialog commands, as "dialog VERB ARGS...", a control named as in the control table
// (EditFrom, ButtonExe, PageControlExec, ...):
//   text NAME TEXT      sets an edit's text (the dialog takes the change at once)
//   get NAME            prints a control's text
//   click NAME          clicks a button or check box
//   tab NAME INDEX      clicks tab INDEX of a tab control (kOptionMsgSelectTab)
//   order-click POS     clicks the check box of the pipeline list's item POS
//   order               prints the pipeline list: "CODE" or "CODE*" (checked) per item
//   group INDEX         chooses group INDEX (0-3) in the group box
//   hotkey VALUE        sets the hot-key control (HKM_SETHOTKEY value) as a key press would
//   undo INDEX          double-clicks history entry INDEX in the undo pane
//   dpi DPI             moves the dialog to a monitor of that DPI where it is (kOptionMsgChangeDpi)
//   fits                prints how many controls are shown; fails if one lies outside the dialog
//   trace-items         prints the steps the 経過 window lists, one a line
//   ok, cancel          closes the dialog and waits for it to go (also after an error box)
int Dialog(const std::vector<std::wstring>& args)
{
    if (args.empty()) throw Failure("dialog: no verb");
    const HWND dialog = RequireOptionDialog();
    const std::wstring& verb = args[0];
    auto arg = [&](std::size_t i) -> const std::wstring& {
        if (i >= args.size()) throw Failure("dialog " + WideToUtf8(verb) + ": too few arguments");
        return args[i];
    };
    if (verb == L"text") {
        SendToDialog(Control(dialog, Named(arg(1))), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(arg(2).c_str()));
    } else if (verb == L"get") {
        Print(WideToUtf8(TextOf(Control(dialog, Named(arg(1))))) + "\n");
    } else if (verb == L"click") {
        SendToDialog(Control(dialog, Named(arg(1))), BM_CLICK, 0, 0);
    } else if (verb == L"tab") {
        if (SendToDialog(dialog, kOptionMsgSelectTab, OptionControlId(Named(arg(1))), Number(arg(2).c_str())) != 1)
            throw Failure("no such tab");
    } else if (verb == L"order-click") {
        if (SendToDialog(dialog, kOptionMsgClickOrderItem, Number(arg(1).c_str()), 0) != 1)
            throw Failure("no such pipeline item");
    } else if (verb == L"order") {
        std::string items;
        for (int position = 0; position < kProcessKindCount; ++position) {
            const LRESULT item = SendToDialog(dialog, kOptionMsgQueryOrderItem, position, 0);
            if (item < 0) throw Failure("the pipeline list has no item " + std::to_string(position));
            if (position > 0) items += ' ';
            items += std::to_string(item & 0xFF);
            if (item & 0x100) items += '*';
        }
        Print(items + "\n");
    } else if (verb == L"group") {
        SendToDialog(Control(dialog, OptionControl::ComboBoxGroup), CB_SETCURSEL, Number(arg(1).c_str()), 0);
        Command(dialog, OptionControl::ComboBoxGroup, CBN_SELCHANGE);
    } else if (verb == L"hotkey") {
        SendToDialog(Control(dialog, OptionControl::HotKey), HKM_SETHOTKEY, Number(arg(1).c_str()), 0);
        Command(dialog, OptionControl::HotKey, EN_CHANGE);
    } else if (verb == L"undo") {
        SendToDialog(Control(dialog, OptionControl::ListBoxUndo), LB_SETCURSEL, Number(arg(1).c_str()), 0);
        Command(dialog, OptionControl::ListBoxUndo, LBN_DBLCLK);
    } else if (verb == L"dpi") {
        RECT r{};
        GetWindowRect(dialog, &r);
        SendToDialog(dialog, kOptionMsgChangeDpi, Number(arg(1).c_str()), MAKELPARAM(r.left, r.top));
    } else if (verb == L"trace-items") {
        Print(TraceItems(dialog));
    } else if (verb == L"fits") {
        Print(std::to_string(ShownControlsInside(dialog)) + "\n");
    } else if (verb == L"ok") {
        // OK closes the dialog also when writing the settings failed with an error box.
        try {
            Command(dialog, OptionControl::ButtonOk, BN_CLICKED);
        } catch (const ErrorBoxShown&) {
            WaitDialogClosed("OK");
            throw;
        }
        WaitDialogClosed("OK");
    } else if (verb == L"cancel") {
        Command(dialog, OptionControl::ButtonCancel, BN_CLICKED);
        WaitDialogClosed("Cancel");
    } else {
        throw Failure("dialog: unknown verb " + WideToUtf8(verb));
    }
    return 0;
}

// --- The launched program --------------------------------------------------------------------

// mark NAME ARGS...: what the association launch starts. Writes launched-NAME.txt beside
// this program with the command line after NAME, exactly as it came (blanks included),
// and the working directory it was given.
int Mark(const std::vector<std::wstring>& args)
{
    if (args.empty()) throw Failure("mark: no name");
    // The raw command line: the parsed arguments would hide how the parameters were spaced.
    const std::wstring commandLine = GetCommandLineW();
    const std::wstring afterName = L" mark " + args[0];
    const std::size_t at = commandLine.find(afterName);
    if (at == std::wstring::npos) throw Failure("mark: the name is not on the command line");
    std::wstring parameters = commandLine.substr(at + afterName.size());
    if (!parameters.empty() && parameters[0] == L' ') parameters.erase(0, 1);
    wchar_t directory[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, directory);
    wchar_t program[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    const std::filesystem::path marker = std::filesystem::path(program).parent_path() / (L"launched-" + args[0] + L".txt");
    WriteFileBytes(marker, "args=" + WideToUtf8(parameters) + "\ncwd=" + WideToUtf8(directory) + "\n");
    return 0;
}

int Run(const std::vector<std::wstring>& args)
{
    if (args.empty()) throw Failure("no command (see tests/win32/E2EDriver.cpp)");
    const std::wstring& command = args[0];
    const std::vector<std::wstring> rest(args.begin() + 1, args.end());
    auto arg = [&](std::size_t i) -> const std::wstring& {
        if (i >= rest.size()) throw Failure(WideToUtf8(command) + ": too few arguments");
        return rest[i];
    };
    if (command == L"wait-main") return WaitMain();
    if (command == L"wait-gone") return WaitGone();
    if (command == L"count") return Count(arg(0));
    if (command == L"set-clipboard") return SetClipboardFromFile(arg(0));
    if (command == L"get-clipboard") return GetClipboardToFile(arg(0));
    if (command == L"edit") return Edit(rest);
    if (command == L"restore") return Restore(Number(arg(0).c_str()));
    if (command == L"post-hotkey") return Post(WM_HOTKEY, Number(arg(0).c_str()), 0);
    if (command == L"tray") return Post(kTrayCallbackMessage, kTrayIconId, Number(arg(0).c_str()));
    if (command == L"command") return Post(WM_COMMAND, Number(arg(0).c_str()), 0);
    if (command == L"close") return Post(WM_CLOSE, 0, 0);
    if (command == L"menu") return Menu(rest);
    if (command == L"rect") return Rect(arg(0));
    if (command == L"tray-point") return TrayPoint();
    if (command == L"wait-balloon") return WaitBalloon();
    if (command == L"wait-box") return WaitBox();
    if (command == L"try-hotkey") return TryHotKey(Number(arg(0).c_str()), Number(arg(1).c_str()));
    if (command == L"hold-hotkey") return HoldHotKey(Number(arg(0).c_str()), Number(arg(1).c_str()), Number(arg(2).c_str()));
    if (command == L"hold-clipboard") return HoldClipboard(Number(arg(0).c_str()));
    if (command == L"menu-point") return MenuPoint(rest);
    if (command == L"open-settings") return OpenSettings();
    if (command == L"wait-settings") return WaitSettings();
    if (command == L"dialog") return Dialog(rest);
    if (command == L"mark") return Mark(rest);
    throw Failure("unknown command " + WideToUtf8(command));
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    // Bytes as they are: the script compares the output, which must not gain CRs.
    _setmode(_fileno(stdout), _O_BINARY);
    try {
        return Run(std::vector<std::wstring>(argv + 1, argv + argc));
    } catch (const ErrorBoxShown& e) {
        Print(std::string(e.what()) + "\n");
        return kExitErrorBox;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "e2e-driver: %s\n", e.what());
        return kExitFailure;
    }
}
