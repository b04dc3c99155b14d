#include "shell/win32/OptionBuilder.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <utility>

#include "shell/win32/OptionControlIds.h"
#include "shell/win32/WideText.h"
#include "shell/win32/Win32Dpi.h"
#include "text/SjisLiteral.h"

Builder::Builder(HWND dialog, HFONT font, int dpi, BuildMode mode)
    : dialog_(dialog), font_(font), dc_(GetDC(dialog)), dpi_(dpi), mode_(mode)
{
    oldFont_ = SelectObject(dc_, font);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc_, &tm);
    TextHeight = tm.tmHeight;
    RowHeight = TextHeight + Px(8);
    LabelOffset = (RowHeight - TextHeight) / 2;
}

Builder::~Builder()
{
    SelectObject(dc_, oldFont_);
    ReleaseDC(dialog_, dc_);
}

int Builder::Px(int designed) const { return MulDiv(designed, dpi_, kDesignDpi); }

int Builder::Metric(int index) const { return SystemMetricForDpi(index, dpi_); }

int Builder::TextWidth(std::string_view cp932) const
{
    const std::wstring text = ToWide(cp932);
    SIZE size{};
    GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

HWND Builder::Add(const wchar_t* windowClass, std::string_view caption, DWORD style, OptionControl control, RECT r,
                  DWORD exStyle)
{
    const OptionControlRow& row = OptionControlRowOf(control);
    return AddPart(windowClass, caption, style, row, row.Id, r, exStyle);
}

HWND Builder::AddPart(const wchar_t* windowClass, std::string_view caption, DWORD style, const OptionControlRow& row,
                      int id, RECT r, DWORD exStyle)
{
    // Pages other than the first and the history pane start hidden.
    const bool hidden = row.Page > opReplace || row.Control == OptionControl::ListBoxUndo;
    HWND control = Creating() ? Create(windowClass, caption, style, hidden, id, r, exStyle) : Place(id, r);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    if (row.Page != opNone) Pages[row.Page].push_back(control);
    return control;
}

HWND Builder::Label(OptionControl control, int x, int y, int width, int lines)
{
    const std::string_view caption = Caption(control);
    return Add(WC_STATICW, caption, SS_LEFT | SS_NOPREFIX, control,
               Rect(x, y, width ? width : TextWidth(caption) + Px(2), TextHeight * lines));
}

HWND Builder::SpreadLabel(OptionControl control, int x, int y, int width, std::vector<int> centres)
{
    WordCentres[OptionControlId(control)] = std::move(centres);
    return Add(WC_STATICW, Caption(control), SS_OWNERDRAW, control, Rect(x, y, width, TextHeight));
}

HWND Builder::Edit(OptionControl control, RECT r)
{
    return Add(WC_EDITW, "", WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL, control, r, WS_EX_CLIENTEDGE);
}

HWND Builder::CheckBox(OptionControl control, int x, int y)
{
    const std::string_view caption = Caption(control);
    return Add(WC_BUTTONW, caption, WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX, control,
               Rect(x, y, TextWidth(caption) + Px(24), RowHeight));
}

HWND Builder::Button(OptionControl control, RECT r, DWORD kind)
{
    return Add(WC_BUTTONW, Caption(control), WS_TABSTOP | WS_GROUP | kind, control, r);
}

int Builder::SpinEdit(OptionControl label, OptionControl spinEdit, int x, int y, int width)
{
    Label(label, x, y + LabelOffset);
    x += TextWidth(Caption(label)) + Px(6);
    HWND edit = Edit(spinEdit, Rect(x, y, width, RowHeight));
    const OptionControlRow& row = OptionControlRowOf(spinEdit);
    HWND upDown = AddPart(UPDOWN_CLASSW, "", UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, row,
                          UpDownId(spinEdit), Rect(0, 0, 0, 0));
    // Also when laying out again: the buddy has its full width again, and the
    // arrows take their part of it.
    SendMessageW(upDown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
    if (Creating())
        SendMessageW(upDown, UDM_SETRANGE32, static_cast<WPARAM>(row.Range.Min), static_cast<LPARAM>(row.Range.Max));
    return x + width;
}

HWND Builder::Tabs(OptionControl control, int x, int y, int width)
{
    const ItemCaptions& captions = OptionControlRowOf(control).Items;
    HWND tabs = Add(WC_TABCONTROLW, "", WS_TABSTOP | WS_GROUP | TCS_BUTTONS, control, Rect(x, y, width, RowHeight * 2));
    if (Creating()) {
        for (int index = 0; index < captions.Count(); ++index) {
            std::wstring text = ToWide(captions[index]);
            TCITEMW item{};
            item.mask = TCIF_TEXT;
            item.pszText = text.data();
            SendMessageW(tabs, TCM_INSERTITEMW, index, reinterpret_cast<LPARAM>(&item));
        }
    }
    RECT last{};
    SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(captions.Count()) - 1, reinterpret_cast<LPARAM>(&last));
    SetWindowPos(tabs, nullptr, 0, 0, width, last.bottom + Px(2), SWP_NOMOVE | SWP_NOZORDER);
    return tabs;
}

int Builder::RadioGroup(OptionControl control, int columns, int x, int y, int width)
{
    const OptionControlRow& radio = OptionControlRowOf(control);
    const int count = radio.Items.Count();
    const int columnWidth = (width - Px(16)) / columns;
    const int rows = (count + columns - 1) / columns;
    const int top = y + TextHeight + Px(2);
    for (int i = 0; i < count; ++i) {
        const DWORD first = i == 0 ? WS_GROUP | WS_TABSTOP : 0;
        AddPart(WC_BUTTONW, radio.Items[i], first | BS_AUTORADIOBUTTON, radio, RadioButtonId(control, i),
                Rect(x + Px(10) + (i % columns) * columnWidth, top + (i / columns) * RowHeight, columnWidth - Px(4),
                     RowHeight));
    }
    const int bottom = top + rows * RowHeight + Px(6);
    // Made after its buttons so that they lie above it.
    Add(WC_BUTTONW, radio.Caption, BS_GROUPBOX | WS_GROUP, control, Rect(x, y, width, bottom - y));
    return bottom;
}

int Builder::RadioGroupWidth(OptionControl control, int columns) const
{
    const OptionControlRow& radio = OptionControlRowOf(control);
    int widest = TextWidth(radio.Caption) + Px(16);
    for (int i = 0; i < radio.Items.Count(); ++i) widest = std::max(widest, TextWidth(radio.Items[i]) + Px(36));
    return widest * columns + Px(16);
}

HWND Builder::Create(const wchar_t* windowClass, std::string_view caption, DWORD style, bool hidden, int id, RECT r,
                     DWORD exStyle)
{
    HWND control = CreateWindowExW(exStyle, windowClass, ToWide(caption).c_str(),
                                   WS_CHILD | WS_CLIPSIBLINGS | (hidden ? 0 : WS_VISIBLE) | style, r.left, r.top,
                                   r.right - r.left, r.bottom - r.top, dialog_,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (!control) throw std::runtime_error(SjString("設定ダイアログを作成できません"_sj));
    return control;
}

HWND Builder::Place(int id, RECT r)
{
    HWND control = GetDlgItem(dialog_, id);
    if (!control) throw std::logic_error("a control to lay out again is missing");
    SetWindowPos(control, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    return control;
}

int WindowHeight(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    return r.bottom - r.top;
}
