// The system's flags for a hot-key registration's modifiers.
#pragma once

#include <windows.h>

#include "shell/MainPlatform.h"

inline UINT Win32HotKeyModifiers(HotKeyModifiers modifiers)
{
    UINT flags = 0;
    if (Holds(modifiers, HotKeyModifiers::Alt)) flags |= MOD_ALT;
    if (Holds(modifiers, HotKeyModifiers::Control)) flags |= MOD_CONTROL;
    if (Holds(modifiers, HotKeyModifiers::Shift)) flags |= MOD_SHIFT;
    if (Holds(modifiers, HotKeyModifiers::NoRepeat)) flags |= MOD_NOREPEAT;
    return flags;
}
