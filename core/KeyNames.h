// Key names that only the keyboard layout knows: every key outside the fixed table of the
// hot-key text form (ShortCutText). On Windows the layout names them; elsewhere
// PortableKeyNames stands in.
#pragma once

#include <string>

class IKeyNames {
public:
    virtual ~IKeyNames() = default;
    // The layout's name of a virtual-key code (0-255), or empty when the key has none.
    virtual std::string LayoutKeyName(int keyCode) const = 0;
};

// "VK_" and two upper-case hex digits ("VK_BA") for the codes 8-255, none for 0-7: the
// names are unique, match no fixed name and no modifier prefix, so every key the hot-key
// text can name reads back as itself. Codes below 8 are never looked up on reading.
class PortableKeyNames : public IKeyNames {
public:
    std::string LayoutKeyName(int keyCode) const override;
};
