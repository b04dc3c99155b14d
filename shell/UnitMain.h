// The resident main window TMorvaneMain, which is never shown: it owns the edit settings,
// the undo history, the AWK string object and the URL coder, registers the active group's
// hot keys, shows the group in the tray icon and its menu, and turns every hot key, tray
// click and menu command into the work it stands for. The platform reaches it only
// through MainPlatform, so all of this runs and is tested without Windows.
#pragma once

#include <exception>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/EditSettings.h"
#include "core/EditTrace.h"
#include "core/History.h"
#include "core/NMURL.h"
#include "regex/AWKStr.h"
#include "shell/MainPlatform.h"

// Hot-key ids: set j (1..4) of the active group is id j, its association launch id 14.
constexpr int kHotKeyIdExec = 14;
// Registered for a moment to learn whether another program holds a key.
constexpr int kHotKeyIdProbe = 15;

// What the mouse did on the tray icon: the left button went down (the next group), the
// right button came up (the menu), or anything else (nothing).
enum class TrayClick { Left, Right, Other };

constexpr std::size_t kTrayTipBytes = 63;

// The modifiers a shortcut value is registered with: its Shift, Ctrl and Alt; None when
// the value has none of them.
HotKeyModifiers HotKeyModifiersOf(ShortCut value);

// A group name as the tray tip: at most 63 bytes, cut before a double-byte character
// that would not fit whole, so that the tip never ends in half a character.
std::string TrayTip(std::string_view name);

// Raised when a hot key finds text on the clipboard that cannot be taken (more distinct
// characters beyond Shift-JIS than there are stand-ins): the edit or launch does not
// run, and the clipboard stays as it is.
class EClipboardNotTaken : public std::runtime_error {
public:
    explicit EClipboardNotTaken(const std::string& message) : std::runtime_error(message) {}
};

class TMorvaneMain {
public:
    // Loads the settings; the history starts empty. Registers and shows nothing yet.
    explicit TMorvaneMain(MainPlatform platform);

    // Start-up: the hot keys, the tray icon, the group check and the group display, in
    // this order, then a balloon for the keys the system refused.
    void FormCreate();
    // Shut-down: writes the active group, unregisters the hot keys and removes the tray
    // icon, in this order.
    void FormDestroy();

    // Keys the system refuses are kept for ReportRefusedKeys, named with their sets.
    void RegisterHotKeys();
    void UnregisterHotKeys();
    // Names each refused key of the last registration in a balloon over the tray icon.
    void ReportRefusedKeys();
    // Whether another program holds the key; the keys registered here do not count.
    bool HotKeyTaken(ShortCut key);
    void AddTrayIcon();
    void ModifyTrayIcon(int icon, std::string_view tip);
    void DeleteTrayIcon();
    void UpdateGroupDisplay();

    void WMHotKey(int id);
    void WMTrayNotify(TrayClick click);
    // The task bar was created anew (Explorer restarted) and has lost the icon.
    void TaskbarCreated();

    void MenuGroupClick(int group);  // group 1..4
    void MenuOptionClick();
    void MenuExitClick();
    void MenuHistoriesClick(int item);
    // Windows is logging off or shutting down and may end the process as soon as this
    // returns: the end runs now, as the exit command's would (an open dialog cancelled first).
    void EndSession();

    const EditSettings& Settings() const { return settings_; }

private:
    MappedText ReadClipboardText(std::string_view abandonedWork);
    // A hot key keeps no trace: tracing keeps the text before each step.
    void EditDriver(const MappedText& text, const EditSet& set);
    // The dialog's 実行, whose 経過 shows each step with the text after it.
    EditTrace TracedEditDriver(const MappedText& text, const EditSet& set);
    void ExecAssociation(const MappedText& text);
    void EditHotKey(const EditSet& set);
    void SwitchGroup(int group);
    void AfterOptionDialog();
    std::string RefusalOf(int slot, ShortCut key) const;
    std::exception_ptr LeaveResidence();

    MainPlatform platform_;
    TNMURL nmurl_;  // NMURL
    // TrayData: what the tray icon shows, kept to add the icon again after Explorer restarts.
    int trayIcon_ = kApplicationIcon;
    std::string trayTip_ = "Morvane";
    bool trayAdded_ = false;
    EditSettings settings_;
    History history_;
    std::unique_ptr<TAWKStr> awkStr_;  // AWKStr; held by pointer, as the engine cannot move
    std::vector<ShortCut> registered_;     // the active group's keys the system took
    std::vector<std::string> refusedKeys_;  // not reported yet
    bool optionDialogOpen_ = false;
    bool exitPending_ = false;
    bool left_ = false;  // the active group written, keys and icon given back
};
