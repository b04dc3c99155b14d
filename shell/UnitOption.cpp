#include "shell/UnitOption.h"

#include <algorithm>
#include <climits>
#include <exception>
#include <utility>

#include "core/ClassicSyntaxHints.h"
#include "core/HotKeyConflicts.h"
#include "core/ShortCutText.h"
#include "shell/UnstorableField.h"
#include "text/SjisLiteral.h"

namespace {

constexpr std::string_view kLineBreak = "\r\n";

using K = OptionControlKind;

// Shows a field's value in its control. A value outside the control's range is shown
// clamped, and what is shown is what the working copy holds from now on, so OK commits
// exactly what the user saw; except for a field that keeps such a value.
void ShowField(IOptionView& view, const OptionControlRow& row, FieldTarget target)
{
    const OptionField& field = row.Field;
    switch (row.Kind) {
    case K::Edit: view.SetText(row.Control, field.Text(target)); return;
    case K::CheckBox: view.SetChecked(row.Control, field.Flag(target)); return;
    case K::SpinEdit: {
        const int shown = std::clamp(field.Number(target), row.Range.Min, row.Range.Max);
        view.SetText(row.Control, std::to_string(shown));
        if (!row.KeepsValueBeyondRange) field.SetNumber(target, shown);
        return;
    }
    case K::RadioGroup: {
        const int shown = std::clamp(field.Number(target), 0, row.Items.Count() - 1);
        view.SetItemIndex(row.Control, shown);
        field.SetNumber(target, shown);
        return;
    }
    default: return;
    }
}

}  // namespace

int SpinEditValue(std::string_view text, SpinRange range)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return range.Min;
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);

    bool negative = false;
    if (text.front() == '+' || text.front() == '-') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return range.Min;
    long long magnitude = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return range.Min;
        magnitude = std::min(magnitude * 10 + (c - '0'), static_cast<long long>(INT_MAX) + 1);
    }
    const long long value = negative ? -magnitude : magnitude;
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

ShortCut TakeHotKey(ShortCut pressed)
{
    if ((pressed & kShortCutKeyMask) == 0) return pressed;
    if ((pressed & (kShortCutCtrl | kShortCutAlt)) == 0) return pressed | kShortCutAlt;
    return pressed;
}

int TMorvaneOption::CurrentSet()
{
    return std::clamp(view_.GetItemIndex(OptionControl::TabControlSet) + 1, 1, kAssociationSet);
}

int TMorvaneOption::CurrentCond()
{
    return std::clamp(view_.GetItemIndex(OptionControl::TabControlReplace) + 1, 1, kConditionsInDialog);
}

EditSet* TMorvaneOption::CurrentEditSet()
{
    const int set = CurrentSet();
    return set == kAssociationSet ? nullptr : &Group().Set[set - 1];
}

ShortCut& TMorvaneOption::HotKeySlot()
{
    EditSet* set = CurrentEditSet();
    return set ? set->HotKey : Group().ExecHotKey;
}

void TMorvaneOption::FormCreate()
{
    currentGroup_ = host_.Model.ActiveGroup;
    std::vector<MappedText> groupItems;
    for (int g = 0; g < kGroupCount; ++g) {
        EditGroup& work = workGroup_[g];
        work = host_.Model.Group[g];
        // Only the conditions in use come along; the others start empty.
        for (EditSet& set : work.Set)
            std::fill(set.Cond.begin() + std::clamp(set.MaxCnt, 0, kMaxConditions), set.Cond.end(), ReplaceCondition{});
        // Built once: renaming a group shows in the list only when the dialog reopens.
        groupItems.push_back(std::string(1, '(').append(std::to_string(g + 1)).append(1, ')').append(work.Name));
    }
    view_.SetItems(OptionControl::ComboBoxGroup, groupItems);
    view_.SetItemIndex(OptionControl::ComboBoxGroup, currentGroup_ - 1);
    view_.SetText(OptionControl::EditGroupName, Group().Name);
    view_.SetItemIndex(OptionControl::TabControlSet, 0);
    TabControlSetChange();
    view_.SetItemIndex(OptionControl::TabControlEdit, kPaneClipboard);
    TabControlEditChange();
    view_.SetEnabled(OptionControl::ButtonTrace, false);
    FillUndoList();
    // A clipboard that another program holds for a moment must not keep the settings
    // from opening: the trial text stays empty and the user is told why.
    try {
        ButtonUpdateClick();
    } catch (const EClipboardOpen& e) {
        view_.ShowErrorMessage(e.what());
    }
}

void TMorvaneOption::ComboBoxGroupChange()
{
    const int chosen = view_.GetItemIndex(OptionControl::ComboBoxGroup);
    if (chosen < 0) return;
    currentGroup_ = chosen + 1;
    view_.SetText(OptionControl::EditGroupName, Group().Name);
    view_.SetItemIndex(OptionControl::TabControlSet, 0);
    TabControlSetChange();
}

void TMorvaneOption::TabControlSetChanging() { HotKeyExit(); }

void TMorvaneOption::HotKeyExit()
{
    ShortCut value = view_.GetHotKey();
    // Modifiers the user held without pressing a key make no hot key.
    if ((value & kShortCutKeyMask) == 0) value = 0;
    HotKeySlot() = value;
    ShowHotKeyState(value);
}

void TMorvaneOption::ShowHotKeyState(ShortCut key)
{
    const bool taken = host_.HotKeyTaken && host_.HotKeyTaken(key);
    const OptionControlRow& label = OptionControlRowOf(OptionControl::LabelHotKeyTaken);
    view_.SetText(label.Control, taken ? label.Caption : "");
}

void TMorvaneOption::HotKeyChange()
{
    const ShortCut shown = view_.GetHotKey();
    const ShortCut taken = TakeHotKey(shown);
    if (taken != shown) view_.SetHotKey(taken);
}

void TMorvaneOption::TabControlSetChange()
{
    EditSet* set = CurrentEditSet();
    const bool editSet = set != nullptr;
    view_.SetVisible(OptionControl::LabelComment, !editSet);
    view_.SetVisible(OptionControl::LabelOrder, editSet);
    view_.SetVisible(OptionControl::CheckListBoxOrder, editSet);
    view_.SetVisible(OptionControl::PageControlExec, editSet);
    // The set row's own fields belong to an edit set, not to the association launch.
    for (const OptionControlRow& row : kOptionControls)
        if (row.Field.Owner == FieldOwner::Set && row.Page == opNone) view_.SetVisible(row.Control, editSet);
    view_.SetHotKey(HotKeySlot());
    ShowHotKeyState(HotKeySlot());
    if (!editSet) return;
    ShowFields(*set, FieldOwner::Set, opNone);
    ShowOrder(*set);
    view_.SetItemIndex(OptionControl::PageControlExec, opReplace);
    PageControlExecChange();
}

void TMorvaneOption::ShowOrder(const EditSet& set)
{
    // A position holding no process keeps the item it showed before.
    OrderItems items = view_.GetOrderItems();
    for (int i = 0; i < kProcessKindCount; ++i) {
        const ProcessKind kind = set.Order[i];
        if (IsProcessKind(kind)) items[i] = {kind, std::string(ProcessKindCaption(kind)), set.IfExec[KindIndex(kind)]};
    }
    view_.SetOrderItems(items);
}

void TMorvaneOption::PageControlExecChange()
{
    EditSet* set = CurrentEditSet();
    if (!set) return;
    const int page = view_.GetItemIndex(OptionControl::PageControlExec);
    if (page == opReplace) {
        view_.SetItemIndex(OptionControl::TabControlReplace, 0);
        TabControlReplaceChange();
        return;
    }
    if (page > opReplace) ShowFields(*set, FieldOwner::Set, static_cast<OptionPage>(page));
}

void TMorvaneOption::ShowFields(EditSet& set, FieldOwner owner, OptionPage page)
{
    const FieldTarget target = TargetIn(set);
    for (const OptionControlRow& row : kOptionControls)
        if (row.Field.Owner == owner && row.Page == page) ShowField(view_, row, target);
}

FieldTarget TMorvaneOption::TargetIn(EditSet& set) { return {set, set.Cond[CurrentCond() - 1]}; }

void TMorvaneOption::TabControlReplaceChange()
{
    EditSet* set = CurrentEditSet();
    if (!set) return;
    ShowFields(*set, FieldOwner::Condition, opReplace);
}

void TMorvaneOption::Input(OptionControl control)
{
    if (control == OptionControl::EditGroupName) {
        Group().Name = view_.GetText(control);
        return;
    }
    EditSet* set = CurrentEditSet();
    if (!set) return;
    if (control == OptionControl::CheckListBoxOrder) {
        InputOrder(*set);
        return;
    }
    const OptionControlRow& row = OptionControlRowOf(control);
    const OptionField& field = row.Field;
    if (field.Owner == FieldOwner::None) return;
    const FieldTarget target = TargetIn(*set);
    switch (row.Kind) {
    case K::Edit: field.Text(target) = view_.GetText(control); return;
    case K::CheckBox: field.Flag(target) = view_.GetChecked(control); return;
    case K::SpinEdit: field.SetNumber(target, SpinEditValue(view_.GetText(control), row.Range)); return;
    case K::RadioGroup: {
        const int index = view_.GetItemIndex(control);
        if (index >= 0) field.SetNumber(target, index);
        return;
    }
    default: return;
    }
}

void TMorvaneOption::InputOrder(EditSet& set)
{
    OrderItems items = view_.GetOrderItems();
    MoveCheckedUp(items);
    view_.SetOrderItems(items);
    for (int i = 0; i < kProcessKindCount; ++i) {
        const ProcessKind kind = items[i].Kind;
        if (!IsProcessKind(kind)) continue;  // a view's item without a process changes nothing
        set.IfExec[KindIndex(kind)] = items[i].Checked;
        set.Order[i] = kind;
    }
}

void TMorvaneOption::MoveCheckedUp(OrderItems& items)
{
    // Each checked item bubbles up past the unchecked ones above it.
    for (std::size_t i = 1; i < items.size(); ++i)
        for (std::size_t j = i; j > 0 && items[j].Checked && !items[j - 1].Checked; --j)
            std::swap(items[j], items[j - 1]);
}

void TMorvaneOption::SpinEditExit(OptionControl control)
{
    EditSet* set = CurrentEditSet();
    const OptionControlRow& row = OptionControlRowOf(control);
    if (!set || row.Kind != K::SpinEdit) return;
    const FieldTarget target = TargetIn(*set);
    const int typed = SpinEditValue(view_.GetText(control), row.Range);
    // Every change the user makes is written at once, so a text that differs from the
    // working copy is still the clamped view of a kept value: leaving the field keeps it.
    if (row.KeepsValueBeyondRange && typed != row.Field.Number(target)) return;
    const int value = std::clamp(typed, row.Range.Min, row.Range.Max);
    view_.SetText(control, std::to_string(value));
    row.Field.SetNumber(target, value);
}

void TMorvaneOption::TabControlEditChange()
{
    const bool clipboardPane = view_.GetItemIndex(OptionControl::TabControlEdit) == kPaneClipboard;
    view_.SetVisible(OptionControl::MemoClipboard, clipboardPane);
    view_.SetVisible(OptionControl::ButtonUpdate, clipboardPane);
    view_.SetVisible(OptionControl::ButtonExe, clipboardPane);
    view_.SetVisible(OptionControl::ButtonTrace, clipboardPane);
    view_.SetVisible(OptionControl::ListBoxUndo, !clipboardPane);
}

void TMorvaneOption::ButtonUpdateClick()
{
    // Read before the memo changes, so a clipboard that cannot be opened leaves it as it was.
    std::string text = RemapStandIns(host_.Clipboard.GetClipboardText(), *view_.StandIns());
    text += kLineBreak;
    view_.SetText(OptionControl::MemoClipboard, text);
}

void TMorvaneOption::ButtonExeClick()
{
    const MappedText text(view_.GetText(OptionControl::MemoClipboard), view_.StandIns());
    const EditSet* set = CurrentEditSet();
    if (!set) {
        host_.ExecAssociation(text);
        return;
    }
    // A failing run leaves no trace: one of an earlier run would pass for this one's.
    lastTrace_.clear();
    view_.SetEnabled(OptionControl::ButtonTrace, false);
    lastTrace_ = host_.EditDriver(text, *set);
    view_.SetEnabled(OptionControl::ButtonTrace, true);
    ButtonUpdateClick();
    FillUndoList();
}

void TMorvaneOption::ButtonTraceClick()
{
    std::vector<TraceStepShown> steps;
    for (const EditTraceStep& step : lastTrace_)
        steps.push_back({MappedText(DescribeTraceStep(step), view_.StandIns()), MappedText(step.TextAfter, view_.StandIns())});
    view_.ShowTrace(steps);
}

void TMorvaneOption::FillUndoList()
{
    const auto& entries = host_.Histories.Entries();
    undoTexts_.assign(entries.begin(), entries.end());
    view_.SetItems(OptionControl::ListBoxUndo, undoTexts_);
}

void TMorvaneOption::ListBoxUndoDblClick()
{
    const int item = view_.GetItemIndex(OptionControl::ListBoxUndo);
    if (item < 0 || item >= static_cast<int>(undoTexts_.size())) return;
    host_.Clipboard.SetClipboardText(undoTexts_[item]);
    view_.SetItemIndex(OptionControl::TabControlEdit, kPaneClipboard);
    TabControlEditChange();
    ButtonUpdateClick();
}

void TMorvaneOption::ButtonOkClick()
{
    if (const auto unstorable = FindUnstorableField(workGroup_, *view_.StandIns())) {
        view_.ShowErrorMessage(*unstorable);
        return;
    }
    if (!ConfirmHotKeyConflicts()) return;
    OfferExtendedSyntax();
    modalResult_ = OptionResult::Ok;
    EditSettings& model = host_.Model;
    model.ActiveGroup = currentGroup_;
    for (int g = 0; g < kGroupCount; ++g) {
        EditGroup& live = model.Group[g];
        const EditGroup& work = workGroup_[g];
        live.Name = work.Name;
        for (int s = 0; s < kSetsPerGroup; ++s) {
            // The model keeps its own MaxCnt and the conditions the dialog does not show.
            EditSet committed = work.Set[s];
            committed.MaxCnt = live.Set[s].MaxCnt;
            std::move(live.Set[s].Cond.begin() + kConditionsInDialog, live.Set[s].Cond.end(),
                      committed.Cond.begin() + kConditionsInDialog);
            live.Set[s] = std::move(committed);
        }
        live.ExecHotKey = work.ExecHotKey;
    }
    // The model has taken the settings whether or not the file can be written; the dialog
    // closes with OK either way, after telling the user.
    try {
        host_.SaveSettings();
    } catch (const std::exception& e) {
        view_.ShowErrorMessage(e.what());
    }
}

namespace {

// "グループ(1) 編集設定（２） 置換条件（１）の検索文字列", or "... その他の RLCenter" for the swap.
std::string HintPlace(int g, int s, const ClassicSyntaxHint& hint)
{
    const auto caption = [](OptionControl control, int item = -1) {
        const OptionControlRow& row = OptionControlRowOf(control);
        return std::string(item < 0 ? row.Caption : row.Items[item]);
    };
    std::string place = SjString("グループ("_sj) + std::to_string(g) + ") " + caption(OptionControl::TabControlSet, s - 1) + " ";
    if (hint.Section != SettingsSection::Cond)
        return place + caption(OptionControl::PageControlExec, opOther) + SjString("の "_sj) + hint.Key;
    const bool pattern = hint.Meaning == KeyMeaning::Pattern;
    return place + caption(OptionControl::TabControlReplace, hint.Cond - 1) + SjString("の"_sj) +
           caption(pattern ? OptionControl::LabelFrom : OptionControl::LabelTo);
}

}  // namespace

// A classic-syntax set whose pattern or template holds what the extended syntax reads
// otherwise ("\d", "\1") is most likely meant for the extended one: the user may switch it.
void TMorvaneOption::OfferExtendedSyntax()
{
    for (int g = 1; g <= kGroupCount; ++g) {
        for (int s = 1; s <= kSetsPerGroup; ++s) {
            EditSet& set = workGroup_[g - 1].Set[s - 1];
            const std::vector<ClassicSyntaxHint> hints = ClassicSyntaxHints(set);
            if (hints.empty()) continue;
            const std::string question = HintPlace(g, s, hints.front()) + SjString("：\r\n"_sj) +
                                         DescribeClassicSyntaxHint(hints.front().Hint, "。\r\nこの編集設定を拡張構文にしますか？"_sj);
            if (view_.ConfirmWarning(question)) set.ExtendedRegex = true;
        }
    }
}

// Keys that will not work, or that take a key Windows uses, are the user's choice to keep.
bool TMorvaneOption::ConfirmHotKeyConflicts()
{
    const PortableKeyNames fixedNames;
    const ShortCutText names(host_.KeyNames ? *host_.KeyNames : fixedNames);
    std::string lines;
    for (int g = 1; g <= kGroupCount; ++g) {
        const EditGroup& group = workGroup_[g - 1];
        for (const HotKeyConflict& conflict : FindHotKeyConflicts(group, g)) {
            const std::string keyText = names.ToText(HotKeyOfSlot(group, conflict.Slot));
            lines += SjString("グループ("_sj) + std::to_string(g) + ") " + DescribeHotKeyConflict(conflict, keyText) + "\r\n";
        }
    }
    if (lines.empty()) return true;
    return view_.ConfirmWarning(lines + SjString("\r\nこのまま保存しますか？"_sj));
}

void TMorvaneOption::ButtonCancelClick() { modalResult_ = OptionResult::Cancel; }
