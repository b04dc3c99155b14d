#include "core/ShortCutText.h"

#include "core/IgnoreCase.h"

namespace {

// Keypad digits are "Num0" to "Num9": named like the main digits, they would read back
// as the main digits, and the hot key would silently move to another key.
std::string FixedKeyName(int code)
{
    static constexpr const char* kNavigation[] = {"Space", "PgUp", "PgDn", "End", "Home",
                                                  "Left", "Up", "Right", "Down"};
    switch (code) {
    case 8: return "BkSp";
    case 9: return "Tab";
    case 13: return "Enter";
    case 27: return "Esc";
    case 45: return "Ins";
    case 46: return "Del";
    }
    if (code >= 32 && code <= 40) return kNavigation[code - 32];
    if ((code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z')) return std::string(1, static_cast<char>(code));
    if (code >= 96 && code <= 105) return "Num" + std::to_string(code - 96);
    if (code >= 112 && code <= 135) return std::string(1, 'F').append(std::to_string(code - 111));
    return {};
}

struct Modifier {
    std::string_view prefix;
    ShortCut flag;
};

constexpr Modifier kModifiers[] = {
    {"Shift+", kShortCutShift},
    {"Ctrl+", kShortCutCtrl},
    {"^", kShortCutCtrl},
    {"Alt+", kShortCutAlt},
};

}  // namespace

ShortCutText::ShortCutText(const IKeyNames& layout)
{
    for (int code = 0; code < 256; ++code) {
        names_[code] = FixedKeyName(code);
        if (names_[code].empty()) names_[code] = layout.LayoutKeyName(code);
    }
}

std::string ShortCutText::ToText(ShortCut value) const
{
    const std::string& name = names_[value & 0xFF];
    if (value == 0 || name.empty()) return {};
    std::string text;
    if (value & kShortCutShift) text += "Shift+";
    if (value & kShortCutCtrl) text += "Ctrl+";
    if (value & kShortCutAlt) text += "Alt+";
    return text + name;
}

ShortCut ShortCutText::FromText(std::string_view text) const
{
    ShortCut modifiers = 0;
    // A prefix is taken off only when text remains behind it: a layout may name a key
    // "^", and "Ctrl+^" must read back as that key. A modifier named twice counts once.
    for (bool found = true; found;) {
        found = false;
        for (const Modifier& m : kModifiers) {
            if (text.size() > m.prefix.size() && StartsWithIgnoringCase(text, m.prefix)) {
                modifiers |= m.flag;
                text.remove_prefix(m.prefix.size());
                found = true;
            }
        }
    }
    for (int code = 8; code < 256; ++code)
        if (!names_[code].empty() && EqualsIgnoringCase(names_[code], text)) return static_cast<ShortCut>(modifiers | code);
    return 0;
}
