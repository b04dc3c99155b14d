// Text for display never fails: a cut double-byte character disappears and foreign bytes
// show as the replacement character, while good text converts exactly.
#include <gtest/gtest.h>

#include "text/DisplayText.h"

namespace {

TEST(DisplayText, ShowsWhatItCanAndNeverFails)
{
    struct Row {
        const char* name;
        std::string cp932;
        std::u16string shown;
    };
    const Row rows[] = {
        {"empty", "", u""},
        {"ASCII with controls and ampersand", "a&b\t\r\n", u"a&b\t\r\n"},
        {"double-byte and half-width kana", "\x8A\xBF\x8E\x9A\xB1", u"漢字ｱ"},
        {"lead byte cut at the end", "ab\x8A", u"ab"},
        {"pair that is no character", "\x85\x40z", u"\xFFFDz"},
    };
    for (const Row& row : rows) EXPECT_EQ(DisplayText(row.cp932), row.shown) << row.name;
}

}  // namespace
