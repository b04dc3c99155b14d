#include "shell/win32/HotKeyRepeatGuard.h"

namespace {

// Often enough that a quick second press is not taken for a repeat.
constexpr UINT kPollMilliseconds = 20;

bool KeyDown(UINT keyCode) { return (GetAsyncKeyState(static_cast<int>(keyCode)) & 0x8000) != 0; }

}  // namespace

bool HotKeyRepeatGuard::IsNewPress(int id, UINT keyCode)
{
    if (id == heldId_ && keyCode == heldKey_ && KeyDown(keyCode)) return false;
    heldId_ = id;
    heldKey_ = keyCode;
    SetTimer(window_, kTimerId, kPollMilliseconds, nullptr);
    return true;
}

void HotKeyRepeatGuard::DropQueuedRepeats(int id)
{
    if (id != heldId_ || !KeyDown(heldKey_)) return;
    MSG message;
    while (PeekMessageW(&message, window_, WM_HOTKEY, WM_HOTKEY, PM_NOREMOVE) && static_cast<int>(message.wParam) == id)
        PeekMessageW(&message, window_, WM_HOTKEY, WM_HOTKEY, PM_REMOVE);
}

void HotKeyRepeatGuard::OnTimer()
{
    if (heldId_ != 0 && KeyDown(heldKey_)) return;
    KillTimer(window_, kTimerId);
    heldId_ = 0;
}
