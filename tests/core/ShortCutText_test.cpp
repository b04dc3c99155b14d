// The hot-key text form: fixed names, layout names, modifier prefixes, and that every
// value the writer can name reads back as itself.
#include <gtest/gtest.h>

#include <map>

#include "core/KeyNames.h"
#include "core/ShortCutText.h"

namespace {

// A keyboard layout that names only the keys a test gives it.
class FakeLayout : public IKeyNames {
public:
    explicit FakeLayout(std::map<int, std::string> names) : names_(std::move(names)) {}
    std::string LayoutKeyName(int keyCode) const override
    {
        const auto it = names_.find(keyCode);
        return it == names_.end() ? std::string() : it->second;
    }

private:
    std::map<int, std::string> names_;
};

constexpr ShortCut Shift = kShortCutShift, Ctrl = kShortCutCtrl, Alt = kShortCutAlt;

struct ToTextCase {
    const char* name;
    ShortCut value;
    const char* text;
};

TEST(ShortCutText, WritesPrefixesInOrderThenTheKeyName)
{
    const ToTextCase cases[] = {
        {"no hot key", 0, ""},
        {"Ctrl+Alt+F5", Ctrl | Alt | 116, "Ctrl+Alt+F5"},
        {"all modifiers", Alt | Shift | Ctrl | 'A', "Shift+Ctrl+Alt+A"},
        {"no modifier", '7', "7"},
        {"BkSp and Tab", Ctrl | 8, "Ctrl+BkSp"},
        {"Enter", Ctrl | 13, "Ctrl+Enter"},
        {"Esc", Shift | 27, "Shift+Esc"},
        {"navigation keys", Ctrl | 34, "Ctrl+PgDn"},
        {"Down", Ctrl | 40, "Ctrl+Down"},
        {"Ins and Del", Alt | 46, "Alt+Del"},
        {"keypad digit", Ctrl | 96, "Ctrl+Num0"},
        {"F24", Ctrl | 135, "Ctrl+F24"},
        {"layout name", Ctrl | 0xBA, "Ctrl+;"},
        {"key without a name", Ctrl | 0xBB, ""},
        {"modifiers without a key", Ctrl | Alt, ""},
        {"low byte chooses the name", Ctrl | 0x141, "Ctrl+A"},
    };
    const ShortCutText text(FakeLayout({{0xBA, ";"}}));
    for (const auto& c : cases) EXPECT_EQ(text.ToText(c.value), c.text) << c.name;
}

struct FromTextCase {
    const char* text;
    ShortCut value;
};

TEST(ShortCutText, ReadsPrefixesAndNamesRegardlessOfCase)
{
    const FromTextCase cases[] = {
        {"Ctrl+Alt+F5", Ctrl | Alt | 116},
        {"alt+a", Alt | 'A'},
        {"^Q", Ctrl | 'Q'},
        {"Alt+Shift+ctrl+pgup", Alt | Shift | Ctrl | 33},
        {"Shift+Shift+A", Shift | 'A'},  // a modifier named twice still counts once
        {"^Ctrl+A", Ctrl | 'A'},
        {"Ctrl+", 0},
        {"Ctrl+Alt+", 0},
        {"", 0},
        {"Ctrl+Nothing", 0},
        {"Ctrl+ A", 0},
        {"Q", 'Q'},
        {"Ctrl+0", Ctrl | '0'},  // the main digit, not the keypad one
        {"Ctrl+num9", Ctrl | 105},
        {"Ctrl+f1", Ctrl | 112},
        {"Win+A", 0},
        {"Ctrl+^", Ctrl | 0xDE},  // the layout names this key "^"
        {"^", 0xDE},
        {"Alt+shift", Alt | 0x10},  // the layout names this key "Shift"
        {"Ctrl+Dup", Ctrl | 0xC0},  // two keys of the same name: the lower code
    };
    const ShortCutText text(FakeLayout({{0xDE, "^"}, {0x10, "Shift"}, {0xC0, "Dup"}, {0xC1, "Dup"}}));
    for (const auto& c : cases) EXPECT_EQ(text.FromText(c.text), c.value) << c.text;
}

TEST(ShortCutText, NeverFoldsTrailBytesOfLayoutNames)
{
    // 0x83 0x41 and 0x83 0x61 are two katakana whose trail bytes look like 'A' and 'a'.
    const ShortCutText text(FakeLayout({{0xF0, "\x83\x41"}, {0xF1, "\x83\x61"}}));
    EXPECT_EQ(text.FromText("Ctrl+\x83\x61"), Ctrl | 0xF1);
    EXPECT_EQ(text.FromText("Ctrl+\x83\x41"), Ctrl | 0xF0);
}

TEST(ShortCutText, EveryNamedKeyReadsBackAsItselfWithPortableNames)
{
    const ShortCutText text{PortableKeyNames()};
    for (int code = 0; code < 256; ++code) {
        for (int modifiers = 0; modifiers <= (Shift | Ctrl | Alt); modifiers += Shift) {
            const ShortCut value = static_cast<ShortCut>(modifiers | code);
            const std::string written = text.ToText(value);
            if (code < 8) EXPECT_EQ(written, "") << "code " << code;
            else EXPECT_EQ(text.FromText(written), value) << written;
        }
    }
}

TEST(PortableKeyNames, NamesCodesFrom8UpInHex)
{
    const PortableKeyNames names;
    EXPECT_EQ(names.LayoutKeyName(0xBA), "VK_BA");
    EXPECT_EQ(names.LayoutKeyName(0x08), "VK_08");
    EXPECT_EQ(names.LayoutKeyName(0x07), "");
    EXPECT_EQ(names.LayoutKeyName(0x100), "");
}

}  // namespace
