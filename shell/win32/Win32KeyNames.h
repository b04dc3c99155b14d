// Names of keys outside the hot-key text's fixed table, as the keyboard layout gives them
// ("Num *", "Scroll Lock", a layout's own name for an OEM key), converted to CP932.
#pragma once

#include <array>
#include <string>

#include "core/KeyNames.h"

class Win32KeyNames final : public IKeyNames {
public:
    // Asks the layout for every key's name once. Every name must read back as its own
    // key; a name that would not (the layout gives two keys the same name, or names a key
    // like one of the fixed table, or the name has no CP932 spelling) is replaced by the
    // portable "VK_xx" name, so a hot key never moves to another key on the next load.
    Win32KeyNames();

    std::string LayoutKeyName(int keyCode) const override;

private:
    std::array<std::string, 256> names_;
};
