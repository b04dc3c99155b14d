// Sizes for a window's dots per inch. The per-DPI functions of user32 exist only from
// Windows 10 (1607) on, and not in every Wine: each is looked up when called, with a
// fallback that scales the system-DPI value.
#pragma once

#include <windows.h>

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

constexpr int kDesignDpi = 96;  // the resolution that designed sizes are given at

// The window's DPI, or the screen's where the system cannot tell a window's own.
int WindowDpi(HWND window);

// GetSystemMetrics at the given DPI.
int SystemMetricForDpi(int index, int dpi);

// The system's message font at the given DPI.
LOGFONTW MessageFontForDpi(int dpi);

// The window size whose client area has the given size, for a frame at the given DPI.
SIZE FrameSizeForClient(SIZE client, DWORD style, DWORD exStyle, int dpi);
