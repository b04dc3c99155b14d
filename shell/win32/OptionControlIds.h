// Control ids of the settings dialog window, and the messages by which a test driver acts
// on it as the user would. Every control is a direct child of the dialog window, so
// GetDlgItem(dialog, id) finds it.
//
// Driving the dialog from another process:
// - edits and spin edits: WM_SETTEXT (the change is written at once; a spin edit without
//   the focus is clamped at once, as if the user had left it);
// - check boxes and radio buttons: BM_CLICK on the button (its page must be shown);
// - group: CB_SETCURSEL, then WM_COMMAND (kIdComboBoxGroup, CBN_SELCHANGE) to the dialog;
// - hot key: HKM_SETHOTKEY, then WM_COMMAND (kIdHotKey, EN_CHANGE) to apply the rule that
//   adds Alt to a key without modifiers or with Shift alone;
// - tabs, pages and the pipeline list: the kOptionMsg messages below, answered by
//   OptionDialogTestHooks (a tab control does not notify its parent of TCM_SETCURSEL,
//   and list-view items need pointers into this process);
// - a move to a monitor of another DPI: kOptionMsgChangeDpi below;
// - history: LB_SETCURSEL, then WM_COMMAND (kIdListBoxUndo, LBN_DBLCLK) to the dialog;
// - buttons: WM_COMMAND (id, BN_CLICKED) or BM_CLICK; OK is IDOK, Cancel IDCANCEL, and
//   WM_CLOSE cancels too.
#pragma once

#include <windows.h>

constexpr int kIdButtonOk = IDOK;
constexpr int kIdButtonCancel = IDCANCEL;

constexpr int kIdLabelGroup = 1001;
constexpr int kIdComboBoxGroup = 1002;
constexpr int kIdLabelName = 1003;
constexpr int kIdEditGroupName = 1004;
constexpr int kIdTabControlSet = 1010;
constexpr int kIdLabelHotKey = 1011;
constexpr int kIdHotKey = 1012;
constexpr int kIdLabelComment = 1013;
constexpr int kIdLabelOrder = 1014;
constexpr int kIdLabelHotKeyTaken = 1017;
constexpr int kIdCheckListBoxOrder = 1015;  // list view with check boxes, one item per position
constexpr int kIdCheckBoxEditSelection = 1016;
constexpr int kIdPageControlExec = 1020;

// Page "文字列置換".
constexpr int kIdTabControlReplace = 1100;
constexpr int kIdLabelFrom = 1101;
constexpr int kIdEditFrom = 1102;
constexpr int kIdLabelTo = 1103;
constexpr int kIdEditTo = 1104;
constexpr int kIdCheckBoxCase = 1105;

// Page "行番号". A spin edit is an edit (the id below) with an up-down control (id + 1).
constexpr int kIdLabelIndex = 1200;
constexpr int kIdSpinEditIndex = 1201;
constexpr int kIdLabelStep = 1203;
constexpr int kIdSpinEditStep = 1204;
constexpr int kIdLabelDeg = 1206;
constexpr int kIdSpinEditDeg = 1207;
constexpr int kIdLabelBeforeAfter = 1209;
constexpr int kIdEditBefore = 1210;
constexpr int kIdEditAfter = 1211;
// A radio group is a group box (the id below) with one radio button per item: id + 1 + index.
constexpr int kIdRadioGroupAdd = 1220;
constexpr int kIdRadioGroupFill = 1230;

// Page "大/小文字".
constexpr int kIdRadioGroupCase = 1300;
constexpr int kIdCheckBoxInitial = 1310;

// Page "文字変換".
constexpr int kIdRadioGroupZnHn = 1400;
constexpr int kIdRadioGroupKana = 1410;
constexpr int kIdCheckBoxHnKn = 1420;

// Page "その他".
constexpr int kIdRadioGroupSort = 1500;
constexpr int kIdLabelRL = 1510;
constexpr int kIdEditRLBefore = 1511;
constexpr int kIdEditRLCenter = 1512;
constexpr int kIdEditRLAfter = 1513;
constexpr int kIdRadioGroupEnDeCd = 1520;
constexpr int kIdCheckBoxURLUtf8 = 1530;

// Trial text and history.
constexpr int kIdTabControlEdit = 1600;
constexpr int kIdMemoClipboard = 1601;
constexpr int kIdButtonUpdate = 1602;
constexpr int kIdButtonExe = 1603;
constexpr int kIdListBoxUndo = 1604;
constexpr int kIdButtonTrace = 1605;  // 経過, below 実行

// The 経過 window (class kTraceWindowClass, owned by the dialog): the steps of the last
// 実行 in its list box, the text after the chosen one in its read-only edit. A driver
// reads the steps with LB_GETCOUNT and LB_GETTEXT.
constexpr wchar_t kTraceWindowClass[] = L"MorvaneTrace";
constexpr int kIdListBoxTrace = 1701;
constexpr int kIdMemoTrace = 1702;

// wParam: the id of kIdTabControlSet, kIdPageControlExec, kIdTabControlReplace or
// kIdTabControlEdit; lParam: the tab's index. Acts as a click on that tab. Returns 1 when
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
