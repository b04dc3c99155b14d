// The one error box of the program, for the main window and the settings dialog alike.
#pragma once

#include <windows.h>

#include <string_view>

class TStandInMap;

// Shows a CP932 message in a modal error box titled "Morvane", owned by owner. A message
// must always show, so its text is converted leniently (see DisplayText): it may come from
// a file or from another program, or quote a path that CP932 cannot spell.
// With no owner the box is brought to the foreground itself: the main window is hidden,
// and a box it owned could open behind other programs' windows.
// A message about a character beyond CP932 carries it as a stand-in of `standIns`.
void ShowErrorBox(HWND owner, std::string_view cp932Message, const TStandInMap* standIns = nullptr);
