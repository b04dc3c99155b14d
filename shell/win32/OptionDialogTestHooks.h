// The settings dialog's answers to the messages by which a test driver in another process
// acts on it as the user would (kOptionMsgSelectTab and the others in OptionControlIds.h):
// a tab control does not notify its parent of TCM_SETCURSEL, and list-view items and
// WM_DPICHANGED need pointers into this process.
#pragma once

#include <windows.h>

#include <optional>

#include "shell/UnitOption.h"
#include "shell/win32/OptionWin32View.h"

// The result of such a message to the dialog window; nothing for any other message.
std::optional<LRESULT> HandleOptionTestHook(HWND dialog, OptionWin32View& view, TMorvaneOption& logic, UINT message,
                                            WPARAM wParam, LPARAM lParam);
