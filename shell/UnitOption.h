// The settings dialog TMorvaneOption as logic over an abstract view: it edits a working
// copy of the four groups, shows one group, set, page and condition at a time, tries the
// edited set on a trial text, restores history texts to the clipboard, and on OK copies
// the working copy into the main window's model and writes the settings file. The window
// binding (shell/win32/OptionDialog) forwards each control event to the operation named
// after it; tests drive the same operations through a fake view.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/EditSettings.h"
#include "core/EditTrace.h"
#include "shell/OptionControlTable.h"
#include "shell/OptionHost.h"

// Panes of TabControlEdit, by index.
constexpr int kPaneClipboard = 0;
constexpr int kPaneUndo = 1;

// The tab of TabControlSet that stands for the group's association launch, its last.
constexpr int kAssociationSet = 5;
static_assert(kAssociationSet == OptionControlRowOf(OptionControl::TabControlSet).Items.Count());

// One line of the pipeline check list: a process, shown by its caption.
struct OrderItem {
    ProcessKind Kind = ProcessKind::Replace;
    std::string Text;
    bool Checked = false;
    bool operator==(const OrderItem&) const = default;
};
using OrderItems = std::array<OrderItem, kProcessKindCount>;

// One step of the 経過 window: its figures and the text after it.
struct TraceStepShown {
    MappedText Line;
    MappedText TextAfter;
};

// The controls as the logic sees them. Setting a value never raises the control's change
// event: where the shown value must reach the model, the logic writes it back itself.
// Every text the view reads or writes, messages included, carries its characters beyond
// CP932 by the stand-ins of the view's one map (StandIns), which serves the dialog's
// fields and trial text for its whole life.
class IOptionView {
public:
    virtual ~IOptionView() = default;

    virtual const StandInMapPtr& StandIns() = 0;
    // Text of an edit, a spin edit or the memo.
    virtual std::string GetText(OptionControl control) = 0;
    virtual void SetText(OptionControl control, std::string_view text) = 0;
    // State of a check box.
    virtual bool GetChecked(OptionControl control) = 0;
    virtual void SetChecked(OptionControl control, bool checked) = 0;
    // Selected item of a radio group, tab control, the page control, the combo box or
    // the list box; -1 when none is selected.
    virtual int GetItemIndex(OptionControl control) = 0;
    virtual void SetItemIndex(OptionControl control, int index) = 0;
    // Items of the combo box or the list box, each shown by its own map; the selection is
    // cleared.
    virtual void SetItems(OptionControl control, const std::vector<MappedText>& items) = 0;
    // The pipeline check list.
    virtual OrderItems GetOrderItems() = 0;
    virtual void SetOrderItems(const OrderItems& items) = 0;
    // The hot-key control's value as a shortcut value.
    virtual ShortCut GetHotKey() = 0;
    virtual void SetHotKey(ShortCut value) = 0;
    virtual void SetVisible(OptionControl control, bool visible) = 0;
    virtual void SetEnabled(OptionControl control, bool enabled) = 0;
    // Opens the 経過 window over the dialog with these steps.
    virtual void ShowTrace(const std::vector<TraceStepShown>& steps) = 0;
    // Tells the user about an error that does not stop the dialog's work.
    virtual void ShowErrorMessage(std::string_view message) = 0;
    // Warns and asks a yes-or-no question (whether to go on, or to take a remedy); true
    // for yes.
    virtual bool ConfirmWarning(std::string_view message) = 0;
};

// How the dialog was closed; None while it is open.
enum class OptionResult { None, Ok, Cancel };

// The value of a spin edit's text: the number it holds (blanks around it allowed, a
// number too long for an int counts as the nearest int), or the minimum when the text
// is not a number. Not clamped: a typed value stands as typed until the field is left.
int SpinEditValue(std::string_view text, SpinRange range);

// The hot-key control's rule for a key the user presses: a key with no modifier, or
// with Shift alone, is taken with Alt added. Modifiers without a key are left as they
// are, since the user may still be pressing the key.
ShortCut TakeHotKey(ShortCut pressed);

class TMorvaneOption {
public:
    TMorvaneOption(OptionHost& host, IOptionView& view) : host_(host), view_(view) {}

    int CurrentGroup() const { return currentGroup_; }
    const std::array<EditGroup, kGroupCount>& WorkGroup() const { return workGroup_; }
    OptionResult ModalResult() const { return modalResult_; }

    // 1..4: edit set of the current group; 5: the association launch.
    int CurrentSet();
    // 1..4: the replace condition shown.
    int CurrentCond();

    void FormCreate();
    void ComboBoxGroupChange();
    void TabControlSetChanging();
    void HotKeyExit();
    // The user pressed a key in the hot-key control: applies TakeHotKey to what it shows.
    void HotKeyChange();
    void TabControlSetChange();
    void PageControlExecChange();
    void TabControlReplaceChange();
    // Writes the value of a control that the user changed into the working copy.
    void Input(OptionControl control);
    // A spin edit lost focus: its value is clamped, shown and written.
    void SpinEditExit(OptionControl control);
    void TabControlEditChange();
    void ButtonUpdateClick();
    void ButtonExeClick();
    void ButtonTraceClick();
    void ListBoxUndoDblClick();
    void ButtonOkClick();
    void ButtonCancelClick();

    // Checked items first, each block in its previous order.
    static void MoveCheckedUp(OrderItems& items);

private:
    EditGroup& Group() { return workGroup_[currentGroup_ - 1]; }
    // The set being edited; null on the association-launch tab, whose page controls are
    // hidden and hold nothing of the model.
    EditSet* CurrentEditSet();
    ShortCut& HotKeySlot();
    void InputOrder(EditSet& set);
    void ShowHotKeyState(ShortCut key);
    bool ConfirmHotKeyConflicts();
    void OfferExtendedSyntax();
    void ShowOrder(const EditSet& set);
    // The fields of the set, or of its condition shown, that the owner's controls on the
    // page edit, each shown in its control.
    void ShowFields(EditSet& set, FieldOwner owner, OptionPage page);
    FieldTarget TargetIn(EditSet& set);
    void FillUndoList();

    OptionHost& host_;
    IOptionView& view_;
    int currentGroup_ = 1;
    std::array<EditGroup, kGroupCount> workGroup_{};
    std::vector<MappedText> undoTexts_;  // what ListBoxUndo lists, item by item
    EditTrace lastTrace_;                // of the last 実行 that ran a set; 経過 shows it
    OptionResult modalResult_ = OptionResult::None;
};
