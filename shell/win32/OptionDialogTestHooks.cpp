#include "shell/win32/OptionDialogTestHooks.h"

#include <commctrl.h>
#include <windowsx.h>

#include "shell/win32/OptionControlIds.h"
#include "shell/win32/Win32Dpi.h"

namespace {

bool IsVisibleTabControl(HWND dialog, HWND control)
{
    wchar_t windowClass[32]{};
    return control && GetParent(control) == dialog && IsWindowVisible(control)
           && GetClassNameW(control, windowClass, 32) && lstrcmpiW(windowClass, WC_TABCONTROLW) == 0;
}

void NotifyDialog(HWND dialog, HWND tabs, UINT code)
{
    NMHDR header{tabs, static_cast<UINT_PTR>(GetDlgCtrlID(tabs)), code};
    SendMessageW(dialog, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

// The dialog hears of the change through the notifications that a click sends.
LRESULT SelectTab(HWND dialog, WPARAM id, LPARAM index)
{
    HWND tabs = GetDlgItem(dialog, static_cast<int>(id));
    if (!IsVisibleTabControl(dialog, tabs)) return 0;
    if (index < 0 || index >= SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0)) return 0;
    FocusOn(tabs);
    NotifyDialog(dialog, tabs, TCN_SELCHANGING);
    SendMessageW(tabs, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    NotifyDialog(dialog, tabs, TCN_SELCHANGE);
    return 1;
}

LRESULT ClickOrderItem(HWND dialog, OptionWin32View& view, TMorvaneOption& logic, WPARAM position)
{
    HWND list = GetDlgItem(dialog, OptionControlId(OptionControl::CheckListBoxOrder));
    if (position >= kProcessKindCount || !IsWindowVisible(list)) return 0;
    FocusOn(list);
    view.ToggleOrderItem(static_cast<int>(position));
    logic.Input(OptionControl::CheckListBoxOrder);
    return 1;
}

LRESULT QueryOrderItem(OptionWin32View& view, WPARAM position)
{
    if (position >= kProcessKindCount) return -1;
    const OrderItem item = view.GetOrderItems()[position];
    return static_cast<int>(item.Kind) | (item.Checked ? 0x100 : 0);
}

LRESULT ChangeDpi(HWND dialog, WPARAM dpi, LPARAM topLeft)
{
    RECT suggested{};
    GetWindowRect(dialog, &suggested);
    OffsetRect(&suggested, GET_X_LPARAM(topLeft) - suggested.left, GET_Y_LPARAM(topLeft) - suggested.top);
    SendMessageW(dialog, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    return 1;
}

}  // namespace

std::optional<LRESULT> HandleOptionTestHook(HWND dialog, OptionWin32View& view, TMorvaneOption& logic, UINT message,
                                            WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case kOptionMsgSelectTab: return SelectTab(dialog, wParam, lParam);
    case kOptionMsgClickOrderItem: return ClickOrderItem(dialog, view, logic, wParam);
    case kOptionMsgQueryOrderItem: return QueryOrderItem(view, wParam);
    case kOptionMsgChangeDpi: return ChangeDpi(dialog, wParam, lParam);
    default: return std::nullopt;
    }
}
