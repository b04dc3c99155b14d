// The resident main window against recording fakes of the platform: the order of start-up
// and shut-down, which hot keys are registered with which flags, the group display in the
// tray and its menu, the settings dialog's round trip, the hot keys' work, and that errors
// end one handling only.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "text/Cp932.h"
#include "core/PortableLineComparer.h"
#include "core/SettingsFile.h"
#include "text/SjisLiteral.h"
#include "shell/ErrorReport.h"
#include "support/MemoryClipboard.h"
#include "shell/UnitMain.h"
#include "support/TempDir.h"

namespace {

using Log = std::vector<std::string>;

struct FakeWindow : IMainWindow {
    Log& log;
    std::function<void()> onClose;  // the real window runs FormDestroy here
    explicit FakeWindow(Log& l) : log(l) {}
    void Close() override
    {
        log.push_back("close");
        if (onClose) onClose();
    }
};

struct FakeHotKeys : IHotKeyRegistrar {
    Log& log;
    std::map<int, std::pair<HotKeyModifiers, unsigned>> registered;  // id -> modifiers, key
    std::vector<int> refused;                                          // ids another program holds
    std::function<void()> onUnregister;
    explicit FakeHotKeys(Log& l) : log(l) {}
    bool RegisterHotKey(int id, HotKeyModifiers modifiers, unsigned keyCode) override
    {
        log.push_back("register " + std::to_string(id));
        if (std::find(refused.begin(), refused.end(), id) != refused.end()) return false;
        // The system tells keys apart without NoRepeat.
        const auto key = [](HotKeyModifiers m) { return m | HotKeyModifiers::NoRepeat; };
        for (const auto& [other, flags] : registered)
            if (flags.second == keyCode && key(flags.first) == key(modifiers)) return false;
        registered[id] = {modifiers, keyCode};
        return true;
    }
    void UnregisterHotKey(int id) override
    {
        log.push_back("unregister " + std::to_string(id));
        registered.erase(id);
        if (onUnregister) onUnregister();
    }
};

struct FakeTray : ITrayIcon {
    Log& log;
    int icon = 0;
    std::string tip;
    explicit FakeTray(Log& l) : log(l) {}
    void Add(int i, std::string_view t) override
    {
        log.push_back("tray add " + std::to_string(i) + " " + std::string(t));
        icon = i, tip = t;
    }
    void Modify(int i, std::string_view t) override
    {
        log.push_back("tray modify " + std::to_string(i) + " " + std::string(t));
        icon = i, tip = t;
    }
    void Delete() override { log.push_back("tray delete"); }
    void ShowBalloon(std::string_view title, std::string_view text) override
    {
        log.push_back("balloon " + std::string(title) + ": " + std::string(text));
    }
};

// The foreground window's selection: what copying it puts on the clipboard (nothing: no
// selection) and what was pasted back.
struct FakeSelection : ISelection {
    Log& log;
    MemoryClipboard& clipboard;
    std::optional<std::string> selected;
    FakeSelection(Log& l, MemoryClipboard& c) : log(l), clipboard(c) {}
    bool CopySelection() override
    {
        log.push_back("copy");
        if (selected) clipboard.SetClipboardText(*selected);
        return selected.has_value();
    }
    void PasteClipboard() override { log.push_back("paste " + clipboard.GetClipboardText().Text); }
};

struct FakeMenu : ITrayMenu {
    Log& log;
    std::string groupCaptions[kGroupCount + 1];
    int checked = 0;
    std::vector<std::string> undoCaptions;
    explicit FakeMenu(Log& l) : log(l) {}
    int ItemCount() const override { return static_cast<int>(undoCaptions.size()); }
    void AddItem() override { undoCaptions.emplace_back(); }
    void SetCaption(int item, const MappedText& caption) override { undoCaptions.at(item) = caption.Text; }
    void SetGroupCaption(int group, std::string_view caption) override
    {
        log.push_back("caption " + std::to_string(group));
        groupCaptions[group] = caption;
    }
    void CheckGroup(int group) override
    {
        log.push_back("check " + std::to_string(group));
        checked = group;
    }
    void Popup(ScreenPoint at) override
    {
        log.push_back("popup " + std::to_string(at.X) + "," + std::to_string(at.Y));
    }
};

struct FakeCursor : ICursor {
    Log& log;
    explicit FakeCursor(Log& l) : log(l) {}
    ScreenPoint CursorPos() const override
    {
        log.push_back("cursor");
        return {640, 1010};
    }
};

struct FakeOptionDialogs : IOptionDialogs {
    Log& log;
    bool openElsewhere = false;              // a dialog the lookup finds
    std::function<void(OptionHost&)> whileShown;  // what the user does in the dialog
    explicit FakeOptionDialogs(Log& l) : log(l) {}
    bool BringOpenDialogForward() override
    {
        log.push_back("bring forward");
        return openElsewhere;
    }
    void ShowModal(OptionHost& host) override
    {
        log.push_back("show");
        if (whileShown) whileShown(host);
        log.push_back("shown");
    }
    void CloseOpenDialog() override { log.push_back("close dialog"); }
};

struct FakeLauncher : ILauncher {
    std::vector<std::string> launched;
    unsigned LaunchFile(const std::string& file, const std::string&, const std::string&, int, const TStandInMap&) override
    {
        launched.push_back(file);
        return 42;
    }
};

// A clipboard whose text has more distinct characters beyond Shift-JIS than there are
// stand-ins, as the Windows clipboard reports it; it records whether anybody wrote to it.
struct ForeignTextClipboard : IClipboardText {
    bool written = false;
    MappedText GetClipboardText() override { throw EEncodingError("too many"); }
    void SetClipboardText(const MappedText&) override { written = true; }
};

struct RecordingErrorBox : IErrorBox {
    std::vector<std::string> shown;
    void ShowError(std::string_view message) override { shown.emplace_back(message); }
};

constexpr ShortCut kCtrlAlt = kShortCutCtrl | kShortCutAlt;
constexpr HotKeyModifiers kModCtrlAlt = HotKeyModifiers::Control | HotKeyModifiers::Alt;
constexpr HotKeyModifiers kModNoRepeat = HotKeyModifiers::NoRepeat;

// Four groups named "group<g>"; set j of group g has the hot key Ctrl+Alt with key code
// 0x30 + 10g + j, so every key tells its group and set, and the association key of
// group g is Ctrl+Alt+F<g>.
EditSettings FourGroups(int active)
{
    EditSettings s;
    for (int g = 1; g <= kGroupCount; ++g) {
        EditGroup& group = s.Group[g - 1];
        group.Name = "group" + std::to_string(g);
        for (int j = 1; j <= kSetsPerGroup; ++j)
            group.Set[j - 1].HotKey = static_cast<ShortCut>(kCtrlAlt | (0x30 + g * 10 + j));
        group.ExecHotKey = static_cast<ShortCut>(kCtrlAlt | (0x6F + g));
    }
    s.ActiveGroup = active;
    return s;
}

class MainWindowTest : public ::testing::Test {
protected:
    Log log;
    FakeWindow window{log};
    FakeHotKeys hotKeys{log};
    FakeTray tray{log};
    FakeMenu menu{log};
    FakeCursor cursor{log};
    FakeOptionDialogs dialogs{log};
    MemoryClipboard clipboard;
    FakeSelection selection{log, clipboard};
    FakeLauncher launcher;
    PortableKeyNames keyNames;
    PortableLineComparer comparer;
    TempDir dir;
    std::filesystem::path iniPath = dir / "Morvane.INI";

    // The file as the settings dialog's OK and the exit leave it.
    void Write(const EditSettings& settings)
    {
        SaveSettings(iniPath, settings, keyNames);
        SaveActiveGroup(iniPath, settings.ActiveGroup);
    }
    TMorvaneMain Make(IClipboardText& clip)
    {
        return TMorvaneMain(
            MainPlatform{window, hotKeys, tray, menu, cursor, dialogs, clip, selection, launcher, keyNames, comparer, iniPath});
    }
    // A main window started on these settings, with the log cleared after start-up.
    TMorvaneMain Started(const EditSettings& settings)
    {
        Write(settings);
        TMorvaneMain main = Make(clipboard);
        main.FormCreate();
        log.clear();
        return main;
    }
    std::vector<int> RegisteredIds() const
    {
        std::vector<int> ids;
        for (const auto& [id, flags] : hotKeys.registered) ids.push_back(id);
        return ids;
    }
};

const Log kUnregisterAll{"unregister 1", "unregister 2", "unregister 3", "unregister 4", "unregister 14"};
const Log kRegisterAll{"register 1", "register 2", "register 3", "register 4", "register 14"};

Log Concat(std::initializer_list<Log> parts)
{
    Log all;
    for (const Log& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

Log DisplayOf(int group)
{
    return {"caption 1", "caption 2", "caption 3", "caption 4", "check " + std::to_string(group),
            "tray modify " + std::to_string(group) + " group" + std::to_string(group)};
}

TEST_F(MainWindowTest, StartUpRegistersTheLoadedGroupThenShowsItInTrayAndMenu)
{
    Write(FourGroups(2));
    TMorvaneMain main = Make(clipboard);
    main.FormCreate();

    EXPECT_EQ(log, Concat({kRegisterAll, {"tray add -1 Morvane", "check 2"}, DisplayOf(2)}));
    EXPECT_EQ(hotKeys.registered.at(1), std::make_pair(kModCtrlAlt | kModNoRepeat, 0x30u + 21));
    EXPECT_EQ(hotKeys.registered.at(14), std::make_pair(kModCtrlAlt | kModNoRepeat, 0x71u));
    EXPECT_EQ(menu.groupCaptions[1], "group1(&1)");
    EXPECT_EQ(menu.groupCaptions[4], "group4(&4)");
    EXPECT_EQ(menu.checked, 2);
    EXPECT_EQ(tray.icon, 2);
    EXPECT_EQ(tray.tip, "group2");
}

TEST_F(MainWindowTest, ShutDownWritesTheActiveGroupThenReleasesKeysAndTray)
{
    TMorvaneMain main = Started(FourGroups(1));
    main.MenuGroupClick(3);
    log.clear();
    int groupInFile = 0;  // when the keys start to go
    hotKeys.onUnregister = [&] {
        if (groupInFile == 0) groupInFile = LoadSettings(iniPath, keyNames).ActiveGroup;
    };

    main.FormDestroy();

    EXPECT_EQ(log, Concat({kUnregisterAll, {"tray delete"}}));
    EXPECT_EQ(groupInFile, 3);
    main.TaskbarCreated();  // a removed icon is not brought back
    EXPECT_EQ(log.back(), "tray delete");
}

TEST_F(MainWindowTest, ShutDownWithAnUnwritableSettingsFileStillReleasesKeysAndTray)
{
    iniPath = dir / "missing" / "Morvane.INI";
    TMorvaneMain main = Make(clipboard);
    main.FormCreate();
    log.clear();

    EXPECT_THROW(main.FormDestroy(), std::runtime_error);
    EXPECT_EQ(log, Concat({kUnregisterAll, {"tray delete"}}));
}

TEST(HotKeyModifiers, MapsShortCutFlagsToRegistrationFlags)
{
    using enum HotKeyModifiers;
    struct Row {
        const char* name;
        ShortCut value;
        HotKeyModifiers modifiers;
    };
    const Row rows[] = {
        {"no modifier", 0x41, None},
        {"Shift", kShortCutShift | 0x41, Shift},
        {"Ctrl", kShortCutCtrl | 0x41, Control},
        {"Alt", kShortCutAlt | 0x41, Alt},
        {"Ctrl+Alt", kCtrlAlt | 0x41, Control | Alt},
        {"Shift+Ctrl+Alt", kCtrlAlt | kShortCutShift | 0x1FFF, Shift | Control | Alt},
    };
    for (const Row& row : rows) EXPECT_EQ(HotKeyModifiersOf(row.value), row.modifiers) << row.name;
}

TEST_F(MainWindowTest, KeysWithoutModifierAreSkippedAndRefusedKeysAreNamedInOneBalloon)
{
    EditSettings settings = FourGroups(1);
    EditGroup& group = settings.Group[0];
    group.Set[0].HotKey = 0;                                      // no hot key
    group.Set[1].HotKey = 0x70;                                   // F1 alone
    group.Set[2].HotKey = kShortCutShift | kShortCutAlt | 0x20;  // Shift+Alt+Space
    group.Set[3].HotKey = kCtrlAlt | 0x34;                       // held by another program
    group.ExecHotKey = group.Set[2].HotKey;                       // the system takes only the first
    hotKeys.refused = {4};
    Write(settings);
    TMorvaneMain main = Make(clipboard);
    main.FormCreate();

    EXPECT_EQ(RegisteredIds(), (std::vector<int>{3}));
    EXPECT_EQ(hotKeys.registered.at(3),
              std::make_pair(HotKeyModifiers::Shift | HotKeyModifiers::Alt | kModNoRepeat, 0x20u));
    const std::string balloon = SjString("balloon ホットキーを登録できません: Ctrl+Alt+4（編集設定（４））は他のプログラムが使用中です\n"
                                         "Shift+Alt+Space（関連付け起動）は編集設定（３）と同じキーです（編集設定（３）だけが働きます）"_sj);
    EXPECT_EQ(std::count(log.begin(), log.end(), balloon), 1);
    EXPECT_EQ(log.back(), balloon);  // after the icon is there

    log.clear();
    main.MenuGroupClick(1);  // every registration names what it could not register
    EXPECT_EQ(log.back(), balloon);
}

TEST_F(MainWindowTest, AKeyIsTakenOnlyWhenAnotherProgramHoldsIt)
{
    TMorvaneMain main = Started(FourGroups(1));
    const ShortCut free = kCtrlAlt | 0x5A;
    EXPECT_FALSE(main.HotKeyTaken(FourGroups(1).Group[0].Set[0].HotKey));  // ours
    EXPECT_FALSE(main.HotKeyTaken(free));
    EXPECT_FALSE(main.HotKeyTaken(0x5A));  // never registered without a modifier
    hotKeys.refused = {kHotKeyIdProbe};
    EXPECT_TRUE(main.HotKeyTaken(free));
    EXPECT_FALSE(hotKeys.registered.contains(kHotKeyIdProbe));  // the probe is given back
}

TEST_F(MainWindowTest, LeftClickStepsFromTheLastGroupToTheFirst)
{
    TMorvaneMain main = Started(FourGroups(4));
    EXPECT_EQ(menu.checked, 4);

    main.WMTrayNotify(TrayClick::Left);

    EXPECT_EQ(log, Concat({{"cursor"}, kUnregisterAll, DisplayOf(1), kRegisterAll}));
    EXPECT_EQ(main.Settings().ActiveGroup, 1);
    EXPECT_EQ(tray.icon, 1);
    EXPECT_EQ(hotKeys.registered.at(1).second, 0x30u + 11);
}

TEST_F(MainWindowTest, RightClickOpensTheMenuWhereTheMouseWasOtherMessagesDoNothing)
{
    TMorvaneMain main = Started(FourGroups(1));
    main.WMTrayNotify(TrayClick::Right);
    main.WMTrayNotify(TrayClick::Other);  // a mouse move, say
    EXPECT_EQ(log, (Log{"cursor", "popup 640,1010", "cursor"}));
}

TEST_F(MainWindowTest, GroupMenuSwitchesGroupAndKeys)
{
    TMorvaneMain main = Started(FourGroups(1));
    main.MenuGroupClick(3);
    EXPECT_EQ(log, Concat({kUnregisterAll, DisplayOf(3), kRegisterAll}));
    EXPECT_EQ(hotKeys.registered.at(2).second, 0x30u + 32);
}

TEST(TrayTip, CutsAt63BytesButNeverInsideADoubleByteCharacter)
{
    const std::string kanji = "\x8A\xBF";  // 漢
    struct Row {
        const char* name;
        std::string groupName;
        std::string tip;
    };
    const Row rows[] = {
        {"short", "abc", "abc"},
        {"exactly 63", std::string(63, 'x'), std::string(63, 'x')},
        {"64 single bytes", std::string(64, 'x'), std::string(63, 'x')},
        {"double-byte character across the cut", std::string(62, 'x') + kanji, std::string(62, 'x')},
        {"double-byte character ending at the cut", std::string(61, 'x') + kanji + "y", std::string(61, 'x') + kanji},
        {"trail byte in lead-byte range", "\x88\x9F" + std::string(61, 'x') + kanji,
         "\x88\x9F" + std::string(61, 'x')},
    };
    for (const Row& row : rows) EXPECT_EQ(TrayTip(row.groupName), row.tip) << row.name;
}

TEST_F(MainWindowTest, LongGroupNameIsCutInTheTipButWholeInTheMenu)
{
    EditSettings settings = FourGroups(1);
    settings.Group[0].Name = std::string(70, 'n');
    settings.Group[1].Name = "";
    Started(settings);
    EXPECT_EQ(tray.tip, std::string(63, 'n'));
    EXPECT_EQ(menu.groupCaptions[1], std::string(70, 'n') + "(&1)");
    EXPECT_EQ(menu.groupCaptions[2], "(&2)");
}

TEST_F(MainWindowTest, SettingsDialogRunsWithoutKeysAndTheirChangesTakeEffect)
{
    TMorvaneMain main = Started(FourGroups(1));
    dialogs.whileShown = [&](OptionHost& host) {
        EXPECT_TRUE(hotKeys.registered.empty());
        host.Model.ActiveGroup = 2;
        host.Model.Group[1].Set[0].HotKey = kShortCutCtrl | 0x51;
        host.SaveSettings();
    };
    main.MenuOptionClick();

    EXPECT_EQ(log, Concat({{"bring forward"}, kUnregisterAll, {"show", "shown"}, DisplayOf(2), kRegisterAll}));
    EXPECT_EQ(hotKeys.registered.at(1), std::make_pair(HotKeyModifiers::Control | kModNoRepeat, 0x51u));
    EXPECT_EQ(LoadSettings(iniPath, keyNames).Group[1].Set[0].HotKey, kShortCutCtrl | 0x51);
}

TEST_F(MainWindowTest, SettingsCommandWhileTheDialogIsOpenOpensNoSecondOne)
{
    TMorvaneMain main = Started(FourGroups(1));
    dialogs.openElsewhere = true;
    main.MenuOptionClick();
    EXPECT_EQ(log, (Log{"bring forward"}));

    // Also when the lookup misses the dialog this window has open.
    dialogs.openElsewhere = false;
    int shows = 0;
    dialogs.whileShown = [&](OptionHost&) {
        ++shows;
        main.MenuOptionClick();
    };
    main.MenuOptionClick();
    EXPECT_EQ(shows, 1);
}

TEST_F(MainWindowTest, GroupChangeWhileTheDialogIsOpenRegistersItsKeysAtOnce)
{
    TMorvaneMain main = Started(FourGroups(1));
    dialogs.whileShown = [&](OptionHost&) {
        main.WMTrayNotify(TrayClick::Left);
        EXPECT_EQ(RegisteredIds(), (std::vector<int>{1, 2, 3, 4, 14}));
        EXPECT_EQ(hotKeys.registered.at(1).second, 0x30u + 21);
    };
    main.MenuOptionClick();
}

TEST_F(MainWindowTest, FailingDialogStillGivesTheKeysBack)
{
    TMorvaneMain main = Started(FourGroups(1));
    dialogs.whileShown = [](OptionHost&) { throw std::runtime_error("no dialog"); };
    EXPECT_THROW(main.MenuOptionClick(), std::runtime_error);
    EXPECT_EQ(RegisteredIds(), (std::vector<int>{1, 2, 3, 4, 14}));
}

TEST_F(MainWindowTest, ExitClosesTheWindowAfterAnOpenDialogHasClosed)
{
    TMorvaneMain main = Started(FourGroups(1));
    main.MenuExitClick();
    EXPECT_EQ(log, (Log{"close"}));

    log.clear();
    dialogs.whileShown = [&](OptionHost&) { main.MenuExitClick(); };
    main.MenuOptionClick();
    EXPECT_EQ(log, Concat({{"bring forward"}, kUnregisterAll, {"show", "close dialog", "shown"}, DisplayOf(1),
                           kRegisterAll, {"close"}}));
}

TEST_F(MainWindowTest, EndOfSessionEndsAtOnceEvenWithTheDialogOpen)
{
    TMorvaneMain main = Started(FourGroups(1));
    main.MenuGroupClick(3);
    log.clear();
    main.EndSession();
    EXPECT_EQ(log, Concat({kUnregisterAll, {"tray delete", "close"}}));
    EXPECT_EQ(LoadSettings(iniPath, keyNames).ActiveGroup, 3);

    TMorvaneMain withDialog = Started(FourGroups(1));
    dialogs.whileShown = [&](OptionHost&) {
        withDialog.MenuGroupClick(2);
        log.clear();
        withDialog.EndSession();
        EXPECT_EQ(log, Concat({{"close dialog"}, kUnregisterAll, {"tray delete"}}));
        EXPECT_EQ(LoadSettings(iniPath, keyNames).ActiveGroup, 2);
        log.clear();
    };
    withDialog.MenuOptionClick();
    // Should the process live on, nothing comes back: the window closes, and its
    // destruction writes nothing again.
    EXPECT_EQ(log, (Log{"shown", "close"}));
    SaveActiveGroup(iniPath, 4);
    withDialog.FormDestroy();
    EXPECT_EQ(LoadSettings(iniPath, keyNames).ActiveGroup, 4);
}

// Set 2 of group 1 replaces "a" by "b".
EditSettings ReplacingSet(std::string from)
{
    EditSettings settings = FourGroups(1);
    EditSet& set = settings.Group[0].Set[1];
    set.IfExec[KindIndex(ProcessKind::Replace)] = true;
    set.Cond[0] = {std::move(from), "b", false};
    return settings;
}

TEST_F(MainWindowTest, HotKeyEditsTheClipboardAndTheUndoMenuRestores)
{
    TMorvaneMain main = Started(ReplacingSet("a"));
    clipboard.SetClipboardText("banana");
    main.WMHotKey(2);
    EXPECT_EQ(clipboard.GetClipboardText(), "bbnbnb");
    main.WMHotKey(2);
    ASSERT_EQ(menu.undoCaptions, (std::vector<std::string>{"bbnbnb", "banana"}));

    main.MenuHistoriesClick(1);
    EXPECT_EQ(clipboard.GetClipboardText(), "banana");
    main.MenuHistoriesClick(2);  // no such item
    EXPECT_EQ(clipboard.GetClipboardText(), "banana");
}

TEST_F(MainWindowTest, SelectionEditIsPastedOnlyWhenSomethingWasSelectedAndEdited)
{
    EditSettings settings = ReplacingSet("a");
    settings.Group[0].Set[1].EditSelection = true;
    struct Row {
        const char* name;
        std::optional<std::string> selected;
        std::string from;
        Log expected;
        std::string clipboardAfter;
    };
    const std::string balloon = SjString("balloon 編集しませんでした: テキストが選択されていません"_sj);
    const Row rows[] = {
        {"selection edited", "banana", "a", {"copy", "paste bbnbnb"}, "bbnbnb"},
        {"nothing selected", std::nullopt, "a", {"copy", balloon}, "old"},
        {"pattern error", "banana", "a(", {"copy"}, "banana"},
    };
    for (const Row& row : rows) {
        settings.Group[0].Set[1].Cond[0].FromStr = row.from;
        TMorvaneMain main = Started(settings);
        clipboard.SetClipboardText("old");
        selection.selected = row.selected;
        RecordingErrorBox box;
        ReportErrors(box, [&] { main.WMHotKey(2); });
        EXPECT_EQ(log, row.expected) << row.name;
        EXPECT_EQ(clipboard.GetClipboardText().Text, row.clipboardAfter) << row.name;
        EXPECT_EQ(menu.ItemCount(), row.selected ? 1 : 0) << row.name;
        menu.undoCaptions.clear();
    }
}

TEST_F(MainWindowTest, AssociationKeyLaunchesEveryLine)
{
    TMorvaneMain main = Started(FourGroups(1));
    clipboard.SetClipboardText("a.txt\r\nb.txt");
    main.WMHotKey(kHotKeyIdExec);
    EXPECT_EQ(launcher.launched, (std::vector<std::string>{"a.txt", "b.txt"}));
    EXPECT_EQ(menu.ItemCount(), 0);
}

// Characters beyond Shift-JIS travel by the clipboard text's stand-ins: the edit goes
// round them, and the undo history gives back exactly the text that was taken.
TEST_F(MainWindowTest, CharactersBeyondShiftJisSurviveTheEditAndTheUndo)
{
    TMorvaneMain main = Started(ReplacingSet("ab"));
    const std::string taken = "10時〜12時 café 😀 − ab";  // U+301C, U+00E9, U+1F600, U+2212
    MappedText text;
    text.Text = Utf8ToCp932(taken, *text.StandIns);
    clipboard.SetClipboardText(text);
    main.WMHotKey(2);
    const MappedText edited = clipboard.GetClipboardText();
    EXPECT_EQ(Cp932ToUtf8(edited.Text, *edited.StandIns), "10時〜12時 café 😀 − b");

    main.MenuHistoriesClick(0);
    const MappedText restored = clipboard.GetClipboardText();
    EXPECT_EQ(Cp932ToUtf8(restored.Text, *restored.StandIns), taken);
}

TEST_F(MainWindowTest, ClipboardTextShiftJisCannotHoldStopsTheHotKey)
{
    Write(ReplacingSet("a"));
    ForeignTextClipboard foreign;
    TMorvaneMain main = Make(foreign);
    main.FormCreate();

    struct Row {
        const char* name;
        int id;
        std::string_view message;
    };
    const Row rows[] = {
        {"edit set", 2, "クリップボードのテキストを扱えないため、編集を中止しました。\r\ntoo many"_sj},
        {"association launch", kHotKeyIdExec, "クリップボードのテキストを扱えないため、関連付け起動を中止しました。\r\ntoo many"_sj},
    };
    for (const Row& row : rows) {
        RecordingErrorBox box;
        ReportErrors(box, [&] { main.WMHotKey(row.id); });
        EXPECT_EQ(box.shown, (std::vector<std::string>{std::string(row.message)})) << row.name;
    }
    EXPECT_FALSE(foreign.written);
    EXPECT_EQ(menu.ItemCount(), 0);
    EXPECT_TRUE(launcher.launched.empty());
}

TEST_F(MainWindowTest, PatternErrorIsShownAndTheProgramStaysResident)
{
    TMorvaneMain main = Started(ReplacingSet("a("));
    clipboard.SetClipboardText("abc");
    RecordingErrorBox box;
    ReportErrors(box, [&] { main.WMHotKey(2); });
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_FALSE(box.shown[0].empty());
    EXPECT_EQ(clipboard.GetClipboardText(), "abc");
    EXPECT_EQ(menu.undoCaptions, (std::vector<std::string>{"abc"}));

    // The next command is handled as usual.
    ReportErrors(box, [&] { main.MenuGroupClick(2); });
    EXPECT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(main.Settings().ActiveGroup, 2);
}

TEST(ReportErrors, ShowsEveryErrorAndLetsNothingThrough)
{
    RecordingErrorBox box;
    ReportErrors(box, [] { throw EClipboardOpen(); });
    ReportErrors(box, [] { throw 7; });
    ReportErrors(box, [] {});
    EXPECT_EQ(box.shown, (std::vector<std::string>{SjString("クリップボードを開くことができません"_sj),
                                                   SjString("不明なエラーが発生しました。"_sj)}));
}

TEST_F(MainWindowTest, RestartedTaskBarGetsTheCurrentIconBack)
{
    TMorvaneMain main = Started(FourGroups(3));
    main.TaskbarCreated();
    EXPECT_EQ(log, (Log{"tray add 3 group3"}));
}

}  // namespace
