// Holding a hot key runs its set once. Windows honours MOD_NOREPEAT for that; Wine and
// Windows before 7 repeat a held hot key all the same, so a press of a key that has not
// been let go since the last one counts as a repeat here too.
#pragma once

#include <windows.h>

class HotKeyRepeatGuard {
public:
    static constexpr UINT_PTR kTimerId = 1;

    explicit HotKeyRepeatGuard(HWND window) : window_(window) {}

    // True for a new press; false for a repeat of the key still held since the last one.
    bool IsNewPress(int id, UINT keyCode);
    // After a press was handled: repeats that queued up meanwhile go too.
    void DropQueuedRepeats(int id);
    // WM_TIMER with kTimerId: notes when the held key is let go.
    void OnTimer();

private:
    HWND window_;
    int heldId_ = 0;  // 0: no key held
    UINT heldKey_ = 0;
};
