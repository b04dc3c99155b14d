// The text the Windows line comparison orders by: characters as the CP932 table converts
// them, stray bytes kept apart from every character.
#include <gtest/gtest.h>

#include "text/Cp932.h"
#include "text/CollationText.h"

namespace {

struct CollationCase {
    const char* name;
    std::string cp932;
    std::u16string expected;
};

TEST(CollationText, ConvertsCharactersAndKeepsStrayBytesApart)
{
    const CollationCase cases[] = {
        {"empty line", "", u""},
        {"ASCII", "Ab1-", u"Ab1-"},
        {"double-byte and half-width kana", "\x82\xA0\xB1", u"\u3042\uFF71"},
        {"zero byte kept", std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
        {"lead byte at the end", "a\x82", u"a\xF082"},
        {"lead byte with a trail that makes no character", "\x81\x20z", u"\xF081\xF020z"},
        {"unassigned double-byte code", "\x85\x40", u"\xF085\xF040"},
        {"user-defined area is a character", "\xF0\x40", u"\uE000"},
    };
    std::u16string buffer;
    for (const CollationCase& c : cases) EXPECT_EQ(ToCollationText(c.cp932, buffer), c.expected) << c.name;
}

// ASCII bytes are converted without the table, so the table must agree.
TEST(CollationText, AsciiConvertsLikeTheTable)
{
    std::u16string buffer;
    for (int b = 0; b < 0x80; ++b) {
        EXPECT_EQ(Cp932CodeToUnicode(static_cast<std::uint16_t>(b)), b) << "byte " << b;
        EXPECT_EQ(ToCollationText(std::string(1, static_cast<char>(b)), buffer), std::u16string(1, static_cast<char16_t>(b)))
            << "byte " << b;
    }
}

// The stand-ins for stray bytes must be told apart from every real character, or a line
// with a stray byte could compare equal to a different, valid line.
TEST(CollationText, NoCharacterMapsIntoTheStrayByteRange)
{
    for (int code = 0; code <= 0xFFFF; ++code) {
        const int unicode = Cp932CodeToUnicode(static_cast<std::uint16_t>(code));
        EXPECT_FALSE(unicode >= kStrayByteBase && unicode <= kStrayByteBase + 0xFF) << "code " << code;
    }
}

}  // namespace
