#include "regex/ExtendedHints.h"

#include <gtest/gtest.h>

#include "text/SjisLiteral.h"

// "ソ" is 0x83 0x5C: its trail byte is a backslash that escapes nothing.
TEST(ExtendedHints, FindsWhatTheExtendedSyntaxReadsOtherwise)
{
    const struct {
        bool isTemplate;
        std::string text;
        int position;  // 0: none
        std::string construct;
    } cases[] = {
        {false, "a\\d+", 2, "\\d"},
        {false, "\\b", 1, "\\b"},
        {false, "a\\\\d", 0, ""},
        {false, std::string("ソd"_sj), 0, ""},
        {false, "x{2,3}", 2, "{2,3}"},
        {false, "x{2,}", 2, "{2,}"},
        {false, "{a}", 0, ""},
        {false, "(?:a)", 1, "(?"},
        {false, "\\(?", 0, ""},
        {true, "<\\1>", 2, "\\1"},
        {true, "$9", 1, "$9"},
        {true, "\\\\1", 0, ""},
        {true, "$0 \\0 &", 0, ""},
        {true, std::string("ソ1"_sj), 0, ""},
    };
    for (const auto& c : cases) {
        const auto hint = c.isTemplate ? ExtendedReferenceInTemplate(c.text) : ExtendedConstructInPattern(c.text);
        EXPECT_EQ(hint ? hint->Position : 0, c.position) << c.text;
        EXPECT_EQ(hint ? hint->Construct : "", c.construct) << c.text;
    }
}
