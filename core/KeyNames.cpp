#include "core/KeyNames.h"

std::string PortableKeyNames::LayoutKeyName(int keyCode) const
{
    if (keyCode < 8 || keyCode > 0xFF) return {};
    static constexpr char kHex[] = "0123456789ABCDEF";
    return std::string("VK_") + kHex[keyCode >> 4] + kHex[keyCode & 0xF];
}
