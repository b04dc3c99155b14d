// The settings dialog's logic driven through a fake view, as the user would drive the
// window: what each page shows, what each edit writes into the working copy, how the
// pipeline list reorders, and what OK, Cancel and the trial run leave behind.
#include <gtest/gtest.h>

#include <cctype>
#include <climits>
#include <map>
#include <sstream>

#include "core/EditDriver.h"
#include "core/NMURL.h"
#include "core/PortableLineComparer.h"
#include "text/SjisLiteral.h"
#include "core/TextProcesses.h"
#include "regex/AWKStr.h"
#include "support/MemoryClipboard.h"
#include "support/ProcessOrder.h"
#include "shell/UnitOption.h"

namespace {

using C = OptionControl;

std::string Caption(ProcessKind kind) { return std::string(ProcessKindCaption(kind)); }

class FakeView : public IOptionView {
public:
    std::map<C, std::string> texts;
    std::map<C, bool> checked;
    std::map<C, int> index;  // absent: the first item, as tab controls start
    std::map<C, std::vector<std::string>> items;
    std::map<C, bool> visible;
    std::map<C, bool> enabled;
    std::vector<std::pair<std::string, std::string>> traceShown;  // line, text after
    OrderItems order;
    ShortCut hotKey = 0;
    std::vector<std::string> errors;
    std::vector<std::string> warnings;
    bool goOnAfterWarning = true;
    StandInMapPtr standIns = std::make_shared<TStandInMap>();

    FakeView()
    {
        for (int k = 0; k < kProcessKindCount; ++k) order[k] = {kProcessKinds[k], Caption(kProcessKinds[k]), false};
    }

    const StandInMapPtr& StandIns() override { return standIns; }
    std::string GetText(C c) override { return texts[c]; }
    void SetText(C c, std::string_view text) override { texts[c] = text; }
    bool GetChecked(C c) override { return checked[c]; }
    void SetChecked(C c, bool value) override { checked[c] = value; }
    int GetItemIndex(C c) override { return index.contains(c) ? index[c] : 0; }
    void SetItemIndex(C c, int i) override { index[c] = i; }
    void SetItems(C c, const std::vector<MappedText>& list) override
    {
        items[c].clear();
        for (const MappedText& item : list) items[c].push_back(item.Text);
        index[c] = -1;
    }
    OrderItems GetOrderItems() override { return order; }
    void SetOrderItems(const OrderItems& list) override { order = list; }
    ShortCut GetHotKey() override { return hotKey; }
    void SetHotKey(ShortCut value) override { hotKey = value; }
    void SetVisible(C c, bool value) override { visible[c] = value; }
    void SetEnabled(C c, bool value) override { enabled[c] = value; }
    void ShowTrace(const std::vector<TraceStepShown>& steps) override
    {
        traceShown.clear();
        for (const TraceStepShown& step : steps) traceShown.push_back({step.Line.Text, step.TextAfter.Text});
    }
    void ShowErrorMessage(std::string_view message) override { errors.emplace_back(message); }
    bool ConfirmWarning(std::string_view message) override
    {
        warnings.emplace_back(message);
        return goOnAfterWarning;
    }
};

class NoUndoMenu : public IUndoMenu {
public:
    int ItemCount() const override { return 0; }
    void AddItem() override {}
    void SetCaption(int, const MappedText&) override {}
};

// Every field of the model in one text, so "unchanged" is one comparison.
std::string Dump(const EditSettings& s)
{
    std::ostringstream out;
    out << s.ActiveGroup << ';';
    for (const EditGroup& g : s.Group) {
        out << g.Name << '|' << g.ExecHotKey << '|';
        for (const EditSet& e : g.Set) {
            out << e.HotKey << ',' << e.MaxCnt << ',';
            for (int k = 0; k < kProcessKindCount; ++k) out << static_cast<int>(e.Order[k]) << e.IfExec[k];
            for (const ReplaceCondition& c : e.Cond) out << c.FromStr << '/' << c.ToStr << '/' << c.NoCase << ',';
            out << e.Index << ',' << e.Step << ',' << e.Deg << ',' << e.Before << ',' << e.After << ',' << static_cast<int>(e.Add)
                << ',' << static_cast<int>(e.Fill) << ',' << static_cast<int>(e.SortMethod) << ','
                << static_cast<int>(e.CaseMethod) << ',' << e.CaseInitial << ',' << static_cast<int>(e.KanaMethod) << ','
                << static_cast<int>(e.ZnHnMethod) << ',' << e.IfHnKn << ',' << e.RLBefore << ',' << e.RLCenter << ','
                << e.RLAfter << ',' << static_cast<int>(e.EnDeCd) << ',' << e.URLUtf8 << ',' << e.EditSelection << ';';
        }
    }
    return out.str();
}


// The main window's side: the real edit driver and processes, a recording launcher and
// settings writer.
class OptionTest : public ::testing::Test {
protected:
    EditSettings model;
    NoUndoMenu undoMenu;
    History history{undoMenu};
    MemoryClipboard clipboard;
    TAWKStr awk;
    TNMURL url;
    PortableLineComparer comparer;
    std::vector<std::string> launched;
    int saves = 0;
    std::string saveError;
    std::vector<ShortCut> taken;  // keys another program holds
    OptionHost host{model,
                    history,
                    [this](const MappedText& text, const EditSet& set) {
                        EditTraceRecorder recorder({awk, url, comparer, *text.StandIns}, true);
                        EditDriver(text, set, history, recorder.Runner(), clipboard, recorder.Observer());
                        return recorder.TakeTrace();
                    },
                    [this](const MappedText& text) { launched.push_back(text.Text); },
                    clipboard,
                    [this] {
                        ++saves;
                        if (!saveError.empty()) throw std::runtime_error(saveError);
                    },
                    [this](ShortCut key) { return std::find(taken.begin(), taken.end(), key) != taken.end(); },
                    nullptr};
    FakeView view;
    TMorvaneOption dialog{host, view};

    void Open()
    {
        for (int g = 0; g < kGroupCount; ++g) model.Group[g].Name = "G" + std::to_string(g + 1);
        clipboard.SetClipboardText("abc");
        dialog.FormCreate();
    }
    const EditSet& Work(int group, int set) { return dialog.WorkGroup()[group - 1].Set[set - 1]; }

    // What the user does.
    void Type(C c, const std::string& text)
    {
        view.texts[c] = text;
        dialog.Input(c);
    }
    void Choose(C radioGroup, int item)
    {
        view.index[radioGroup] = item;
        dialog.Input(radioGroup);
    }
    void Tick(C checkBox, bool value)
    {
        view.checked[checkBox] = value;
        dialog.Input(checkBox);
    }
    void ClickOrderItem(int position)
    {
        view.order[position].Checked = !view.order[position].Checked;
        dialog.Input(C::CheckListBoxOrder);
    }
    void SelectSet(int set)
    {
        dialog.TabControlSetChanging();
        view.index[C::TabControlSet] = set - 1;
        dialog.TabControlSetChange();
    }
    void SelectPage(OptionPage page)
    {
        view.index[C::PageControlExec] = page;
        dialog.PageControlExecChange();
    }
    void SelectCond(int cond)
    {
        view.index[C::TabControlReplace] = cond - 1;
        dialog.TabControlReplaceChange();
    }
    void SelectGroup(int group)
    {
        dialog.HotKeyExit();  // the hot-key control loses focus to the combo box
        view.index[C::ComboBoxGroup] = group - 1;
        dialog.ComboBoxGroupChange();
    }
    void PressHotKey(ShortCut pressed)
    {
        view.hotKey = pressed;
        dialog.HotKeyChange();
    }
    void SelectPane(int pane)
    {
        view.index[C::TabControlEdit] = pane;
        dialog.TabControlEditChange();
    }
};

TEST_F(OptionTest, OpeningShowsTheActiveGroupsFirstSetFirstConditionAndTheClipboard)
{
    model.ActiveGroup = 2;
    EditSet& set = model.Group[1].Set[0];
    set.HotKey = kShortCutCtrl | 'Q';
    set.Order = OrderOf({4, 0, 1, 2, 3, 5, 6});
    set.IfExec[KindIndex(ProcessKind::Sort)] = true;
    set.Cond[0] = {"a+", "b", true};
    history.AddHistory("older");
    history.AddHistory("newer");
    Open();

    EXPECT_EQ(dialog.CurrentGroup(), 2);
    EXPECT_EQ(view.items[C::ComboBoxGroup], (std::vector<std::string>{"(1)G1", "(2)G2", "(3)G3", "(4)G4"}));
    EXPECT_EQ(view.index[C::ComboBoxGroup], 1);
    EXPECT_EQ(view.texts[C::EditGroupName], "G2");
    EXPECT_EQ(dialog.CurrentSet(), 1);
    EXPECT_EQ(view.hotKey, kShortCutCtrl | 'Q');
    EXPECT_EQ(view.order[0], (OrderItem{ProcessKind::Sort, Caption(ProcessKind::Sort), true}));
    EXPECT_EQ(view.order[1], (OrderItem{ProcessKind::Replace, Caption(ProcessKind::Replace), false}));
    EXPECT_EQ(view.index[C::PageControlExec], opReplace);
    EXPECT_EQ(dialog.CurrentCond(), 1);
    EXPECT_EQ(view.texts[C::EditFrom], "a+");
    EXPECT_EQ(view.texts[C::EditTo], "b");
    EXPECT_TRUE(view.checked[C::CheckBoxCase]);
    EXPECT_EQ(view.texts[C::MemoClipboard], "abc\r\n");
    EXPECT_EQ(view.items[C::ListBoxUndo], (std::vector<std::string>{"newer", "older"}));

    const std::pair<C, bool> visibility[] = {
        {C::LabelComment, false}, {C::LabelOrder, true}, {C::CheckListBoxOrder, true}, {C::PageControlExec, true},
        {C::MemoClipboard, true}, {C::ButtonUpdate, true}, {C::ButtonExe, true},       {C::ListBoxUndo, false}};
    for (auto [control, shown] : visibility) EXPECT_EQ(view.visible[control], shown) << static_cast<int>(control);
}

TEST_F(OptionTest, WorkingCopyTakesOnlyTheConditionsInUse)
{
    struct Case {
        const char* name;
        int maxCnt;
        int kept;
    };
    const Case cases[] = {{"none in use", 0, 0}, {"negative", -3, 0}, {"two", 2, 2}, {"all", 100, 100}, {"over", 150, 100}};
    for (const Case& c : cases) {
        for (int s = 0; s < kSetsPerGroup; ++s) {
            model.Group[0].Set[s].MaxCnt = c.maxCnt;
            for (ReplaceCondition& cond : model.Group[0].Set[s].Cond) cond = {"f", "t", true};
        }
        TMorvaneOption fresh(host, view);
        fresh.FormCreate();
        for (int n = 0; n < kMaxConditions; ++n) {
            const ReplaceCondition& cond = fresh.WorkGroup()[0].Set[3].Cond[n];
            const bool kept = n < c.kept;
            EXPECT_EQ(cond.FromStr, kept ? "f" : "") << c.name << " condition " << n + 1;
            EXPECT_EQ(cond.NoCase, kept) << c.name << " condition " << n + 1;
        }
    }
}

// Items written as letters, upper case for a checked item.
OrderItems Items(const std::string& letters)
{
    OrderItems items;
    for (int i = 0; i < kProcessKindCount; ++i) {
        const char c = letters[i];
        const char letter = static_cast<char>(std::tolower(c));
        items[i] = {static_cast<ProcessKind>(letter - 'a'), std::string(1, letter), std::isupper(c) != 0};
    }
    return items;
}

TEST(MoveCheckedUp, PutsCheckedItemsFirstKeepingEachBlocksOrder)
{
    struct Case {
        const char* name;
        const char* before;
        const char* after;
    };
    const Case cases[] = {
        {"none checked", "abcdefg", "abcdefg"},
        {"checked one moves to the top", "abcdEfg", "Eabcdfg"},
        {"newly checked goes below the checked block", "EabCdfg", "ECabdfg"},
        {"unchecking the first of three", "aBCdefg", "BCadefg"},
        {"unchecking the middle of three", "AbCdefg", "ACbdefg"},
        {"all checked", "ABCDEFG", "ABCDEFG"},
        {"scattered", "aBcDeFg", "BDFaceg"},
    };
    for (const Case& c : cases) {
        OrderItems items = Items(c.before);
        TMorvaneOption::MoveCheckedUp(items);
        EXPECT_EQ(items, Items(c.after)) << c.name;
    }
}

TEST_F(OptionTest, CheckingProcessesBuildsThePipelineInTheOrderTheyWereChecked)
{
    Open();
    ClickOrderItem(4);  // 行ソート
    EXPECT_EQ(view.order[0], (OrderItem{ProcessKind::Sort, Caption(ProcessKind::Sort), true}));
    ClickOrderItem(2);  // 行番号, now at position 2
    EXPECT_EQ(view.order[1], (OrderItem{ProcessKind::LineNo, Caption(ProcessKind::LineNo), true}));

    const EditSet& set = Work(1, 1);
    EXPECT_EQ(set.Order, OrderOf({4, 1, 0, 2, 3, 5, 6}));
    EXPECT_EQ(set.IfExec, (std::array<bool, 7>{false, true, false, false, true, false, false}));
}

TEST_F(OptionTest, UncheckingTheFirstOfThreeLetsTheOthersMoveUp)
{
    EditSet& live = model.Group[0].Set[0];
    live.Order = OrderOf({4, 1, 0, 2, 3, 5, 6});
    live.IfExec = {true, true, false, false, true, false, false};
    Open();
    ClickOrderItem(0);

    const EditSet& set = Work(1, 1);
    EXPECT_EQ(set.Order, OrderOf({1, 0, 4, 2, 3, 5, 6}));
    EXPECT_EQ(set.IfExec, (std::array<bool, 7>{true, true, false, false, false, false, false}));
}

TEST_F(OptionTest, PositionWithoutAValidCodeKeepsTheItemShownBefore)
{
    model.Group[0].Set[0].Order = OrderOf({6, 5, 4, 3, 2, 1, 0});
    model.Group[0].Set[0].IfExec[KindIndex(ProcessKind::Replace)] = true;
    model.Group[0].Set[1].Order = OrderOf({1, 2, 3, 4, 5, 6, 77});
    Open();
    SelectSet(2);
    EXPECT_EQ(view.order[5], (OrderItem{ProcessKind::URL, Caption(ProcessKind::URL), false}));
    EXPECT_EQ(view.order[6], (OrderItem{ProcessKind::Replace, Caption(ProcessKind::Replace), true}));
}

TEST_F(OptionTest, EachControlWritesItsFieldOfTheCurrentSetOrCondition)
{
    Open();
    SelectSet(3);
    Type(C::EditFrom, "x");
    SelectCond(4);
    Type(C::EditTo, "y");
    Tick(C::CheckBoxCase, true);
    SelectPage(opLineNo);
    Type(C::SpinEditStep, "5");
    Type(C::EditBefore, "[");
    Type(C::EditAfter, "]");
    Choose(C::RadioGroupAdd, 1);
    Choose(C::RadioGroupFill, 1);
    SelectPage(opCase);
    Choose(C::RadioGroupCase, 0);
    Tick(C::CheckBoxInitial, true);
    SelectPage(opConvert);
    Choose(C::RadioGroupKana, 1);
    Choose(C::RadioGroupZnHn, 0);
    Tick(C::CheckBoxHnKn, true);
    SelectPage(opOther);
    Choose(C::RadioGroupSort, 2);
    Type(C::EditRLBefore, "a");
    Type(C::EditRLCenter, "=");
    Type(C::EditRLAfter, "b");
    Choose(C::RadioGroupEnDeCd, 1);
    Tick(C::CheckBoxURLUtf8, true);
    Tick(C::CheckBoxEditSelection, true);

    const EditSet& s = Work(1, 3);
    EXPECT_EQ(s.Cond[0].FromStr, "x");
    EXPECT_EQ(s.Cond[3].ToStr, "y");
    EXPECT_TRUE(s.Cond[3].NoCase);
    EXPECT_FALSE(s.Cond[0].NoCase);
    EXPECT_EQ(s.Step, 5);
    EXPECT_EQ(s.Before + s.After, "[]");
    EXPECT_EQ(static_cast<int>(s.Add) * 10 + static_cast<int>(s.Fill), 11);
    EXPECT_EQ(s.CaseMethod, CaseConversion::Lower);
    EXPECT_TRUE(s.CaseInitial);
    EXPECT_EQ(static_cast<int>(s.KanaMethod) * 10 + static_cast<int>(s.ZnHnMethod), 10);
    EXPECT_TRUE(s.IfHnKn);
    EXPECT_EQ(s.SortMethod, SortOrder::Reverse);
    EXPECT_EQ(s.RLBefore + s.RLCenter + s.RLAfter, "a=b");
    EXPECT_EQ(s.EnDeCd, URLDirection::Decode);
    EXPECT_TRUE(s.URLUtf8);
    EXPECT_TRUE(s.EditSelection);
    // The other sets are untouched.
    EXPECT_EQ(Work(1, 1).Step, 1);
    EXPECT_EQ(Work(1, 1).Cond[0].FromStr, "");

    // Showing a condition again shows what was typed into it.
    SelectSet(3);
    SelectCond(4);
    EXPECT_EQ(view.texts[C::EditTo], "y");
    EXPECT_TRUE(view.checked[C::CheckBoxCase]);
}

// A value for each control bound to a field, none its field's default, each edit's its own:
// two controls bound to one field show each other's value.
TEST_F(OptionTest, EveryBoundControlShowsAgainWhatWasEnteredInIt)
{
    Open();
    SelectSet(2);
    const auto pages = [&](auto&& forEachBoundControl) {
        for (int page = opNone; page < kOptionPageCount; ++page) {
            if (page != opNone) SelectPage(static_cast<OptionPage>(page));
            for (const OptionControlRow& row : kOptionControls)
                if (row.Field.Owner != FieldOwner::None && row.Page == page) forEachBoundControl(row);
        }
    };
    pages([&](const OptionControlRow& row) {
        switch (row.Kind) {
        case OptionControlKind::Edit: Type(row.Control, std::string(row.Name)); break;
        case OptionControlKind::CheckBox: Tick(row.Control, true); break;
        case OptionControlKind::SpinEdit: Type(row.Control, std::to_string(row.Range.Max)); break;
        default: Choose(row.Control, 1); break;
        }
    });
    // Another set shown, then what the view showed forgotten: only showing the set again
    // can bring the values back.
    SelectSet(1);
    pages([&](const OptionControlRow& row) {
        view.texts.erase(row.Control);
        view.checked.erase(row.Control);
        view.index.erase(row.Control);
    });
    SelectSet(2);
    pages([&](const OptionControlRow& row) {
        const C c = row.Control;
        switch (row.Kind) {
        case OptionControlKind::Edit: EXPECT_EQ(view.texts[c], row.Name); break;
        case OptionControlKind::CheckBox: EXPECT_TRUE(view.checked[c]) << row.Name; break;
        case OptionControlKind::SpinEdit: EXPECT_EQ(view.texts[c], std::to_string(row.Range.Max)) << row.Name; break;
        default: EXPECT_EQ(view.index[c], 1) << row.Name; break;
        }
    });
}

TEST_F(OptionTest, AssociationTabShowsTheCommentAndTheGroupsHotKey)
{
    model.Group[0].ExecHotKey = kShortCutAlt | 'L';
    model.Group[0].Set[1].EditSelection = true;
    Open();
    Type(C::EditFrom, "kept");
    SelectSet(kAssociationSet);
    EXPECT_TRUE(view.visible[C::LabelComment]);
    EXPECT_FALSE(view.visible[C::LabelOrder]);
    EXPECT_FALSE(view.visible[C::CheckListBoxOrder]);
    EXPECT_FALSE(view.visible[C::PageControlExec]);
    EXPECT_FALSE(view.visible[C::CheckBoxEditSelection]);
    EXPECT_EQ(view.hotKey, kShortCutAlt | 'L');

    // The hidden page controls hold nothing of the model here.
    Type(C::EditFrom, "ignored");
    EXPECT_EQ(Work(1, 1).Cond[0].FromStr, "kept");

    PressHotKey(kShortCutCtrl | 'M');
    SelectSet(1);
    EXPECT_EQ(dialog.WorkGroup()[0].ExecHotKey, kShortCutCtrl | 'M');

    // Back on a set, the check box shows that set's choice.
    EXPECT_TRUE(view.visible[C::CheckBoxEditSelection]);
    EXPECT_FALSE(view.checked[C::CheckBoxEditSelection]);
    SelectSet(2);
    EXPECT_TRUE(view.checked[C::CheckBoxEditSelection]);
}

TEST(TakeHotKey, KeyWithoutModifiersOrWithShiftAloneGetsAlt)
{
    struct Case {
        const char* name;
        ShortCut pressed;
        ShortCut taken;
    };
    const ShortCut F5 = 0x74;
    const Case cases[] = {
        {"plain key", F5, kShortCutAlt | F5},
        {"shift alone", kShortCutShift | F5, kShortCutShift | kShortCutAlt | F5},
        {"ctrl", kShortCutCtrl | F5, kShortCutCtrl | F5},
        {"ctrl shift", kShortCutCtrl | kShortCutShift | F5, kShortCutCtrl | kShortCutShift | F5},
        {"alt", kShortCutAlt | F5, kShortCutAlt | F5},
        {"nothing", 0, 0},
        {"shift still held, no key yet", kShortCutShift, kShortCutShift},
    };
    for (const Case& c : cases) EXPECT_EQ(TakeHotKey(c.pressed), c.taken) << c.name;
}

TEST_F(OptionTest, HotKeyIsStoredWhenLeftAndFollowsTheTab)
{
    model.Group[0].Set[1].HotKey = 'P';  // plain key from a hand-edited file
    Open();
    PressHotKey('Z');
    EXPECT_EQ(view.hotKey, kShortCutAlt | 'Z');
    SelectSet(2);
    EXPECT_EQ(Work(1, 1).HotKey, kShortCutAlt | 'Z');
    EXPECT_EQ(view.hotKey, 'P');

    // Passing through without pressing a key keeps the stored value as it is.
    SelectSet(3);
    EXPECT_EQ(Work(1, 2).HotKey, 'P');

    // Modifiers held without a key make no hot key.
    view.hotKey = kShortCutCtrl;
    dialog.HotKeyExit();
    EXPECT_EQ(Work(1, 3).HotKey, 0);
}

TEST_F(OptionTest, ChangingGroupShowsItsFirstSetAndKeepsTheOtherGroupsEdits)
{
    model.Group[2].Set[0].Cond[0].FromStr = "third";
    Open();
    SelectSet(2);
    PressHotKey(kShortCutCtrl | 'H');
    Type(C::EditGroupName, "renamed");
    SelectGroup(3);
    EXPECT_EQ(dialog.CurrentGroup(), 3);
    EXPECT_EQ(dialog.CurrentSet(), 1);
    EXPECT_EQ(view.texts[C::EditGroupName], "G3");
    EXPECT_EQ(view.texts[C::EditFrom], "third");
    EXPECT_EQ(Work(1, 2).HotKey, kShortCutCtrl | 'H');

    SelectGroup(1);
    EXPECT_EQ(view.texts[C::EditGroupName], "renamed");
    // The list keeps the names the dialog opened with.
    EXPECT_EQ(view.items[C::ComboBoxGroup][0], "(1)G1");

    dialog.ButtonOkClick();
    EXPECT_EQ(model.Group[0].Name, "renamed");
}

TEST(SpinEditValue, NumberInTheTextOrTheMinimum)
{
    struct Case {
        const char* text;
        SpinRange range;
        int value;
    };
    const Case cases[] = {
        {"150", {0, 99}, 150},        {"", {0, 99}, 0},         {"", {1, 20}, 1},
        {"abc", {0, 8}, 0},           {"1a", {1, 20}, 1},       {" 7 ", {0, 8}, 7},
        {"-5", {0, 99}, -5},          {"+3", {0, 99}, 3},       {"-", {1, 20}, 1},
        {"99999999999", {0, 99}, INT_MAX}, {"-99999999999", {0, 99}, INT_MIN},
    };
    for (const Case& c : cases) EXPECT_EQ(SpinEditValue(c.text, c.range), c.value) << '"' << c.text << '"';
}

TEST_F(OptionTest, SpinEditStoresWhatIsTypedAndClampsWhenLeft)
{
    struct Case {
        C control;
        int EditSet::*field;
        const char* typed;
        int whileTyping;
        const char* shownAfterExit;
        int afterExit;
    };
    const Case cases[] = {
        {C::SpinEditIndex, &EditSet::Index, "150", 150, "99", 99},
        {C::SpinEditIndex, &EditSet::Index, "", 0, "0", 0},
        {C::SpinEditStep, &EditSet::Step, "0", 0, "1", 1},
        {C::SpinEditStep, &EditSet::Step, "x", 1, "1", 1},
        {C::SpinEditDeg, &EditSet::Deg, "-2", -2, "0", 0},
        {C::SpinEditDeg, &EditSet::Deg, "6", 6, "6", 6},
    };
    Open();
    SelectPage(opLineNo);
    for (const Case& c : cases) {
        Type(c.control, c.typed);
        EXPECT_EQ(Work(1, 1).*c.field, c.whileTyping) << '"' << c.typed << '"';
        dialog.SpinEditExit(c.control);
        EXPECT_EQ(view.texts[c.control], c.shownAfterExit) << '"' << c.typed << '"';
        EXPECT_EQ(Work(1, 1).*c.field, c.afterExit) << '"' << c.typed << '"';
    }
}

TEST_F(OptionTest, StoredValuesOutsideTheRangesAreShownAndCommittedClampedButTheWidth)
{
    EditSet& live = model.Group[0].Set[0];
    live.Index = 150;
    live.Step = 0;
    live.Deg = 12;
    live.Add = static_cast<NumberPlace>(-3);
    live.Fill = static_cast<NumberFill>(4);
    live.CaseMethod = static_cast<CaseConversion>(7);
    live.KanaMethod = static_cast<KanaConversion>(-1);
    live.ZnHnMethod = static_cast<WidthConversion>(3);
    live.SortMethod = static_cast<SortOrder>(5);
    live.EnDeCd = static_cast<URLDirection>(9);
    Open();
    const std::pair<OptionPage, std::vector<std::pair<C, int>>> radios[] = {
        {opLineNo, {{C::RadioGroupAdd, 0}, {C::RadioGroupFill, 1}}},
        {opCase, {{C::RadioGroupCase, 2}}},
        {opConvert, {{C::RadioGroupKana, 0}, {C::RadioGroupZnHn, 2}}},
        {opOther, {{C::RadioGroupSort, 2}, {C::RadioGroupEnDeCd, 1}}},
    };
    for (const auto& [page, shown] : radios) {
        SelectPage(page);
        for (auto [control, item] : shown) EXPECT_EQ(view.index[control], item) << static_cast<int>(control);
    }
    SelectPage(opLineNo);
    EXPECT_EQ(view.texts[C::SpinEditIndex], "99");
    EXPECT_EQ(view.texts[C::SpinEditStep], "1");
    EXPECT_EQ(view.texts[C::SpinEditDeg], "8");
    // Passing through the width's field is no change of it: the hand-edited width stays.
    dialog.SpinEditExit(C::SpinEditDeg);
    EXPECT_EQ(view.texts[C::SpinEditDeg], "8");

    dialog.ButtonOkClick();
    EXPECT_EQ((std::array{live.Index, live.Step, live.Deg, static_cast<int>(live.Add), static_cast<int>(live.Fill),
                          static_cast<int>(live.CaseMethod), static_cast<int>(live.KanaMethod),
                          static_cast<int>(live.ZnHnMethod), static_cast<int>(live.SortMethod), static_cast<int>(live.EnDeCd)}),
              (std::array{99, 1, 12, 0, 1, 2, 0, 2, 2, 1}));
}

TEST_F(OptionTest, OkMakesTheShownGroupActiveAndCommitsTheWorkingCopy)
{
    model.ActiveGroup = 1;
    EditSet& live = model.Group[2].Set[1];
    live.MaxCnt = 2;
    live.Cond[1] = {"in use", "", false};
    live.Cond[2] = {"not in use", "", false};  // beyond MaxCnt: the dialog shows it empty
    live.Cond[4] = {"fifth", "5", true};
    live.Cond[99] = {"last", "100", false};
    Open();
    SelectGroup(3);
    SelectSet(2);
    SelectCond(4);
    Type(C::EditFrom, "fourth");
    dialog.ButtonOkClick();

    EXPECT_EQ(dialog.ModalResult(), OptionResult::Ok);
    EXPECT_EQ(model.ActiveGroup, 3);
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(live.MaxCnt, 2);
    EXPECT_EQ(live.Cond[1].FromStr, "in use");
    EXPECT_EQ(live.Cond[2].FromStr, "");
    EXPECT_EQ(live.Cond[3].FromStr, "fourth");
    EXPECT_EQ(live.Cond[4].FromStr + live.Cond[4].ToStr, "fifth5");
    EXPECT_TRUE(live.Cond[4].NoCase);
    EXPECT_EQ(live.Cond[99].FromStr, "last");
}

// A field may hold a character beyond Shift-JIS while the dialog is open (the trial run
// uses it), but OK names the field and the character and keeps the dialog open.
TEST_F(OptionTest, OkRefusesAFieldTheSettingsFileCannotStore)
{
    Open();
    Type(C::EditFrom, Utf8ToCp932("é", *view.standIns));
    Type(C::EditTo, "e");
    ClickOrderItem(KindIndex(ProcessKind::Replace));
    Type(C::MemoClipboard, Utf8ToCp932("café", *view.standIns));
    dialog.ButtonExeClick();
    EXPECT_EQ(clipboard.GetClipboardText(), "cafe");

    dialog.ButtonOkClick();
    EXPECT_EQ(dialog.ModalResult(), OptionResult::None);
    EXPECT_EQ(saves, 0);
    ASSERT_EQ(view.errors.size(), 1u);
    EXPECT_EQ(Cp932ToUtf8(view.errors[0], *view.standIns),
              "グループ(1) 編集設定（１） 置換条件（１）の「検索文字列」に、設定ファイルに保存できない文字 U+00E9（é）があります。");
}

TEST_F(OptionTest, HotKeyHeldElsewhereIsMarkedBesideTheField)
{
    const ShortCut heldElsewhere = kShortCutCtrl | kShortCutAlt | 'T';
    taken = {heldElsewhere};
    model.Group[0].Set[1].HotKey = heldElsewhere;
    Open();
    EXPECT_EQ(view.texts[C::LabelHotKeyTaken], "");
    SelectSet(2);
    EXPECT_EQ(view.texts[C::LabelHotKeyTaken], "他のプログラムが使用中です"_sj);
    PressHotKey(kShortCutCtrl | 'U');
    dialog.HotKeyExit();
    EXPECT_EQ(view.texts[C::LabelHotKeyTaken], "");
}

TEST_F(OptionTest, OkWarnsAboutKeysThatCannotAllWorkAndTheUserMayStillSave)
{
    model.Group[1].Set[0].HotKey = model.Group[1].Set[2].HotKey = kShortCutCtrl | 'K';
    model.Group[3].ExecHotKey = kShortCutAlt | 0x73;  // Alt+F4
    Open();
    view.goOnAfterWarning = false;
    dialog.ButtonOkClick();
    EXPECT_EQ(dialog.ModalResult(), OptionResult::None);
    EXPECT_EQ(saves, 0);
    ASSERT_EQ(view.warnings.size(), 1u);
    EXPECT_EQ(view.warnings[0], SjString("グループ(2) Ctrl+K（編集設定（３））は編集設定（１）と同じキーです（編集設定（１）だけが働きます）\r\n"
                                         "グループ(4) Alt+F4（関連付け起動）はWindowsの操作に使われるキーです\r\n"
                                         "\r\nこのまま保存しますか？"_sj));
    view.goOnAfterWarning = true;
    dialog.ButtonOkClick();
    EXPECT_EQ(dialog.ModalResult(), OptionResult::Ok);
    EXPECT_EQ(saves, 1);
}

// "\d" in a classic set means the letter d: OK asks whether the set is meant to be extended,
// and saves either way.
TEST_F(OptionTest, OkOffersTheExtendedSyntaxForAClassicSetThatUsesIt)
{
    model.Group[0].Set[1].Cond[0].FromStr = "(\\d+)";
    model.Group[2].Set[3].RLCenter = "\\s=";
    model.Group[2].Set[3].ExtendedRegex = true;  // already extended: nothing to ask
    model.Group[3].Set[0].Cond[1].ToStr = "$2";
    Open();
    view.goOnAfterWarning = true;
    dialog.ButtonOkClick();
    ASSERT_EQ(view.warnings.size(), 2u);
    EXPECT_EQ(view.warnings[0], SjString("グループ(1) 編集設定（２） 置換条件（１）の検索文字列：\r\n「\\d」は拡張構文の書き方で、"
                                         "標準の構文では別の意味になります。\r\nこの編集設定を拡張構文にしますか？"_sj));
    EXPECT_EQ(view.warnings[1].substr(0, SjString("グループ(4) 編集設定（１） 置換条件（２）の置換文字列：\r\n「$2」"_sj).size()),
              SjString("グループ(4) 編集設定（１） 置換条件（２）の置換文字列：\r\n「$2」"_sj));
    EXPECT_TRUE(model.Group[0].Set[1].ExtendedRegex);
    EXPECT_TRUE(model.Group[3].Set[0].ExtendedRegex);
    EXPECT_EQ(saves, 1);

    model.Group[0].Set[1].ExtendedRegex = false;
    Open();
    view.warnings.clear();
    view.goOnAfterWarning = false;
    dialog.ButtonOkClick();
    EXPECT_EQ(view.warnings.size(), 1u);
    EXPECT_FALSE(model.Group[0].Set[1].ExtendedRegex);
    EXPECT_EQ(saves, 2);
}

TEST_F(OptionTest, FailedSettingsWriteIsShownAndTheModelKeepsTheNewSettings)
{
    saveError = "C:\\Morvane.INI に書き込めません";
    Open();
    Type(C::EditGroupName, "new");
    dialog.ButtonOkClick();
    EXPECT_EQ(model.Group[0].Name, "new");
    EXPECT_EQ(view.errors, std::vector<std::string>{saveError});
    EXPECT_EQ(dialog.ModalResult(), OptionResult::Ok);
}

TEST_F(OptionTest, RunUsesTheMemoAndTheUnsavedSetAndRefreshesBothPanes)
{
    history.AddHistory("before");
    Open();
    SelectPage(opCase);
    Choose(C::RadioGroupCase, 1);  // all upper case
    ClickOrderItem(KindIndex(ProcessKind::Case));
    Type(C::MemoClipboard, "edited\r\n");
    dialog.ButtonExeClick();

    EXPECT_EQ(clipboard.GetClipboardText(), "EDITED\r\n");
    EXPECT_EQ(view.texts[C::MemoClipboard], "EDITED\r\n\r\n");
    EXPECT_EQ(view.items[C::ListBoxUndo], (std::vector<std::string>{"edited\r\n", "before"}));
    EXPECT_EQ(model.Group[0].Set[0].CaseMethod, CaseConversion::Keep);  // the live model is untouched
}

TEST_F(OptionTest, MemoFilledFromTheClipboardEndsWithALineBreakThatTheRunKeeps)
{
    Open();
    SelectPage(opCase);
    Choose(C::RadioGroupCase, 1);
    ClickOrderItem(KindIndex(ProcessKind::Case));
    dialog.ButtonExeClick();
    EXPECT_EQ(clipboard.GetClipboardText(), "ABC\r\n");
}

TEST_F(OptionTest, FailingRunLeavesMemoAndHistoryListAsTheyWere)
{
    Open();
    Type(C::EditFrom, "(");
    ClickOrderItem(KindIndex(ProcessKind::Replace));
    Type(C::MemoClipboard, "typed");
    EXPECT_ANY_THROW(dialog.ButtonExeClick());

    EXPECT_EQ(view.texts[C::MemoClipboard], "typed");
    EXPECT_TRUE(view.items[C::ListBoxUndo].empty());
    EXPECT_EQ(history.Entries().front(), "typed");  // the driver recorded it before failing
    EXPECT_EQ(clipboard.GetClipboardText(), "abc");
}

// 経過 shows the last run of a set; a launch keeps it, a failing run takes it away.
TEST_F(OptionTest, TraceButtonShowsTheStepsOfTheLastRunOfASet)
{
    Open();
    EXPECT_FALSE(view.enabled[C::ButtonTrace]);
    Type(C::EditFrom, "a");
    Type(C::EditTo, "xx");
    ClickOrderItem(KindIndex(ProcessKind::Replace));
    SelectPage(opCase);
    Choose(C::RadioGroupCase, 1);
    ClickOrderItem(KindIndex(ProcessKind::Case));
    Type(C::MemoClipboard, "aba");
    dialog.ButtonExeClick();
    EXPECT_TRUE(view.enabled[C::ButtonTrace]);
    dialog.ButtonTraceClick();
    const std::vector<std::pair<std::string, std::string>> steps = {
        {Caption(ProcessKind::Replace).insert(0, "1 ") + " 3 -> 5" + SjString(" 条件"_sj) + "1:2", "xxbxx"},
        {Caption(ProcessKind::Case).insert(0, "2 ") + " 5 -> 5", "XXBXX"},
    };
    EXPECT_EQ(view.traceShown, steps);

    SelectSet(kAssociationSet);
    dialog.ButtonExeClick();
    dialog.ButtonTraceClick();
    EXPECT_EQ(view.traceShown, steps);

    SelectSet(1);
    SelectPage(opReplace);
    Type(C::EditFrom, "(");
    EXPECT_ANY_THROW(dialog.ButtonExeClick());
    EXPECT_FALSE(view.enabled[C::ButtonTrace]);
}

TEST_F(OptionTest, RunOnTheAssociationTabLaunchesTheMemoText)
{
    Open();
    SelectSet(kAssociationSet);
    Type(C::MemoClipboard, "http://example.com/\r\n");
    dialog.ButtonExeClick();
    EXPECT_EQ(launched, std::vector<std::string>{"http://example.com/\r\n"});
    EXPECT_EQ(view.texts[C::MemoClipboard], "http://example.com/\r\n");
    EXPECT_TRUE(view.items[C::ListBoxUndo].empty());
    EXPECT_TRUE(history.Entries().empty());
}

TEST_F(OptionTest, DoubleClickedHistoryTextGoesBackOnTheClipboard)
{
    history.AddHistory("old");
    history.AddHistory("new");
    Open();
    SelectPane(kPaneUndo);
    EXPECT_TRUE(view.visible[C::ListBoxUndo]);
    EXPECT_FALSE(view.visible[C::MemoClipboard]);
    EXPECT_FALSE(view.visible[C::ButtonExe]);

    dialog.ListBoxUndoDblClick();  // nothing selected
    EXPECT_EQ(clipboard.GetClipboardText(), "abc");
    EXPECT_EQ(view.index[C::TabControlEdit], kPaneUndo);

    view.index[C::ListBoxUndo] = 1;
    dialog.ListBoxUndoDblClick();
    EXPECT_EQ(clipboard.GetClipboardText(), "old");
    EXPECT_EQ(view.index[C::TabControlEdit], kPaneClipboard);
    EXPECT_TRUE(view.visible[C::MemoClipboard]);
    EXPECT_FALSE(view.visible[C::ListBoxUndo]);
    EXPECT_EQ(view.texts[C::MemoClipboard], "old\r\n");
    EXPECT_EQ(history.Entries().size(), 2u);
}

TEST_F(OptionTest, CancelChangesNothingButKeepsWhatTheRunAndTheHistoryDid)
{
    Open();
    const std::string before = Dump(model);
    Type(C::EditGroupName, "changed");
    SelectGroup(2);
    SelectPage(opCase);
    Choose(C::RadioGroupCase, 1);
    ClickOrderItem(KindIndex(ProcessKind::Case));
    dialog.ButtonExeClick();
    view.index[C::ListBoxUndo] = 0;
    dialog.ListBoxUndoDblClick();
    dialog.ButtonCancelClick();

    EXPECT_EQ(dialog.ModalResult(), OptionResult::Cancel);
    EXPECT_EQ(Dump(model), before);
    EXPECT_EQ(saves, 0);
    EXPECT_EQ(clipboard.GetClipboardText(), "abc\r\n");
    EXPECT_EQ(history.Entries().size(), 1u);
}

TEST_F(OptionTest, OpensWithAnEmptyMemoWhenTheClipboardIsHeld)
{
    history.AddHistory("kept");
    clipboard.SetHeldByOtherProgram(true);
    dialog.FormCreate();
    EXPECT_EQ(view.errors, std::vector<std::string>{std::string("クリップボードを開くことができません"_sj)});
    EXPECT_EQ(view.texts[C::MemoClipboard], "");
    EXPECT_EQ(view.items[C::ListBoxUndo], std::vector<std::string>{"kept"});
    EXPECT_EQ(view.index[C::PageControlExec], opReplace);
}

TEST_F(OptionTest, UpdateReloadsTheMemoAndKeepsItWhenTheClipboardIsHeld)
{
    Open();
    clipboard.SetClipboardText("fresh");
    dialog.ButtonUpdateClick();
    EXPECT_EQ(view.texts[C::MemoClipboard], "fresh\r\n");

    clipboard.SetHeldByOtherProgram(true);
    EXPECT_THROW(dialog.ButtonUpdateClick(), EClipboardOpen);
    EXPECT_EQ(view.texts[C::MemoClipboard], "fresh\r\n");
}

}  // namespace
