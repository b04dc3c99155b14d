// The settings dialog window: registers the window class "TMorvaneOption", builds the
// controls, runs a modal loop of its own on the program's one thread, and hands every
// control event to the dialog logic (TMorvaneOption) under the name of the operation it
// starts. Errors raised by an operation are shown like the program's other errors and
// leave the dialog open.
#include "shell/win32/OptionDialog.h"

#include <commctrl.h>

#include <memory>
#include <optional>
#include <stdexcept>
#include <utility>

#include "text/SjisLiteral.h"
#include "shell/UnitOption.h"
#include "shell/win32/ErrorBox.h"
#include "shell/win32/OptionControlIds.h"
#include "shell/win32/OptionControls.h"
#include "shell/win32/OptionFont.h"
#include "shell/win32/OptionDialogTestHooks.h"
#include "shell/win32/SpreadLabel.h"
#include "shell/win32/WideText.h"
#include "shell/win32/OptionWin32View.h"
#include "shell/win32/Win32Dpi.h"
#include "shell/win32/Win32Icon.h"
#include "shell/win32/resource.h"

namespace {

using C = OptionControl;

// Posted when the user turns a pipeline item's check mark over: the list view is left to
// finish its click before the logic reorders its items.
constexpr UINT kMsgOrderClicked = WM_APP + 10;

constexpr DWORD kWindowStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kWindowExStyle = WS_EX_DLGMODALFRAME | WS_EX_APPWINDOW;

class FontHolder {
public:
    FontHolder() = default;
    ~FontHolder()
    {
        if (font_) DeleteObject(font_);
    }
    FontHolder(const FontHolder&) = delete;
    FontHolder& operator=(const FontHolder&) = delete;
    HFONT Get() const { return font_; }
    // Holds the new font from now on; the previous one is the caller's to delete.
    HFONT Replace(HFONT font) { return std::exchange(font_, font); }

private:
    HFONT font_ = nullptr;
};

struct OptionWindow {
    OptionWindow(HWND window, OptionHost& host, FontHolder& font, int dpi)
        : Font(font), Dpi(dpi), Controls(CreateOptionControls(window, font.Get(), dpi)), View(window, Controls.Pages),
          Logic(host, View)
    {
    }
    FontHolder& Font;  // the controls' font, at Dpi; it outlives the window
    int Dpi;
    OptionWindowControls Controls;
    OptionWin32View View;
    TMorvaneOption Logic;
    HWND LastFocus = nullptr;  // given back when the window is activated again
    bool LoopWoken = false;    // the modal loop has been told that the dialog is closed
    // The title bar's and the task-bar button's icons, at Dpi's sizes.
    OwnedIcon BigIcon;
    OwnedIcon SmallIcon;
};

OptionWindow* StateOf(HWND window) { return reinterpret_cast<OptionWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA)); }

// The selection of a tab control has changed.
void TabChanged(OptionWindow& w, OptionControl tabs)
{
    switch (tabs) {
    case C::TabControlSet: w.Logic.TabControlSetChange(); break;
    case C::PageControlExec:
        w.View.ShowSelectedPage();
        w.Logic.PageControlExecChange();
        break;
    case C::TabControlReplace: w.Logic.TabControlReplaceChange(); break;
    case C::TabControlEdit: w.Logic.TabControlEditChange(); break;
    default: break;
    }
}

void OnCommand(HWND window, OptionWindow& w, int id, int code, HWND control)
{
    const std::optional<OptionControl> source = OptionControlOfId(id);
    if (!source) return;
    TMorvaneOption& logic = w.Logic;
    switch (*source) {
    case C::ButtonOk:
        FocusOn(GetDlgItem(window, id));
        logic.HotKeyExit();  // also when a test driver set the hot key without the focus
        logic.ButtonOkClick();
        return;
    case C::ButtonCancel: logic.ButtonCancelClick(); return;
    case C::ComboBoxGroup:
        if (code != CBN_SELCHANGE) return;
        FocusOn(control);
        logic.HotKeyExit();
        logic.ComboBoxGroupChange();
        return;
    case C::HotKey:
        if (code == EN_CHANGE) logic.HotKeyChange();
        if (code == EN_KILLFOCUS) logic.HotKeyExit();
        return;
    case C::ButtonUpdate:
        if (code == BN_CLICKED) logic.ButtonUpdateClick();
        return;
    case C::ButtonExe:
        if (code == BN_CLICKED) logic.ButtonExeClick();
        return;
    case C::ButtonTrace:
        if (code == BN_CLICKED) logic.ButtonTraceClick();
        return;
    case C::ListBoxUndo:
        if (code == LBN_DBLCLK) logic.ListBoxUndoDblClick();
        return;
    default: break;
    }
    const bool spinEdit = OptionControlRowOf(*source).Kind == OptionControlKind::SpinEdit;
    if (code == EN_CHANGE || code == BN_CLICKED) {
        logic.Input(*source);
        // Changed while the user is elsewhere (up-down arrows, a test driver): nothing
        // more will be typed, so the value is final.
        if (spinEdit && GetFocus() != control) logic.SpinEditExit(*source);
    } else if (code == EN_KILLFOCUS && spinEdit) {
        logic.SpinEditExit(*source);
    }
}

LRESULT OnNotify(HWND window, OptionWindow& w, const NMHDR& header)
{
    const std::optional<OptionControl> source = OptionControlOfId(static_cast<int>(header.idFrom));
    if (!source) return 0;
    if (*source == C::TabControlSet && header.code == TCN_SELCHANGING) {
        w.Logic.TabControlSetChanging();
        return FALSE;
    }
    if (OptionControlRowOf(*source).Kind == OptionControlKind::Tabs && header.code == TCN_SELCHANGE) {
        TabChanged(w, *source);
    } else if (*source == C::CheckListBoxOrder && header.code == LVN_ITEMCHANGED) {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if (change.iItem >= 0 && (change.uChanged & LVIF_STATE)
            && ((change.uNewState ^ change.uOldState) & LVIS_STATEIMAGEMASK))
            PostMessageW(window, kMsgOrderClicked, 0, 0);
    }
    return 0;
}

// Enter presses the focused push button, or OK when the focus is elsewhere.
int DefaultButton(HWND window)
{
    HWND focus = GetFocus();
    const int id = focus && GetParent(focus) == window ? GetDlgCtrlID(focus) : 0;
    const std::optional<OptionControl> focused = OptionControlOfId(id);
    const bool pushButton = focused && OptionControlRowOf(*focused).Kind == OptionControlKind::Button;
    return pushButton ? id : OptionControlId(C::ButtonOk);
}

// Gives the window a client area of the size at the top left. The frame is the system's
// for the DPI, measured again on the window: Wine draws every frame at its one DPI.
void PlaceWindow(HWND window, POINT topLeft, SIZE client, int dpi)
{
    const SIZE frame = FrameSizeForClient(client, kWindowStyle, kWindowExStyle, dpi);
    SetWindowPos(window, nullptr, topLeft.x, topLeft.y, frame.cx, frame.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT shown{};
    GetClientRect(window, &shown);
    if (shown.right == client.cx && shown.bottom == client.cy) return;
    SetWindowPos(window, nullptr, 0, 0, frame.cx + client.cx - shown.right, frame.cy + client.cy - shown.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The program's icon, which the dialog's task-bar button shows as well: the dialog is a
// window of its own there, beside no visible main window.
void SetWindowIcons(HWND window, OptionWindow& w)
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    OwnedIcon big = LoadIconResource(instance, IDI_APP, SystemMetricForDpi(SM_CXICON, w.Dpi));
    OwnedIcon small = LoadIconResource(instance, IDI_APP, SystemMetricForDpi(SM_CXSMICON, w.Dpi));
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
    // The window has let go of the previous icons only now.
    w.BigIcon = std::move(big);
    w.SmallIcon = std::move(small);
}

// The dialog has moved to a monitor of another DPI: a font for it, every control laid out
// again in that font, and the window sized to hold them at the top left that the system
// suggests. What the controls show stays, focus included.
void ChangeDpi(HWND window, OptionWindow& w, int dpi, const RECT& suggested)
{
    const HFONT font = CreateOptionFont(dpi);
    // Deleted only once every control has the new font; kept if the layout fails half-way.
    const HFONT previous = w.Font.Replace(font);
    w.Dpi = dpi;
    w.Controls = LayOutOptionControls(window, font, dpi);
    DeleteObject(previous);
    PlaceWindow(window, POINT{suggested.left, suggested.top}, w.Controls.Client, dpi);
    SetWindowIcons(window, w);
    RedrawWindow(window, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

LRESULT Handle(HWND window, OptionWindow& w, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (const std::optional<LRESULT> hooked = HandleOptionTestHook(window, w.View, w.Logic, message, wParam, lParam))
        return *hooked;
    switch (message) {
    case WM_COMMAND:
        if (!w.View.Updating())
            OnCommand(window, w, LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_NOTIFY: return w.View.Updating() ? 0 : OnNotify(window, w, *reinterpret_cast<const NMHDR*>(lParam));
    case kMsgOrderClicked: w.Logic.Input(C::CheckListBoxOrder); return 0;
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        const auto centres = w.Controls.WordCentres.find(static_cast<int>(item.CtlID));
        if (centres == w.Controls.WordCentres.end()) return FALSE;
        DrawSpreadLabel(item, centres->second);
        return TRUE;
    }
    case DM_GETDEFID: return MAKELRESULT(DefaultButton(window), DC_HASDEFID);
    case WM_DPICHANGED: ChangeDpi(window, w, HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return 0;
    case WM_CLOSE: w.Logic.ButtonCancelClick(); return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(window, focus)) w.LastFocus = focus;
        } else if (w.LastFocus && IsWindow(w.LastFocus)) {
            SetFocus(w.LastFocus);
        }
        return 0;
    case WM_DESTROY: SetWindowLongPtrW(window, GWLP_USERDATA, 0); return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK OptionWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    OptionWindow* state = StateOf(window);
    if (!state) return DefWindowProcW(window, message, wParam, lParam);
    LRESULT result = 0;
    try {
        result = Handle(window, *state, message, wParam, lParam);
    } catch (const std::exception& e) {
        ShowErrorBox(window, e.what());
    }
    // A message sent from another thread is handled inside GetMessage, which goes on
    // waiting: the modal loop must be woken to see that the dialog has been closed.
    if (state->Logic.ModalResult() != OptionResult::None && !state->LoopWoken)
        state->LoopWoken = PostMessageW(window, WM_NULL, 0, 0) != 0;
    return result;
}

// The hot-key control does not tell its parent that it lost the focus; this tells it
// the way an edit would.
LRESULT CALLBACK HotKeyFocusProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    const LRESULT result = DefSubclassProc(control, message, wParam, lParam);
    if (message == WM_KILLFOCUS)
        SendMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), EN_KILLFOCUS),
                     reinterpret_cast<LPARAM>(control));
    else if (message == WM_NCDESTROY)
        RemoveWindowSubclass(control, HotKeyFocusProc, 0);
    return result;
}

void RegisterOptionClass()
{
    static const bool registered = [] {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_UPDOWN_CLASS
                                                            | ICC_HOTKEY_CLASS | ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&controls);
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = OptionWindowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = kOptionWindowClass;
        return RegisterClassExW(&windowClass) != 0;
    }();
    if (!registered) throw std::runtime_error(SjString("設定ダイアログを作成できません"_sj));
}

// Ends the dialog window: the owner is enabled again first, so that it, not some other
// program, becomes active.
class DialogCloser {
public:
    DialogCloser(HWND window, HWND owner) : window_(window), owner_(owner) {}
    ~DialogCloser()
    {
        if (ownerDisabled_) EnableWindow(owner_, TRUE);
        if (IsWindow(window_)) DestroyWindow(window_);
    }
    DialogCloser(const DialogCloser&) = delete;
    DialogCloser& operator=(const DialogCloser&) = delete;

    // Only a visible owner is disabled: the hidden main window must go on receiving the
    // tray icon's clicks and menu commands while the dialog is open.
    void DisableOwner()
    {
        ownerDisabled_ = owner_ && IsWindowVisible(owner_) && IsWindowEnabled(owner_);
        if (ownerDisabled_) EnableWindow(owner_, FALSE);
    }

private:
    HWND window_;
    HWND owner_;
    bool ownerDisabled_ = false;
};

void CentreOnScreen(HWND window, SIZE client, int dpi)
{
    const SIZE frame = FrameSizeForClient(client, kWindowStyle, kWindowExStyle, dpi);
    const POINT centred{(GetSystemMetrics(SM_CXSCREEN) - frame.cx) / 2, (GetSystemMetrics(SM_CYSCREEN) - frame.cy) / 2};
    PlaceWindow(window, centred, client, dpi);
}

}  // namespace

bool ShowOptionDialog(HWND owner, OptionHost& host)
{
    RegisterOptionClass();
    FontHolder font;  // outlives the window that uses it
    HWND window = CreateWindowExW(kWindowExStyle, kOptionWindowClass, ToWide("Morvane Ver.0.99").c_str(),
                                  kWindowStyle, 0, 0, 0, 0, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!window) throw std::runtime_error(SjString("設定ダイアログを作成できません"_sj));
    std::unique_ptr<OptionWindow> state;
    try {
        // The window opens on the primary monitor, where it is centred below.
        const int dpi = WindowDpi(window);
        font.Replace(CreateOptionFont(dpi));
        state = std::make_unique<OptionWindow>(window, host, font, dpi);
        SetWindowIcons(window, *state);
    } catch (...) {
        DestroyWindow(window);
        throw;
    }
    DialogCloser closer(window, owner);  // ends before the state that the window uses
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state.get()));
    SetWindowSubclass(GetDlgItem(window, OptionControlId(C::HotKey)), HotKeyFocusProc, 0, 0);

    CentreOnScreen(window, state->Controls.Client, state->Dpi);
    state->Logic.FormCreate();
    state->LastFocus = GetDlgItem(window, OptionControlId(C::ComboBoxGroup));
    closer.DisableOwner();
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SetFocus(state->LastFocus);

    MSG message;
    while (state->Logic.ModalResult() == OptionResult::None && IsWindow(window)) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(message.wParam));  // the program ends: leave that to the main loop
            break;
        }
        if (got == -1) break;
        if (!IsDialogMessageW(window, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return state->Logic.ModalResult() == OptionResult::Ok;
}
