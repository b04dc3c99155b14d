#include "shell/win32/OptionWin32View.h"

#include <commctrl.h>

#include <stdexcept>

#include "shell/win32/ErrorBox.h"
#include "shell/win32/OptionControlIds.h"
#include "shell/win32/TraceWindow.h"
#include "shell/win32/WideText.h"

class OptionWin32View::UpdateScope {
public:
    explicit UpdateScope(OptionWin32View& view) : view_(view) { ++view_.updating_; }
    ~UpdateScope() { --view_.updating_; }
    UpdateScope(const UpdateScope&) = delete;
    UpdateScope& operator=(const UpdateScope&) = delete;

private:
    OptionWin32View& view_;
};

namespace {

using C = OptionControl;

std::string WindowText(HWND window, TStandInMap& standIns)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return Utf16ToCp932(std::u16string(text.begin(), text.end()), standIns);
}

// A history text as one list line: its line breaks shown as pilcrows, not as boxes.
std::wstring OneLine(std::wstring text)
{
    std::wstring line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') continue;
        line += text[i] == L'\r' || text[i] == L'\n' ? L'\u00B6' : text[i];
    }
    return line;
}

bool IsTabControl(OptionControl control) { return OptionControlRowOf(control).Kind == OptionControlKind::Tabs; }

// Keys the hot-key control names correctly only when they carry the extended-key flag.
bool IsExtendedKey(int keyCode)
{
    return (keyCode >= VK_PRIOR && keyCode <= VK_DOWN) || keyCode == VK_INSERT || keyCode == VK_DELETE
           || keyCode == VK_DIVIDE || keyCode == VK_NUMLOCK || keyCode == VK_LWIN || keyCode == VK_RWIN
           || keyCode == VK_APPS;
}

constexpr int kStateUnchecked = 1;  // state image indexes of a list view with check boxes
constexpr int kStateChecked = 2;

bool OrderItemChecked(HWND list, int position)
{
    const auto state = SendMessageW(list, LVM_GETITEMSTATE, position, LVIS_STATEIMAGEMASK);
    return ((state & LVIS_STATEIMAGEMASK) >> 12) == kStateChecked;
}

void SetOrderItemChecked(HWND list, int position, bool checked)
{
    LVITEMW item{};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(checked ? kStateChecked : kStateUnchecked);
    SendMessageW(list, LVM_SETITEMSTATE, position, reinterpret_cast<LPARAM>(&item));
}

// Each item carries its process in its item data, so the caption is only for the eye.
ProcessKind OrderItemKind(HWND list, int position)
{
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = position;
    SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return static_cast<ProcessKind>(item.lParam);
}

void SetOrderItemKind(HWND list, int position, ProcessKind kind)
{
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = position;
    item.lParam = static_cast<LPARAM>(kind);
    SendMessageW(list, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

}  // namespace

void FocusOn(HWND control)
{
    if (GetFocus() != control) SetFocus(control);
}

HWND OptionWin32View::Control(OptionControl control) const { return Item(OptionControlId(control)); }

std::string OptionWin32View::GetText(OptionControl control) { return WindowText(Control(control), *standIns_); }

void OptionWin32View::SetText(OptionControl control, std::string_view text)
{
    const std::wstring wide = WideDisplayText(text, standIns_.get());
    UpdateScope scope(*this);
    SetWindowTextW(Control(control), wide.c_str());
}

bool OptionWin32View::GetChecked(OptionControl control)
{
    return SendMessageW(Control(control), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void OptionWin32View::SetChecked(OptionControl control, bool checked)
{
    UpdateScope scope(*this);
    SendMessageW(Control(control), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

int OptionWin32View::GetItemIndex(OptionControl control)
{
    if (control == C::ComboBoxGroup) return static_cast<int>(SendMessageW(Control(control), CB_GETCURSEL, 0, 0));
    if (control == C::ListBoxUndo) return static_cast<int>(SendMessageW(Control(control), LB_GETCURSEL, 0, 0));
    if (IsTabControl(control)) return static_cast<int>(SendMessageW(Control(control), TCM_GETCURSEL, 0, 0));
    for (int i = 0; i < OptionControlRowOf(control).Items.Count(); ++i)
        if (SendMessageW(Item(RadioButtonId(control, i)), BM_GETCHECK, 0, 0) == BST_CHECKED) return i;
    return -1;
}

void OptionWin32View::SetItemIndex(OptionControl control, int index)
{
    UpdateScope scope(*this);
    if (control == C::ComboBoxGroup) {
        SendMessageW(Control(control), CB_SETCURSEL, index, 0);
    } else if (control == C::ListBoxUndo) {
        SendMessageW(Control(control), LB_SETCURSEL, index, 0);
    } else if (IsTabControl(control)) {
        SendMessageW(Control(control), TCM_SETCURSEL, index, 0);
        if (control == C::PageControlExec) ShowSelectedPage();
    } else {
        for (int i = 0; i < OptionControlRowOf(control).Items.Count(); ++i)
            SendMessageW(Item(RadioButtonId(control, i)), BM_SETCHECK, i == index ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

void OptionWin32View::SetItems(OptionControl control, const std::vector<MappedText>& items)
{
    const bool combo = control == C::ComboBoxGroup;
    if (!combo && control != C::ListBoxUndo) throw std::logic_error("SetItems on a control without items");
    std::vector<std::wstring> texts;
    for (const MappedText& item : items) {
        std::wstring text = WideDisplayText(item.Text, item.StandIns.get());
        texts.push_back(combo ? text : OneLine(std::move(text)));
    }
    UpdateScope scope(*this);
    HWND window = Control(control);
    SendMessageW(window, combo ? CB_RESETCONTENT : LB_RESETCONTENT, 0, 0);
    for (const std::wstring& text : texts)
        SendMessageW(window, combo ? CB_ADDSTRING : LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

OrderItems OptionWin32View::GetOrderItems()
{
    HWND list = Control(C::CheckListBoxOrder);
    OrderItems items;
    for (int i = 0; i < kProcessKindCount; ++i) {
        wchar_t text[64] = {};
        LVITEMW item{};
        item.pszText = text;
        item.cchTextMax = static_cast<int>(std::size(text));
        const auto length = SendMessageW(list, LVM_GETITEMTEXTW, i, reinterpret_cast<LPARAM>(&item));
        items[i] = {OrderItemKind(list, i), FromWide(std::wstring_view(text, static_cast<std::size_t>(length))),
                    OrderItemChecked(list, i)};
    }
    return items;
}

void OptionWin32View::SetOrderItems(const OrderItems& items)
{
    HWND list = Control(C::CheckListBoxOrder);
    UpdateScope scope(*this);
    for (int i = 0; i < kProcessKindCount; ++i) {
        std::wstring text = ToWide(items[i].Text);
        LVITEMW item{};
        item.pszText = text.data();
        SendMessageW(list, LVM_SETITEMTEXTW, i, reinterpret_cast<LPARAM>(&item));
        SetOrderItemKind(list, i, items[i].Kind);
        SetOrderItemChecked(list, i, items[i].Checked);
    }
}

void OptionWin32View::ToggleOrderItem(int position)
{
    HWND list = Control(C::CheckListBoxOrder);
    UpdateScope scope(*this);
    SetOrderItemChecked(list, position, !OrderItemChecked(list, position));
}

ShortCut OptionWin32View::GetHotKey()
{
    const LRESULT value = SendMessageW(Control(C::HotKey), HKM_GETHOTKEY, 0, 0) & 0xFFFF;
    if (value == hotKeyControlValue_) return hotKeyShown_;
    const int modifiers = HIBYTE(value);
    return static_cast<ShortCut>(LOBYTE(value) | (modifiers & HOTKEYF_SHIFT ? kShortCutShift : 0)
                                 | (modifiers & HOTKEYF_CONTROL ? kShortCutCtrl : 0)
                                 | (modifiers & HOTKEYF_ALT ? kShortCutAlt : 0));
}

void OptionWin32View::SetHotKey(ShortCut value)
{
    const int keyCode = value & 0xFF;
    const int modifiers = (value & kShortCutShift ? HOTKEYF_SHIFT : 0) | (value & kShortCutCtrl ? HOTKEYF_CONTROL : 0)
                          | (value & kShortCutAlt ? HOTKEYF_ALT : 0) | (IsExtendedKey(keyCode) ? HOTKEYF_EXT : 0);
    HWND control = Control(C::HotKey);
    UpdateScope scope(*this);
    SendMessageW(control, HKM_SETHOTKEY, MAKEWORD(keyCode, modifiers), 0);
    hotKeyShown_ = value;
    hotKeyControlValue_ = SendMessageW(control, HKM_GETHOTKEY, 0, 0) & 0xFFFF;
}

void OptionWin32View::SetVisible(OptionControl control, bool visible)
{
    HWND window = Control(control);
    {
        UpdateScope scope(*this);
        ShowWindow(window, visible ? SW_SHOW : SW_HIDE);
        if (control == C::PageControlExec) {
            pagesVisible_ = visible;
            ShowSelectedPage();
        }
    }
    // A hidden control keeps the focus unless it is handed on: keys would go nowhere.
    if (!visible && GetFocus() == window) SetFocus(GetNextDlgTabItem(dialog_, window, FALSE));
}

void OptionWin32View::ShowSelectedPage()
{
    const auto selected = SendMessageW(Control(C::PageControlExec), TCM_GETCURSEL, 0, 0);
    UpdateScope scope(*this);
    for (int page = 0; page < kOptionPageCount; ++page)
        for (HWND window : pages_[page])
            ShowWindow(window, pagesVisible_ && page == selected ? SW_SHOW : SW_HIDE);
}

void OptionWin32View::SetEnabled(OptionControl control, bool enabled)
{
    EnableWindow(Control(control), enabled ? TRUE : FALSE);
}

void OptionWin32View::ShowTrace(const std::vector<TraceStepShown>& steps) { ShowTraceWindow(dialog_, steps); }

void OptionWin32View::ShowErrorMessage(std::string_view message)
{
    ShowErrorBox(dialog_, message, standIns_.get());
}

bool OptionWin32View::ConfirmWarning(std::string_view message)
{
    return MessageBoxW(dialog_, WideDisplayText(message, standIns_.get()).c_str(), L"Morvane",
                       MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}
