// What the resident main window needs from the platform: global hot keys, the
// notification-area icon, the tray menu, the mouse position, the settings dialog and its
// own closing. The Windows program binds these to the real services; tests use fakes that
// record calls and decide what the platform answers.
#pragma once

#include <filesystem>
#include <string_view>

#include "core/AssociationLaunch.h"
#include "core/History.h"
#include "core/KeyNames.h"
#include "core/LineComparer.h"
#include "core/ClipboardText.h"
#include "shell/OptionHost.h"

// The modifiers of a global hot-key registration, a set combined with |. NoRepeat: held
// down, a key repeats, and without it each repeat would run the set again.
enum class HotKeyModifiers : unsigned {
    None = 0,
    Alt = 1 << 0,
    Control = 1 << 1,
    Shift = 1 << 2,
    NoRepeat = 1 << 3,
};

constexpr HotKeyModifiers operator|(HotKeyModifiers a, HotKeyModifiers b)
{
    return static_cast<HotKeyModifiers>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}

// Whether the set holds every modifier of `wanted`.
constexpr bool Holds(HotKeyModifiers set, HotKeyModifiers wanted)
{
    return (static_cast<unsigned>(set) & static_cast<unsigned>(wanted)) == static_cast<unsigned>(wanted);
}

class IHotKeyRegistrar {
public:
    virtual ~IHotKeyRegistrar() = default;
    // False when the system refuses, above all when another program holds the key.
    virtual bool RegisterHotKey(int id, HotKeyModifiers modifiers, unsigned keyCode) = 0;
    // Removing an id that is not registered is harmless.
    virtual void UnregisterHotKey(int id) = 0;
};

// Icon of the notification area: the application's icon or image `icon` of the nine
// group images (0 a prohibition sign, g the digit g), with a tip of at most 63 bytes.
constexpr int kApplicationIcon = -1;

class ITrayIcon {
public:
    virtual ~ITrayIcon() = default;
    // Failures are ignored: a tray that is not there (Explorer restarting) must not stop
    // the program; the icon is added again when the task bar comes back.
    virtual void Add(int icon, std::string_view tip) = 0;
    virtual void Modify(int icon, std::string_view tip) = 0;
    virtual void Delete() = 0;
    // A balloon over the icon: a notice the user may miss without harm.
    virtual void ShowBalloon(std::string_view title, std::string_view text) = 0;
};

struct ScreenPoint {
    int X = 0;
    int Y = 0;
};

// The tray's pop-up menu: "設定(&S)", "元に戻す(&U)" with the undo items, "グループ(&G)"
// with one radio item per group, a separator and "終了(&X)". The undo items are driven by
// the history through IUndoMenu.
class ITrayMenu : public IUndoMenu {
public:
    virtual void SetGroupCaption(int group, std::string_view caption) = 0;  // group 1..4
    // Checks the group's radio item and clears the others.
    virtual void CheckGroup(int group) = 0;
    // Brings the main window forward, as a pop-up menu of a background window needs to
    // close when the user clicks elsewhere, and shows the menu at the point. A chosen
    // item reaches the window later as a menu command.
    virtual void Popup(ScreenPoint at) = 0;
};

class ICursor {
public:
    virtual ~ICursor() = default;
    virtual ScreenPoint CursorPos() const = 0;
};

class IOptionDialogs {
public:
    virtual ~IOptionDialogs() = default;
    // Looks for an open settings dialog and brings it to the foreground; false when none is open.
    virtual bool BringOpenDialogForward() = 0;
    // Shows the settings dialog modally; returns when it has been closed and released.
    virtual void ShowModal(OptionHost& host) = 0;
    // Asks the open dialog to close as with its cancel button.
    virtual void CloseOpenDialog() = 0;
};

// The text selected in the window the user works in, edited in place: its copy and paste
// keys are sent to it.
class ISelection {
public:
    virtual ~ISelection() = default;
    // Waits (bounded) for the user to let go of the hot key's modifiers, so that they do not
    // change the keys sent, then sends Ctrl+C to the foreground window and waits (bounded)
    // for the clipboard to change. False when it did not: nothing was selected.
    virtual bool CopySelection() = 0;
    // Sends Ctrl+V to the foreground window.
    virtual void PasteClipboard() = 0;
};

class IMainWindow {
public:
    virtual ~IMainWindow() = default;
    // Destroys the main window, which runs FormDestroy and ends the message loop.
    virtual void Close() = 0;
};

struct MainPlatform {
    IMainWindow& Window;
    IHotKeyRegistrar& HotKeys;
    ITrayIcon& Tray;
    ITrayMenu& Menu;
    ICursor& Cursor;
    IOptionDialogs& OptionDialogs;
    IClipboardText& Clipboard;
    ISelection& Selection;
    ILauncher& Launcher;
    const IKeyNames& KeyNames;
    const ILineComparer& LineComparer;
    std::filesystem::path SettingsFile;
};
