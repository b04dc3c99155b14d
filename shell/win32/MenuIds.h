// The numbers by which the resident main window is reached from outside: its window
// class and caption, the tray's callback message and the tray menu's command ids. They
// are fixed so that a test driver can find the window and post what the system would
// (WM_HOTKEY with ids 1-4 and 14, the tray message, WM_COMMAND with these ids, WM_CLOSE
// to end the program as its exit command does).
#pragma once

constexpr const wchar_t* kMainWindowClass = L"TMorvaneMain";
constexpr const wchar_t* kMainWindowCaption = L"Morvane Ver 0.98";

// The tray icon's callback message; lParam carries the mouse message
// (WM_LBUTTONDOWN steps to the next group, WM_RBUTTONUP opens the menu).
constexpr unsigned kTrayCallbackMessage = 1125;  // 0x465
constexpr unsigned kTrayIconId = 1;

constexpr int kMenuIdOption = 1001;      // "設定(&S)"
constexpr int kMenuIdExit = 1002;        // "終了(&X)"
constexpr int kMenuIdUndo = 1003;        // "元に戻す(&U)" while the history is empty; does nothing
constexpr int kMenuIdGroupBase = 1100;   // + group 1..4: the items of "グループ(&G)"
constexpr int kMenuIdUndoItemBase = 1200;  // + item 0..30: the undo items, newest first
