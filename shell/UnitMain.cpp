#include "shell/UnitMain.h"

#include <algorithm>
#include <exception>

#include "text/Cp932.h"
#include "core/EditDriver.h"
#include "core/HotKeyConflicts.h"
#include "core/ShortCutText.h"
#include "core/SettingsFile.h"
#include "text/SjisLiteral.h"
#include "core/TextProcesses.h"

HotKeyModifiers HotKeyModifiersOf(ShortCut value)
{
    HotKeyModifiers modifiers = HotKeyModifiers::None;
    if (value & kShortCutShift) modifiers = modifiers | HotKeyModifiers::Shift;
    if (value & kShortCutCtrl) modifiers = modifiers | HotKeyModifiers::Control;
    if (value & kShortCutAlt) modifiers = modifiers | HotKeyModifiers::Alt;
    return modifiers;
}

std::string TrayTip(std::string_view name)
{
    std::size_t end = 0;
    while (end < name.size()) {
        const std::size_t next = end + CharLengthAt(name, end);
        if (next > kTrayTipBytes) break;
        end = next;
    }
    return std::string(name.substr(0, end));
}

TMorvaneMain::TMorvaneMain(MainPlatform platform)
    : platform_(std::move(platform)),
      settings_(LoadSettings(platform_.SettingsFile, platform_.KeyNames)),
      history_(platform_.Menu),
      awkStr_(std::make_unique<TAWKStr>())
{
}

void TMorvaneMain::FormCreate()
{
    RegisterHotKeys();
    AddTrayIcon();
    platform_.Menu.CheckGroup(settings_.ActiveGroup);
    UpdateGroupDisplay();
    ReportRefusedKeys();
}

void TMorvaneMain::FormDestroy()
{
    const std::exception_ptr writeError = LeaveResidence();
    if (writeError) std::rethrow_exception(writeError);
}

// Writes the active group, then gives back the keys and the tray icon, once: the end of a
// session may have done it already. A settings file that cannot be written must not leave
// the keys registered or a dead icon in the tray: its error is returned for the caller to
// raise when everything else is done.
std::exception_ptr TMorvaneMain::LeaveResidence()
{
    if (left_) return nullptr;
    left_ = true;
    std::exception_ptr writeError;
    try {
        SaveActiveGroup(platform_.SettingsFile, settings_.ActiveGroup);
    } catch (...) {
        writeError = std::current_exception();
    }
    UnregisterHotKeys();
    DeleteTrayIcon();
    return writeError;
}

void TMorvaneMain::EndSession()
{
    if (optionDialogOpen_) {
        exitPending_ = true;  // should the process live on, the window closes when the dialog returns
        platform_.OptionDialogs.CloseOpenDialog();
    }
    const std::exception_ptr writeError = LeaveResidence();
    if (!optionDialogOpen_) platform_.Window.Close();
    if (writeError) std::rethrow_exception(writeError);
}

void TMorvaneMain::RegisterHotKeys()
{
    const EditGroup& group = settings_.Active();
    for (int slot = 1; slot <= kExecSlot; ++slot) {
        const ShortCut key = HotKeyOfSlot(group, slot);
        const HotKeyModifiers modifiers = HotKeyModifiersOf(key);
        if (modifiers == HotKeyModifiers::None) continue;  // a bare key would take that key from every program
        const int id = slot == kExecSlot ? kHotKeyIdExec : slot;
        if (platform_.HotKeys.RegisterHotKey(id, modifiers | HotKeyModifiers::NoRepeat, key & kShortCutKeyMask))
            registered_.push_back(key);
        else
            refusedKeys_.push_back(RefusalOf(slot, key));
    }
}

std::string TMorvaneMain::RefusalOf(int slot, ShortCut key) const
{
    const std::string keyText = ShortCutText(platform_.KeyNames).ToText(key);
    for (const HotKeyConflict& conflict : FindHotKeyConflicts(settings_.Active(), settings_.ActiveGroup))
        if (conflict.Slot == slot && conflict.Kind == HotKeyConflictKind::SameKeyInGroup)
            return DescribeHotKeyConflict(conflict, keyText);
    return keyText + SjString("（"_sj) + HotKeySlotName(slot) + SjString("）は他のプログラムが使用中です"_sj);
}

void TMorvaneMain::ReportRefusedKeys()
{
    if (refusedKeys_.empty()) return;
    std::string text;
    for (const std::string& line : refusedKeys_) text += (text.empty() ? "" : "\n") + line;
    refusedKeys_.clear();
    platform_.Tray.ShowBalloon("ホットキーを登録できません"_sj, text);
}

bool TMorvaneMain::HotKeyTaken(ShortCut key)
{
    const HotKeyModifiers modifiers = HotKeyModifiersOf(key);
    if (modifiers == HotKeyModifiers::None || (key & kShortCutKeyMask) == 0) return false;
    if (std::find(registered_.begin(), registered_.end(), key) != registered_.end()) return false;
    if (!platform_.HotKeys.RegisterHotKey(kHotKeyIdProbe, modifiers, key & kShortCutKeyMask)) return true;
    platform_.HotKeys.UnregisterHotKey(kHotKeyIdProbe);
    return false;
}

void TMorvaneMain::UnregisterHotKeys()
{
    for (int id : {1, 2, 3, 4, kHotKeyIdExec}) platform_.HotKeys.UnregisterHotKey(id);
    registered_.clear();
}

void TMorvaneMain::AddTrayIcon()
{
    platform_.Tray.Add(trayIcon_, trayTip_);
    trayAdded_ = true;
}

void TMorvaneMain::ModifyTrayIcon(int icon, std::string_view tip)
{
    trayIcon_ = icon;
    trayTip_ = TrayTip(tip);
    platform_.Tray.Modify(trayIcon_, trayTip_);
}

void TMorvaneMain::DeleteTrayIcon()
{
    platform_.Tray.Delete();
    trayAdded_ = false;
}

void TMorvaneMain::TaskbarCreated()
{
    if (trayAdded_) platform_.Tray.Add(trayIcon_, trayTip_);
}

void TMorvaneMain::UpdateGroupDisplay()
{
    for (int g = 1; g <= kGroupCount; ++g)
        platform_.Menu.SetGroupCaption(g, settings_.Group[g - 1].Name + "(&" + std::to_string(g) + ")");
    platform_.Menu.CheckGroup(settings_.ActiveGroup);
    ModifyTrayIcon(settings_.ActiveGroup, settings_.Active().Name);
}

MappedText TMorvaneMain::ReadClipboardText(std::string_view abandonedWork)
{
    try {
        return platform_.Clipboard.GetClipboardText();
    } catch (const EEncodingError& e) {
        throw EClipboardNotTaken(SjString("クリップボードのテキストを扱えないため、"_sj) + std::string(abandonedWork) +
                                 "\r\n" + e.what());
    }
}

void TMorvaneMain::EditDriver(const MappedText& text, const EditSet& set)
{
    ProcessServices services{*awkStr_, nmurl_, platform_.LineComparer, *text.StandIns};
    ::EditDriver(text, set, history_, ProcessRunnerFor(services), platform_.Clipboard);
}

EditTrace TMorvaneMain::TracedEditDriver(const MappedText& text, const EditSet& set)
{
    EditTraceRecorder recorder({*awkStr_, nmurl_, platform_.LineComparer, *text.StandIns}, true);
    ::EditDriver(text, set, history_, recorder.Runner(), platform_.Clipboard, recorder.Observer());
    return recorder.TakeTrace();
}

void TMorvaneMain::ExecAssociation(const MappedText& text)
{
    ::ExecAssociation(text, platform_.Launcher);
}

void TMorvaneMain::WMHotKey(int id)
{
    if (id == kHotKeyIdExec) {
        ExecAssociation(ReadClipboardText("関連付け起動を中止しました。"_sj));
    } else if (id >= 1 && id <= kSetsPerGroup) {
        EditHotKey(settings_.Active().Set[id - 1]);
    }
}

void TMorvaneMain::EditHotKey(const EditSet& set)
{
    if (set.EditSelection && !platform_.Selection.CopySelection()) {
        platform_.Tray.ShowBalloon("編集しませんでした"_sj, "テキストが選択されていません"_sj);
        return;
    }
    const MappedText text = ReadClipboardText("編集を中止しました。"_sj);
    EditDriver(text, set);
    if (set.EditSelection) platform_.Selection.PasteClipboard();
}

void TMorvaneMain::SwitchGroup(int group)
{
    UnregisterHotKeys();
    settings_.ActiveGroup = group;
    UpdateGroupDisplay();
    RegisterHotKeys();
    ReportRefusedKeys();
}

void TMorvaneMain::WMTrayNotify(TrayClick click)
{
    const ScreenPoint at = platform_.Cursor.CursorPos();
    if (click == TrayClick::Left) {
        SwitchGroup(settings_.ActiveGroup % kGroupCount + 1);
    } else if (click == TrayClick::Right) {
        platform_.Menu.Popup(at);
    }
}

void TMorvaneMain::MenuGroupClick(int group)
{
    if (group < 1 || group > kGroupCount) return;  // no such item: only a stray message sends one
    SwitchGroup(group);
}

void TMorvaneMain::MenuHistoriesClick(int item)
{
    if (item < 0 || item >= platform_.Menu.ItemCount()) return;  // no such item, as above
    history_.MenuHistoriesClick(item, platform_.Clipboard);
}

void TMorvaneMain::MenuOptionClick()
{
    // The flag covers a dialog that is open but cannot be found (not created yet): a
    // second dialog must never open.
    if (platform_.OptionDialogs.BringOpenDialogForward() || optionDialogOpen_) return;

    OptionHost host{
        settings_,
        history_,
        [this](const MappedText& text, const EditSet& set) { return TracedEditDriver(text, set); },
        [this](const MappedText& text) { ExecAssociation(text); },
        platform_.Clipboard,
        [this] { SaveSettings(platform_.SettingsFile, settings_, platform_.KeyNames); },
        [this](ShortCut key) { return HotKeyTaken(key); },
        &platform_.KeyNames,
    };
    UnregisterHotKeys();
    optionDialogOpen_ = true;
    try {
        platform_.OptionDialogs.ShowModal(host);
    } catch (...) {
        // The keys come back also when the dialog failed; otherwise they would stay off
        // until the next group change.
        AfterOptionDialog();
        throw;
    }
    AfterOptionDialog();
}

void TMorvaneMain::AfterOptionDialog()
{
    optionDialogOpen_ = false;
    if (!left_) {
        UpdateGroupDisplay();
        RegisterHotKeys();
        ReportRefusedKeys();
    }
    if (exitPending_) platform_.Window.Close();
}

void TMorvaneMain::MenuExitClick()
{
    // The window must outlive the dialog it owns: the dialog is asked to close first, and
    // the window closes when the dialog has returned.
    if (optionDialogOpen_) {
        exitPending_ = true;
        platform_.OptionDialogs.CloseOpenDialog();
        return;
    }
    platform_.Window.Close();
}
