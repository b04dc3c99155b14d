// CP932 text turned into UTF-16 for showing it: menu captions, the tray tip and message
// boxes. Unlike Cp932ToUtf16 it never fails, because what it shows may be cut or foreign:
// the undo captions are cut at 30 bytes even inside a double-byte character, and group
// names and error messages come from files and other programs. Only the display is
// lenient; the stored text is never changed.
#pragma once

#include <string>
#include <string_view>

class TStandInMap;

// A lead byte cut off at the very end is dropped; a byte or byte pair that is no CP932
// character shows as U+FFFD. With a map, its stand-ins show as their characters.
std::u16string DisplayText(std::string_view cp932, const TStandInMap* standIns = nullptr);
