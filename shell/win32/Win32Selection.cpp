#include "shell/win32/Win32Selection.h"

#include <windows.h>

#include <array>

namespace {

// Long enough for a person to let go of a hot key and for a slow program to copy, short
// enough that a hot key that finds nothing does not seem to hang.
constexpr DWORD kWaitMilliseconds = 1000;
constexpr DWORD kPollMilliseconds = 10;

bool AnyModifierDown()
{
    for (const int key : {VK_SHIFT, VK_CONTROL, VK_MENU, VK_LWIN, VK_RWIN})
        if (GetAsyncKeyState(key) & 0x8000) return true;
    return false;
}

// Waits for `done`, handling the messages other threads send meanwhile: the program that
// copies empties the clipboard, and while we own it that sends us a message and waits.
template <typename Done>
bool WaitFor(Done done)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start >= kWaitMilliseconds) return false;
        MSG message;
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        Sleep(kPollMilliseconds);
    }
    return true;
}

void SendControlAnd(WORD key)
{
    std::array<INPUT, 4> inputs{};
    const WORD keys[] = {VK_CONTROL, key, key, VK_CONTROL};
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        inputs[i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = keys[i];
        inputs[i].ki.dwFlags = i < 2 ? 0 : KEYEVENTF_KEYUP;
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

}  // namespace

bool Win32Selection::CopySelection()
{
    // Keys still held would join the ones sent: Ctrl+Alt+C is not a copy.
    WaitFor([] { return !AnyModifierDown(); });
    const DWORD before = GetClipboardSequenceNumber();
    SendControlAnd('C');
    return WaitFor([before] { return GetClipboardSequenceNumber() != before; });
}

void Win32Selection::PasteClipboard() { SendControlAnd('V'); }
