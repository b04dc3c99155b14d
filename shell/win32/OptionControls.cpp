#include "shell/win32/OptionControls.h"

#include <commctrl.h>

#include <algorithm>
#include <initializer_list>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>

#include "text/SjisLiteral.h"
#include "shell/win32/OptionControlIds.h"
#include "shell/win32/WideText.h"
#include "shell/win32/Win32Dpi.h"

namespace {

using C = OptionControl;

struct ControlId {
    OptionControl Control;
    int Id;
};

constexpr ControlId kControlIds[] = {
    {C::ComboBoxGroup, kIdComboBoxGroup},
    {C::EditGroupName, kIdEditGroupName},
    {C::TabControlSet, kIdTabControlSet},
    {C::HotKey, kIdHotKey},
    {C::LabelHotKeyTaken, kIdLabelHotKeyTaken},
    {C::LabelComment, kIdLabelComment},
    {C::LabelOrder, kIdLabelOrder},
    {C::CheckListBoxOrder, kIdCheckListBoxOrder},
    {C::CheckBoxEditSelection, kIdCheckBoxEditSelection},
    {C::PageControlExec, kIdPageControlExec},
    {C::TabControlReplace, kIdTabControlReplace},
    {C::EditFrom, kIdEditFrom},
    {C::EditTo, kIdEditTo},
    {C::CheckBoxCase, kIdCheckBoxCase},
    {C::SpinEditIndex, kIdSpinEditIndex},
    {C::SpinEditStep, kIdSpinEditStep},
    {C::SpinEditDeg, kIdSpinEditDeg},
    {C::EditBefore, kIdEditBefore},
    {C::EditAfter, kIdEditAfter},
    {C::RadioGroupAdd, kIdRadioGroupAdd},
    {C::RadioGroupFill, kIdRadioGroupFill},
    {C::RadioGroupCase, kIdRadioGroupCase},
    {C::CheckBoxInitial, kIdCheckBoxInitial},
    {C::RadioGroupZnHn, kIdRadioGroupZnHn},
    {C::RadioGroupKana, kIdRadioGroupKana},
    {C::CheckBoxHnKn, kIdCheckBoxHnKn},
    {C::RadioGroupSort, kIdRadioGroupSort},
    {C::EditRLBefore, kIdEditRLBefore},
    {C::EditRLCenter, kIdEditRLCenter},
    {C::EditRLAfter, kIdEditRLAfter},
    {C::RadioGroupEnDeCd, kIdRadioGroupEnDeCd},
    {C::CheckBoxURLUtf8, kIdCheckBoxURLUtf8},
    {C::TabControlEdit, kIdTabControlEdit},
    {C::MemoClipboard, kIdMemoClipboard},
    {C::ButtonUpdate, kIdButtonUpdate},
    {C::ButtonExe, kIdButtonExe},
    {C::ButtonTrace, kIdButtonTrace},
    {C::ListBoxUndo, kIdListBoxUndo},
};

struct RadioGroupSpec {
    OptionControl Control;
    int Id;
    std::string_view Caption;
    std::array<std::string_view, 3> Items;
    int Count;
    int Columns;
};

constexpr RadioGroupSpec kRadioGroups[] = {
    {C::RadioGroupAdd, kIdRadioGroupAdd, "", {"先付"_sj, "後付"_sj}, 2, 2},
    {C::RadioGroupFill, kIdRadioGroupFill, "", {"０埋め"_sj, "空白埋め"_sj}, 2, 2},
    {C::RadioGroupCase, kIdRadioGroupCase, "", {"すべて小文字"_sj, "すべて大文字"_sj, "変更しない"_sj}, 3, 1},
    {C::RadioGroupZnHn, kIdRadioGroupZnHn, "全角<->半角"_sj, {"全角->半角"_sj, "半角->全角"_sj, "変更しない"_sj}, 3, 1},
    {C::RadioGroupKana,
     kIdRadioGroupKana,
     "かな<->カナ"_sj,
     {"ひらがな　→　カタカナ"_sj, "カタカナ　→　ひらがな"_sj, "変更しない"_sj},
     3,
     1},
    {C::RadioGroupSort, kIdRadioGroupSort, "行ソート"_sj, {"昇順"_sj, "降順"_sj, "逆順"_sj}, 3, 3},
    {C::RadioGroupEnDeCd, kIdRadioGroupEnDeCd, "URL", {"エンコード"_sj, "デコード"_sj}, 2, 2},
};

const RadioGroupSpec& RadioGroup(OptionControl control)
{
    for (const RadioGroupSpec& radio : kRadioGroups)
        if (radio.Control == control) return radio;
    throw std::logic_error("not a radio group");
}

// The comment of the association-launch tab; its run of blanks is where the line breaks.
constexpr std::string_view kCommentFirst =
    "クリップボード内容がファイル名やURLアドレス名で、アプリケーションと関連付けされている場合、"_sj;
constexpr std::string_view kCommentBlanks = "           ";
constexpr std::string_view kCommentSecond =
    "そのアプリケーションよりクリップボード内容と同一のファイルやURLアドレスをオープンします。"_sj;

// Captions that picture a row of edits: their words are spread over the edits and the
// gaps between them (see DrawSpreadLabel).
constexpr std::string_view kBeforeAfterCaption = "前置            行番号             後置"_sj;
constexpr std::string_view kSwapCaption = "^                    右辺                    左辺                    $"_sj;

// Whether the builder makes the controls or lays out again those it made before.
enum class BuildMode { Create, LayOutAgain };

// Creates controls on the dialog with one font, measures captions in that font and
// keeps the list of controls of the page being built. Laying out again goes through the
// same steps over the existing controls, so both ways end with the same layout; only
// what a control holds (items, ranges) and whether it is shown are set at creation alone.
class Builder {
public:
    Builder(HWND dialog, HFONT font, int dpi, BuildMode mode)
        : dialog_(dialog), font_(font), dc_(GetDC(dialog)), dpi_(dpi), mode_(mode)
    {
        oldFont_ = SelectObject(dc_, font);
        TEXTMETRICW tm{};
        GetTextMetricsW(dc_, &tm);
        TextHeight = tm.tmHeight;
        RowHeight = TextHeight + Px(8);
        LabelOffset = (RowHeight - TextHeight) / 2;
    }
    ~Builder()
    {
        SelectObject(dc_, oldFont_);
        ReleaseDC(dialog_, dc_);
    }
    Builder(const Builder&) = delete;
    Builder& operator=(const Builder&) = delete;

    int TextHeight;
    int RowHeight;    // edits, combo box, check boxes
    int LabelOffset;  // a label beside an edit, from the edit's top
    std::array<std::vector<HWND>, kOptionPageCount> Pages;
    std::map<int, std::vector<int>> WordCentres;

    // Pixels at the window's resolution for a length designed at 96 dots per inch.
    int Px(int designed) const { return MulDiv(designed, dpi_, kDesignDpi); }
    int Metric(int index) const { return SystemMetricForDpi(index, dpi_); }
    bool Creating() const { return mode_ == BuildMode::Create; }

    int TextWidth(std::string_view cp932) const
    {
        const std::wstring text = ToWide(cp932);
        SIZE size{};
        GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &size);
        return size.cx;
    }

    // Controls made from now on belong to this page (-1: to no page).
    void OnPage(int page) { page_ = page; }

    HWND Add(const wchar_t* windowClass, std::string_view caption, DWORD style, int id, RECT r, DWORD exStyle = 0)
    {
        HWND control = Creating() ? Create(windowClass, caption, style, id, r, exStyle) : Place(id, r);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        if (page_ >= 0) Pages[page_].push_back(control);
        return control;
    }

    HWND Label(std::string_view caption, int id, int x, int y, int width = 0, int lines = 1)
    {
        return Add(WC_STATICW, caption, SS_LEFT | SS_NOPREFIX, id,
                   Rect(x, y, width ? width : TextWidth(caption) + Px(2), TextHeight * lines));
    }
    // A one-line caption whose words are drawn centred at the given offsets from its left.
    HWND SpreadLabel(std::string_view caption, int id, int x, int y, int width, std::vector<int> centres)
    {
        WordCentres[id] = std::move(centres);
        return Add(WC_STATICW, caption, SS_OWNERDRAW, id, Rect(x, y, width, TextHeight));
    }
    HWND Edit(int id, RECT r) { return Add(WC_EDITW, "", WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL, id, r, WS_EX_CLIENTEDGE); }
    HWND CheckBox(std::string_view caption, int id, int x, int y)
    {
        return Add(WC_BUTTONW, caption, WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX, id,
                   Rect(x, y, TextWidth(caption) + Px(24), RowHeight));
    }
    HWND Button(std::string_view caption, int id, RECT r, DWORD kind = BS_PUSHBUTTON)
    {
        return Add(WC_BUTTONW, caption, WS_TABSTOP | WS_GROUP | kind, id, r);
    }

    // A spin edit of the given width (up-down arrows included) with its label before it;
    // returns the right edge.
    int SpinEdit(std::string_view caption, int labelId, OptionControl control, int editId, int x, int y, int width)
    {
        Label(caption, labelId, x, y + LabelOffset);
        x += TextWidth(caption) + Px(6);
        HWND edit = Edit(editId, Rect(x, y, width, RowHeight));
        HWND upDown = Add(UPDOWN_CLASSW, "", UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS,
                          editId + 1, Rect(0, 0, 0, 0));
        // Also when laying out again: the buddy has its full width again, and the
        // arrows take their part of it.
        SendMessageW(upDown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
        if (Creating()) {
            const SpinRange range = *SpinEditRange(control);
            SendMessageW(upDown, UDM_SETRANGE32, static_cast<WPARAM>(range.Min), static_cast<LPARAM>(range.Max));
        }
        return x + width;
    }

    // Button-style tabs; the control is made just as high as its row of buttons.
    HWND Tabs(int id, std::initializer_list<std::string_view> captions, int x, int y, int width)
    {
        HWND tabs = Add(WC_TABCONTROLW, "", WS_TABSTOP | WS_GROUP | TCS_BUTTONS, id, Rect(x, y, width, RowHeight * 2));
        if (Creating()) {
            int index = 0;
            for (std::string_view caption : captions) {
                std::wstring text = ToWide(caption);
                TCITEMW item{};
                item.mask = TCIF_TEXT;
                item.pszText = text.data();
                SendMessageW(tabs, TCM_INSERTITEMW, index++, reinterpret_cast<LPARAM>(&item));
            }
        }
        RECT last{};
        SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(captions.size()) - 1, reinterpret_cast<LPARAM>(&last));
        SetWindowPos(tabs, nullptr, 0, 0, width, last.bottom + Px(2), SWP_NOMOVE | SWP_NOZORDER);
        return tabs;
    }

    // A group box with its radio buttons in rows of Columns; returns the box's bottom.
    int RadioGroup(const RadioGroupSpec& radio, int x, int y, int width)
    {
        const int columnWidth = (width - Px(16)) / radio.Columns;
        const int rows = (radio.Count + radio.Columns - 1) / radio.Columns;
        const int top = y + TextHeight + Px(2);
        for (int i = 0; i < radio.Count; ++i) {
            const DWORD first = i == 0 ? WS_GROUP | WS_TABSTOP : 0;
            Add(WC_BUTTONW, radio.Items[i], first | BS_AUTORADIOBUTTON, radio.Id + 1 + i,
                Rect(x + Px(10) + (i % radio.Columns) * columnWidth, top + (i / radio.Columns) * RowHeight,
                     columnWidth - Px(4), RowHeight));
        }
        const int bottom = top + rows * RowHeight + Px(6);
        // Made after its buttons so that they lie above it.
        Add(WC_BUTTONW, radio.Caption, BS_GROUPBOX | WS_GROUP, radio.Id, Rect(x, y, width, bottom - y));
        return bottom;
    }

    // The width a radio group needs for its widest item in each column.
    int RadioGroupWidth(const RadioGroupSpec& radio) const
    {
        int widest = TextWidth(radio.Caption) + Px(16);
        for (int i = 0; i < radio.Count; ++i) widest = std::max(widest, TextWidth(radio.Items[i]) + Px(36));
        return widest * radio.Columns + Px(16);
    }

    static RECT Rect(int x, int y, int width, int height) { return RECT{x, y, x + width, y + height}; }

private:
    HWND Create(const wchar_t* windowClass, std::string_view caption, DWORD style, int id, RECT r, DWORD exStyle)
    {
        const bool hidden = page_ > 0 || id == kIdListBoxUndo;
        HWND control = CreateWindowExW(exStyle, windowClass, ToWide(caption).c_str(),
                                       WS_CHILD | WS_CLIPSIBLINGS | (hidden ? 0 : WS_VISIBLE) | style, r.left,
                                       r.top, r.right - r.left, r.bottom - r.top, dialog_,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                                       nullptr);
        if (!control) throw std::runtime_error(SjString("設定ダイアログを作成できません"_sj));
        return control;
    }

    // Moves and sizes an existing control; its text, state and visibility stay.
    HWND Place(int id, RECT r)
    {
        HWND control = GetDlgItem(dialog_, id);
        if (!control) throw std::logic_error("a control to lay out again is missing");
        SetWindowPos(control, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
        return control;
    }

    HWND dialog_;
    HFONT font_;
    HDC dc_;
    HGDIOBJ oldFont_;
    int dpi_;
    BuildMode mode_;
    int page_ = -1;
};

int WindowHeight(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    return r.bottom - r.top;
}

// Layout of one page of PageControlExec; each returns the page's bottom.
struct PageArea {
    int X;
    int Y;
    int Width;
};

int BuildReplacePage(Builder& b, PageArea p)
{
    HWND tabs = b.Tabs(kIdTabControlReplace, {"置換条件（１）"_sj, "置換条件（２）"_sj, "置換条件（３）"_sj, "置換条件（４）"_sj},
                       p.X, p.Y, p.Width);
    int y = p.Y + WindowHeight(tabs) + b.Px(10);
    const int labelWidth = std::max(b.TextWidth("検索文字列"_sj), b.TextWidth("置換文字列"_sj)) + b.Px(8);
    const int editX = p.X + labelWidth;
    b.Label("検索文字列"_sj, kIdLabelFrom, p.X, y + b.LabelOffset);
    b.Edit(kIdEditFrom, Builder::Rect(editX, y, p.Width - labelWidth, b.RowHeight));
    y += b.RowHeight + b.Px(6);
    b.Label("置換文字列"_sj, kIdLabelTo, p.X, y + b.LabelOffset);
    b.Edit(kIdEditTo, Builder::Rect(editX, y, p.Width - labelWidth, b.RowHeight));
    y += b.RowHeight + b.Px(6);
    b.CheckBox("大文字小文字を区別しない"_sj, kIdCheckBoxCase, editX, y);
    return y + b.RowHeight;
}

int BuildLineNoPage(Builder& b, PageArea p)
{
    const int spinWidth = b.Px(58);
    int x = p.X;
    int y = p.Y;
    x = b.SpinEdit("開始"_sj, kIdLabelIndex, C::SpinEditIndex, kIdSpinEditIndex, x, y, spinWidth) + b.Px(18);
    x = b.SpinEdit("ステップ"_sj, kIdLabelStep, C::SpinEditStep, kIdSpinEditStep, x, y, spinWidth) + b.Px(18);
    b.SpinEdit("桁数"_sj, kIdLabelDeg, C::SpinEditDeg, kIdSpinEditDeg, x, y, spinWidth);
    y += b.RowHeight + b.Px(12);

    // 前置 over EditBefore, 行番号 over the gap where the number goes, 後置 over EditAfter.
    const int editWidth = b.Px(110);
    const int numberWidth = b.TextWidth("行番号"_sj) + b.Px(24);
    b.SpreadLabel(kBeforeAfterCaption, kIdLabelBeforeAfter, p.X, y, 2 * editWidth + numberWidth,
                  {editWidth / 2, editWidth + numberWidth / 2, editWidth + numberWidth + editWidth / 2});
    y += b.TextHeight + b.Px(3);
    b.Edit(kIdEditBefore, Builder::Rect(p.X, y, editWidth, b.RowHeight));
    b.Edit(kIdEditAfter, Builder::Rect(p.X + editWidth + numberWidth, y, editWidth, b.RowHeight));
    y += b.RowHeight + b.Px(10);

    const int boxWidth = (p.Width - b.Px(8)) / 2;
    b.RadioGroup(RadioGroup(C::RadioGroupAdd), p.X, y, boxWidth);
    return b.RadioGroup(RadioGroup(C::RadioGroupFill), p.X + boxWidth + b.Px(8), y, boxWidth);
}

int BuildCasePage(Builder& b, PageArea p)
{
    const RadioGroupSpec& radio = RadioGroup(C::RadioGroupCase);
    const int width = b.RadioGroupWidth(radio);
    const int bottom = b.RadioGroup(radio, p.X, p.Y, width);
    b.CheckBox("先頭文字のみ大文字"_sj, kIdCheckBoxInitial, p.X + width + b.Px(16), p.Y + b.TextHeight + b.Px(2));
    return bottom;
}

int BuildConvertPage(Builder& b, PageArea p)
{
    const RadioGroupSpec& znHn = RadioGroup(C::RadioGroupZnHn);
    const RadioGroupSpec& kana = RadioGroup(C::RadioGroupKana);
    const int width = std::max(b.RadioGroupWidth(znHn), b.RadioGroupWidth(kana));
    int bottom = b.RadioGroup(znHn, p.X, p.Y, width);
    b.RadioGroup(kana, p.X + width + b.Px(10), p.Y, width);
    bottom += b.Px(6);
    b.CheckBox("半角ｶﾅに適用"_sj, kIdCheckBoxHnKn, p.X + b.Px(10), bottom);
    return bottom + b.RowHeight;
}

int BuildOtherPage(Builder& b, PageArea p)
{
    int y = b.RadioGroup(RadioGroup(C::RadioGroupSort), p.X, p.Y, p.Width) + b.Px(10);

    // ^ EditRLBefore 右辺 EditRLCenter 左辺 EditRLAfter $, the words over the gaps.
    const int markWidth = b.TextWidth("^$") + b.Px(8);
    const int sideWidth = std::max(b.TextWidth("右辺"_sj), b.TextWidth("左辺"_sj)) + b.Px(16);
    const int editWidth = (p.Width - 2 * markWidth - 2 * sideWidth) / 3;
    const int gaps[] = {markWidth, sideWidth, sideWidth, markWidth};
    std::vector<int> centres;
    int offset = 0;
    for (int i = 0; i < 4; ++i) {
        centres.push_back(offset + gaps[i] / 2);
        offset += gaps[i] + editWidth;
    }
    b.SpreadLabel(kSwapCaption, kIdLabelRL, p.X, y, p.Width, std::move(centres));
    y += b.TextHeight + b.Px(3);
    const int editIds[] = {kIdEditRLBefore, kIdEditRLCenter, kIdEditRLAfter};
    offset = 0;
    for (int i = 0; i < 3; ++i) {
        offset += gaps[i];
        b.Edit(editIds[i], Builder::Rect(p.X + offset, y, editWidth, b.RowHeight));
        offset += editWidth;
    }
    y += b.RowHeight + b.Px(10);
    // The URL group: its two choices and, in a third column, the UTF-8 check box, made
    // before the group's box so that it lies above it like the buttons.
    RadioGroupSpec url = RadioGroup(C::RadioGroupEnDeCd);
    url.Columns = 3;
    const int width = b.RadioGroupWidth(url);
    const int column = (width - b.Px(16)) / url.Columns;
    b.CheckBox("UTF-8", kIdCheckBoxURLUtf8, p.X + b.Px(10) + 2 * column, y + b.TextHeight + b.Px(2));
    return b.RadioGroup(url, p.X, y, width);
}

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
    f.CommentWidth =
        std::max(b.TextWidth(std::string(kCommentFirst) + std::string(kCommentBlanks)), b.TextWidth(kCommentSecond))
        + b.Px(2);
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
    b.Label("グループ"_sj, kIdLabelGroup, x, y + b.LabelOffset);
    x += b.TextWidth("グループ"_sj) + b.Px(6);
    HWND combo = b.Add(WC_COMBOBOXW, "", WS_TABSTOP | WS_GROUP | WS_VSCROLL | CBS_DROPDOWNLIST, kIdComboBoxGroup,
                       Builder::Rect(x, y, b.Px(190), b.RowHeight + b.Px(160)));
    SendMessageW(combo, CB_SETDROPPEDWIDTH, b.Px(320), 0);
    x += b.Px(190) + b.Px(20);
    b.Label("名称"_sj, kIdLabelName, x, y + b.LabelOffset);
    x += b.TextWidth("名称"_sj) + b.Px(6);
    b.Edit(kIdEditGroupName, Builder::Rect(x, y, f.Width - f.Margin - x, b.RowHeight));
    return y + b.RowHeight + f.Gap;
}

// The set tabs, the hot key of the chosen tab and, beside it, the set's choice to edit
// the selection.
int BuildSetRow(Builder& b, const DialogFrame& f, int y)
{
    HWND setTabs = b.Tabs(kIdTabControlSet,
                          {"編集設定（１）"_sj, "編集設定（２）"_sj, "編集設定（３）"_sj, "編集設定（４）"_sj, "関連付け起動"_sj},
                          f.Margin, y, f.Inner);
    y += WindowHeight(setTabs) + f.Gap;
    b.Label("ホットキー"_sj, kIdLabelHotKey, f.Margin, y + b.LabelOffset);
    const int hotKeyX = f.Margin + b.TextWidth("ホットキー"_sj) + b.Px(6);
    b.Add(HOTKEY_CLASSW, "", WS_TABSTOP | WS_GROUP, kIdHotKey, Builder::Rect(hotKeyX, y, b.Px(200), b.RowHeight),
          WS_EX_CLIENTEDGE);
    b.CheckBox("選択中のテキストを編集して貼り付ける"_sj, kIdCheckBoxEditSelection, hotKeyX + b.Px(200) + b.Px(20), y);
    // Below the key, empty unless another program holds the key shown.
    const int takenY = y + b.RowHeight + b.Px(2);
    b.Label("", kIdLabelHotKeyTaken, hotKeyX, takenY, b.TextWidth("他のプログラムが使用中です"_sj) + b.Px(2));
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
    b.Label("適用処理(順序)"_sj, kIdLabelOrder, f.Margin, top);
    const int listTop = top + b.TextHeight + b.Px(3);
    HWND list = b.Add(WC_LISTVIEWW, "",
                      WS_TABSTOP | WS_GROUP | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                      kIdCheckListBoxOrder, Builder::Rect(f.Margin, listTop, f.ListWidth, b.RowHeight * 7),
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
    HWND pageTabs = b.Tabs(kIdPageControlExec, {"文字列置換"_sj, "行番号"_sj, "大/小文字"_sj, "文字変換"_sj, "その他"_sj},
                           pageX, tabsTop, f.Width - f.Margin - pageX);
    const PageArea area{pageX + b.Px(4), tabsTop + WindowHeight(pageTabs) + b.Px(10), f.Width - f.Margin - pageX - b.Px(4)};
    int (*const builders[kOptionPageCount])(Builder&, PageArea) = {BuildReplacePage, BuildLineNoPage, BuildCasePage,
                                                                   BuildConvertPage, BuildOtherPage};
    int bottom = top;
    for (int page = 0; page < kOptionPageCount; ++page) {
        b.OnPage(page);
        bottom = std::max(bottom, builders[page](b, area));
    }
    b.OnPage(-1);
    return bottom;
}

// The association-launch comment, and in the same space the pipeline list and the pages;
// returns the bottom of the lowest of them.
int BuildMiddle(Builder& b, const DialogFrame& f, int top)
{
    const std::string comment = std::string(kCommentFirst) + std::string(kCommentBlanks) + std::string(kCommentSecond);
    b.Label(comment, kIdLabelComment, f.Margin, top, f.CommentWidth, 2);
    const int listBottom = BuildPipelineList(b, f, top);
    return std::max(listBottom, BuildPages(b, f, top));
}

// The trial text and, in its place, the history; the buttons beside them.
int BuildTrialArea(Builder& b, const DialogFrame& f, int y)
{
    HWND tabs = b.Tabs(kIdTabControlEdit, {"クリップボード"_sj, "元に戻す"_sj}, f.Margin, y, f.Inner);
    y += WindowHeight(tabs) + b.Px(4);
    const int paneHeight = b.Px(150);
    const int buttonWidth = std::max(b.Px(80), b.TextWidth("更新"_sj) + b.Px(24));
    const int buttonX = f.Width - f.Margin - buttonWidth;
    HWND memo = b.Add(WC_EDITW, "",
                      WS_TABSTOP | WS_GROUP | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL
                          | ES_WANTRETURN,
                      kIdMemoClipboard, Builder::Rect(f.Margin, y, f.Inner - buttonWidth - f.Gap, paneHeight),
                      WS_EX_CLIENTEDGE);
    SendMessageW(memo, EM_SETLIMITTEXT, 0, 0);
    b.Button("更新"_sj, kIdButtonUpdate, Builder::Rect(buttonX, y, buttonWidth, f.ButtonHeight));
    b.Button("実行"_sj, kIdButtonExe, Builder::Rect(buttonX, y + f.ButtonHeight + f.Gap, buttonWidth, f.ButtonHeight));
    b.Button("経過"_sj, kIdButtonTrace,
             Builder::Rect(buttonX, y + 2 * (f.ButtonHeight + f.Gap), buttonWidth, f.ButtonHeight));
    b.Add(WC_LISTBOXW, "", WS_TABSTOP | WS_GROUP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, kIdListBoxUndo,
          Builder::Rect(f.Margin, y, f.Inner, paneHeight), WS_EX_CLIENTEDGE);
    return y + paneHeight + b.Px(12);
}

// OK and Cancel; returns the client area's height.
int BuildCloseButtons(Builder& b, const DialogFrame& f, int y)
{
    const int closeWidth = std::max(b.Px(96), b.TextWidth("キャンセル"_sj) + b.Px(24));
    const int cancelX = f.Width - f.Margin - closeWidth;
    b.Button("ＯＫ"_sj, kIdButtonOk, Builder::Rect(cancelX - f.Gap - closeWidth, y, closeWidth, f.ButtonHeight),
             BS_DEFPUSHBUTTON);
    b.Button("キャンセル"_sj, kIdButtonCancel, Builder::Rect(cancelX, y, closeWidth, f.ButtonHeight));
    return y + f.ButtonHeight + f.Margin;
}

}  // namespace

int OptionControlId(OptionControl control)
{
    for (const ControlId& c : kControlIds)
        if (c.Control == control) return c.Id;
    throw std::logic_error("control without an id");
}

std::optional<OptionControl> OptionControlOfId(int id)
{
    for (const ControlId& c : kControlIds)
        if (c.Id == id) return c.Control;
    for (const RadioGroupSpec& radio : kRadioGroups)
        if (id > radio.Id && id <= radio.Id + radio.Count) return radio.Control;
    return std::nullopt;
}

int OptionRadioItemCount(OptionControl radioGroup) { return RadioGroup(radioGroup).Count; }

namespace {

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

void DrawSpreadLabel(const DRAWITEMSTRUCT& item, const std::vector<int>& centres)
{
    std::wstring caption(static_cast<std::size_t>(GetWindowTextLengthW(item.hwndItem)) + 1, L'\0');
    caption.resize(static_cast<std::size_t>(GetWindowTextW(item.hwndItem, caption.data(), static_cast<int>(caption.size()))));
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    const HGDIOBJ oldFont = SelectObject(item.hDC, reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0)));
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(COLOR_BTNTEXT));
    std::size_t start = caption.find_first_not_of(L' ');
    for (int centre : centres) {
        if (start == std::wstring::npos) break;
        const std::size_t end = std::min(caption.find(L' ', start), caption.size());
        const int length = static_cast<int>(end - start);
        SIZE size{};
        GetTextExtentPoint32W(item.hDC, caption.c_str() + start, length, &size);
        TextOutW(item.hDC, item.rcItem.left + centre - size.cx / 2, item.rcItem.top, caption.c_str() + start, length);
        start = caption.find_first_not_of(L' ', end);
    }
    SelectObject(item.hDC, oldFont);
}

namespace {

int CALLBACK NoteFontFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found)
{
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool HasJapanese(HDC dc, const wchar_t* face)
{
    LOGFONTW query{};
    query.lfCharSet = SHIFTJIS_CHARSET;
    lstrcpynW(query.lfFaceName, face, LF_FACESIZE);
    bool found = false;
    EnumFontFamiliesExW(dc, &query, NoteFontFound, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

}  // namespace

HFONT CreateOptionFont(int dpi)
{
    LOGFONTW font = MessageFontForDpi(dpi);
    HDC dc = GetDC(nullptr);
    if (!HasJapanese(dc, font.lfFaceName)) {
        // Where none of these exists the system's font linking still has to find the glyphs.
        for (const wchar_t* face : {L"Yu Gothic UI", L"Meiryo UI", L"MS UI Gothic", L"Noto Sans CJK JP", L"IPAPGothic"}) {
            if (!HasJapanese(dc, face)) continue;
            lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
            font.lfCharSet = SHIFTJIS_CHARSET;
            break;
        }
    }
    ReleaseDC(nullptr, dc);
    const HFONT created = CreateFontIndirectW(&font);
    if (!created) throw std::runtime_error(SjString("設定ダイアログを作成できません"_sj));
    return created;
}
