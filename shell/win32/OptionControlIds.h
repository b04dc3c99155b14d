// The child ids of the settings dialog's controls, from the control table
// (shell/OptionControlTable.h), and the messages by which a test driver acts on the dialog
// as the user would. Every control is a direct child of the dialog window, so
// GetDlgItem(dialog, OptionControlId(control)) finds it.
//
// Driving the dialog from another process, a control named by its row's name:
// - edits and spin edits: WM_SETTEXT (the change is written at once; a spin edit without
//   the focus is clamped at once, as if the user had left it);
// - check boxes and radio buttons: BM_CLICK on the button (its page must be shown);
// - group: CB_SETCURSEL, then WM_COMMAND (ComboBoxGroup, CBN_SELCHANGE) to the dialog;
// - hot key: HKM_SETHOTKEY, then WM_COMMAND (HotKey, EN_CHANGE) to apply the rule that
//   adds Alt to a key without modifiers or with Shift alone;
// - tabs, pages and the pipeline list: the kOptionMsg messages below, answered by
//   OptionDialogTestHooks (a tab control does not notify its parent of TCM_SETCURSEL,
//   and list-view items need pointers into this process);
// - a move to a monitor of another DPI: kOptionMsgChangeDpi below;
// - history: LB_SETCURSEL, then WM_COMMAND (ListBoxUndo, LBN_DBLCLK) to the dialog;
// - buttons: WM_COMMAND (id, BN_CLICKED) or BM_CLICK; OK is IDOK, Cancel IDCANCEL, and
//   WM_CLOSE cancels too.
#pragma once

#include <windows.h>

#include <optional>

#include "shell/OptionControlTable.h"

static_assert(OptionControlRowOf(OptionControl::ButtonOk).Id == IDOK);
static_assert(OptionControlRowOf(OptionControl::ButtonCancel).Id == IDCANCEL);

constexpr int OptionControlId(OptionControl control) { return OptionControlRowOf(control).Id; }

// A radio group is a group box with one radio button per item, a spin edit an edit with
// an up-down control: their ids follow the control's own.
constexpr int RadioButtonId(OptionControl radioGroup, int item) { return OptionControlId(radioGroup) + 1 + item; }
constexpr int UpDownId(OptionControl spinEdit) { return OptionControlId(spinEdit) + 1; }

// The logic's control for a child id; a radio button answers for its group.
constexpr std::optional<OptionControl> OptionControlOfId(int id)
{
    for (const OptionControlRow& row : kOptionControls) {
        if (row.Id == id) return row.Control;
        if (row.Kind == OptionControlKind::RadioGroup && id > row.Id && id <= row.Id + row.Items.Count())
            return row.Control;
    }
    return std::nullopt;
}

// The 経過 window (class kTraceWindowClass, owned by the dialog): the steps of the last
// 実行 in its list box, the text after the chosen one in its read-only edit. A driver
// reads the steps with LB_GETCOUNT and LB_GETTEXT.
constexpr wchar_t kTraceWindowClass[] = L"MorvaneTrace";
constexpr int kIdListBoxTrace = 1701;
constexpr int kIdMemoTrace = 1702;

// wParam: the id of a tab control (TabControlSet, PageControlExec, TabControlReplace or
// TabControlEdit); lParam: the tab's index. Acts as a click on that tab. Returns 1 when
// done, 0 for an unknown id or index.
constexpr UINT kOptionMsgSelectTab = WM_APP + 1;
// wParam: a position 0-6 of the pipeline list. Acts as a click on that item's check box.
// Returns 1 when done, 0 for a position outside the list.
constexpr UINT kOptionMsgClickOrderItem = WM_APP + 2;
// wParam: a position 0-6 of the pipeline list. Returns the process code (0-6) whose
// caption the item shows, plus 0x100 when it is checked; -1 for a position outside.
constexpr UINT kOptionMsgQueryOrderItem = WM_APP + 3;
// wParam: a DPI; lParam: MAKELPARAM(left, top) in screen pixels. Acts as a move of the
// dialog to a monitor of that DPI: the dialog gets WM_DPICHANGED with the suggested window
// rectangle at that top left (its size the present one, which the dialog does not use).
// The driver cannot send WM_DPICHANGED itself, whose rectangle is a pointer into the
// dialog's process, and X gives a Wine window no monitor of another DPI. Returns 1.
constexpr UINT kOptionMsgChangeDpi = WM_APP + 4;
