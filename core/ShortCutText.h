// The text form of hot keys in the settings file: modifier prefixes "Shift+", "Ctrl+",
// "Alt+" in this order, then the key's name ("Ctrl+Alt+F5"); the empty text is no hot key.
// Common keys have fixed names; the others take the keyboard layout's (IKeyNames).
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/EditSettings.h"
#include "core/KeyNames.h"

class ShortCutText {
public:
    // Looks every key name up once, so a whole settings file is read without asking the
    // layout again for each hot key.
    explicit ShortCutText(const IKeyNames& layout);

    // The low byte of the key code chooses the name; a key without a name gives the
    // empty text, as does the value 0.
    std::string ToText(ShortCut value) const;

    // Modifier prefixes in any order and case ("^" for Ctrl too), then a key name matched
    // regardless of case against the codes from 8 upward; the first match is the key.
    // No key name, or an unknown one, gives 0 whatever the prefixes said.
    ShortCut FromText(std::string_view text) const;

private:
    std::array<std::string, 256> names_;
};
