#include "shell/win32/OptionControls.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <string_view>

#include "shell/win32/OptionBuilder.h"
#include "shell/win32/OptionPages.h"
#include "shell/win32/WideText.h"

namespace {

using C = OptionControl;

// The dialog's width and the columns its sections line up with.
struct DialogFrame {
    int Margin;
    int Gap;           // between neighbouring controls
    int ListWidth;     // the pipeline list's
    int CommentWidth;  // the association-launch comment's
    int Width;         // the client area's
    int Inner;         // between the margins
    int ButtonHeight;
};

DialogFrame MeasureDialog(const Builder& b)
{
    DialogFrame f{};
    f.Margin = b.Px(10);
    f.Gap = b.Px(8);
    // The pipeline list is as wide as its longest caption beside a check box.
    f.ListWidth = b.Px(120);
    for (const ProcessKind kind : kProcessKinds)
        f.ListWidth = std::max(f.ListWidth, b.TextWidth(ProcessKindCaption(kind)) + b.Px(44));
    const int pageWidth = b.Px(440);
    // Just wide enough for the first part and its blanks, so the second part takes the next line.
    const std::string_view comment = Builder::Caption(C::LabelComment);
    const std::size_t second = comment.find_first_not_of(' ', comment.find(' '));
    f.CommentWidth = std::max(b.TextWidth(comment.substr(0, second)), b.TextWidth(comment.substr(second))) + b.Px(2);
    f.Width = std::max(f.Margin + f.ListWidth + b.Px(12) + pageWidth, f.CommentWidth) + f.Margin;
    f.Inner = f.Width - 2 * f.Margin;
    f.ButtonHeight = b.RowHeight + b.Px(4);
    return f;
}

// The sections of the dialog from the top down; each returns where the next one starts
// unless it says otherwise.

// The group box and the group's name.
int BuildGroupRow(Builder& b, const DialogFrame& f, int y)
{
    int x = f.Margin;
    b.Label(C::LabelGroup, x, y + b.LabelOffset);
    x += b.TextWidth(Builder::Caption(C::LabelGroup)) + b.Px(6);
    HWND combo = b.Add(WC_COMBOBOXW, "", WS_TABSTOP | WS_GROUP | WS_VSCROLL | CBS_DROPDOWNLIST, C::ComboBoxGroup,
                       Builder::Rect(x, y, b.Px(190), b.RowHeight + b.Px(160)));
    SendMessageW(combo, CB_SETDROPPEDWIDTH, b.Px(320), 0);
    x += b.Px(190) + b.Px(20);
    b.Label(C::LabelName, x, y + b.LabelOffset);
    x += b.TextWidth(Builder::Caption(C::LabelName)) + b.Px(6);
    b.Edit(C::EditGroupName, Builder::Rect(x, y, f.Width - f.Margin - x, b.RowHeight));
    return y + b.RowHeight + f.Gap;
}

// The set tabs, the hot key of the chosen tab and, beside it, the set's choice to edit
// the selection.
int BuildSetRow(Builder& b, const DialogFrame& f, int y)
{
    HWND setTabs = b.Tabs(C::TabControlSet, f.Margin, y, f.Inner);
    y += WindowHeight(setTabs) + f.Gap;
    b.Label(C::LabelHotKey, f.Margin, y + b.LabelOffset);
    const int hotKeyX = f.Margin + b.TextWidth(Builder::Caption(C::LabelHotKey)) + b.Px(6);
    b.Add(HOTKEY_CLASSW, "", WS_TABSTOP | WS_GROUP, C::HotKey, Builder::Rect(hotKeyX, y, b.Px(200), b.RowHeight),
          WS_EX_CLIENTEDGE);
    b.CheckBox(C::CheckBoxEditSelection, hotKeyX + b.Px(200) + b.Px(20), y);
    const int extendedWidth = b.TextWidth(Builder::Caption(C::CheckBoxExtendedRegex)) + b.Px(24);
    b.CheckBox(C::CheckBoxExtendedRegex, f.Width - f.Margin - extendedWidth, y);
    // Below the key, empty unless another program holds the key shown.
    const int takenY = y + b.RowHeight + b.Px(2);
    b.Add(WC_STATICW, "", SS_LEFT | SS_NOPREFIX, C::LabelHotKeyTaken,
          Builder::Rect(hotKeyX, takenY, b.TextWidth(Builder::Caption(C::LabelHotKeyTaken)) + b.Px(2), b.TextHeight));
    return takenY + b.TextHeight + b.Px(6);
}

// Fills the pipeline list with one checkable item per process.
void FillPipelineList(HWND list)
{
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT,
                 LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    for (int k = 0; k < kProcessKindCount; ++k) {
        std::wstring text = ToWide(ProcessKindCaption(kProcessKinds[k]));
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = k;
        item.pszText = text.data();
        item.lParam = static_cast<LPARAM>(kProcessKinds[k]);
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
}

// Makes the pipeline list's column fill it and the list just high enough for its items
// in its font; returns that height.
int FitPipelineList(const Builder& b, HWND list, int width)
{
    SendMessageW(list, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(width - b.Px(6), 0));
    RECT itemRect{};
    itemRect.left = LVIR_BOUNDS;
    SendMessageW(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&itemRect));
    const int height = (itemRect.bottom - itemRect.top) * kProcessKindCount + b.Metric(SM_CYEDGE) * 2 + b.Px(4);
    SetWindowPos(list, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
    return height;
}

// The pipeline list under its caption; returns its bottom.
int BuildPipelineList(Builder& b, const DialogFrame& f, int top)
{
    b.Label(C::LabelOrder, f.Margin, top);
    const int listTop = top + b.TextHeight + b.Px(3);
    HWND list = b.Add(WC_LISTVIEWW, "",
                      WS_TABSTOP | WS_GROUP | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                      C::CheckListBoxOrder, Builder::Rect(f.Margin, listTop, f.ListWidth, b.RowHeight * 7),
                      WS_EX_CLIENTEDGE);
    if (b.Creating()) FillPipelineList(list);
    return listTop + FitPipelineList(b, list, f.ListWidth);
}

// The page buttons beside the pipeline list and the pages below them; returns the
// bottom of the tallest page.
int BuildPages(Builder& b, const DialogFrame& f, int top)
{
    const int pageX = f.Margin + f.ListWidth + b.Px(12);
    const int tabsTop = top - b.Px(4);
    HWND pageTabs = b.Tabs(C::PageControlExec, pageX, tabsTop, f.Width - f.Margin - pageX);
    const PageArea area{pageX + b.Px(4), tabsTop + WindowHeight(pageTabs) + b.Px(10), f.Width - f.Margin - pageX - b.Px(4)};
    int bottom = top;
    for (int page = 0; page < kOptionPageCount; ++page)
        bottom = std::max(bottom, BuildOptionPage(b, static_cast<OptionPage>(page), area));
    return bottom;
}

// The association-launch comment, and in the same space the pipeline list and the pages;
// returns the bottom of the lowest of them.
int BuildMiddle(Builder& b, const DialogFrame& f, int top)
{
    b.Label(C::LabelComment, f.Margin, top, f.CommentWidth, 2);
    const int listBottom = BuildPipelineList(b, f, top);
    return std::max(listBottom, BuildPages(b, f, top));
}

// The trial text and, in its place, the history; the buttons beside them.
int BuildTrialArea(Builder& b, const DialogFrame& f, int y)
{
    HWND tabs = b.Tabs(C::TabControlEdit, f.Margin, y, f.Inner);
    y += WindowHeight(tabs) + b.Px(4);
    const int paneHeight = b.Px(150);
    const int buttonWidth = std::max(b.Px(80), b.TextWidth(Builder::Caption(C::ButtonUpdate)) + b.Px(24));
    const int buttonX = f.Width - f.Margin - buttonWidth;
    HWND memo = b.Add(WC_EDITW, "",
                      WS_TABSTOP | WS_GROUP | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL
                          | ES_WANTRETURN,
                      C::MemoClipboard, Builder::Rect(f.Margin, y, f.Inner - buttonWidth - f.Gap, paneHeight),
                      WS_EX_CLIENTEDGE);
    SendMessageW(memo, EM_SETLIMITTEXT, 0, 0);
    b.Button(C::ButtonUpdate, Builder::Rect(buttonX, y, buttonWidth, f.ButtonHeight));
    b.Button(C::ButtonExe, Builder::Rect(buttonX, y + f.ButtonHeight + f.Gap, buttonWidth, f.ButtonHeight));
    b.Button(C::ButtonTrace, Builder::Rect(buttonX, y + 2 * (f.ButtonHeight + f.Gap), buttonWidth, f.ButtonHeight));
    b.Add(WC_LISTBOXW, "", WS_TABSTOP | WS_GROUP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, C::ListBoxUndo,
          Builder::Rect(f.Margin, y, f.Inner, paneHeight), WS_EX_CLIENTEDGE);
    return y + paneHeight + b.Px(12);
}

// OK and Cancel; returns the client area's height.
int BuildCloseButtons(Builder& b, const DialogFrame& f, int y)
{
    const int closeWidth = std::max(b.Px(96), b.TextWidth(Builder::Caption(C::ButtonCancel)) + b.Px(24));
    const int cancelX = f.Width - f.Margin - closeWidth;
    b.Button(C::ButtonOk, Builder::Rect(cancelX - f.Gap - closeWidth, y, closeWidth, f.ButtonHeight),
             BS_DEFPUSHBUTTON);
    b.Button(C::ButtonCancel, Builder::Rect(cancelX, y, closeWidth, f.ButtonHeight));
    return y + f.ButtonHeight + f.Margin;
}

OptionWindowControls BuildOptionControls(HWND dialog, HFONT font, int dpi, BuildMode mode)
{
    Builder b(dialog, font, dpi, mode);
    const DialogFrame frame = MeasureDialog(b);
    int y = BuildGroupRow(b, frame, frame.Margin);
    y = BuildSetRow(b, frame, y);
    y = BuildMiddle(b, frame, y) + b.Px(14);
    y = BuildTrialArea(b, frame, y);
    y = BuildCloseButtons(b, frame, y);
    return OptionWindowControls{SIZE{frame.Width, y}, std::move(b.Pages), std::move(b.WordCentres)};
}

}  // namespace

OptionWindowControls CreateOptionControls(HWND dialog, HFONT font, int dpi)
{
    return BuildOptionControls(dialog, font, dpi, BuildMode::Create);
}

OptionWindowControls LayOutOptionControls(HWND dialog, HFONT font, int dpi)
{
    return BuildOptionControls(dialog, font, dpi, BuildMode::LayOutAgain);
}
