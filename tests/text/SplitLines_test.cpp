// The shared line rule: which bytes end a line, what a final break and a zero byte do,
// and that joining always uses CR LF.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/SjisLiteral.h"
#include "text/SplitLines.h"

namespace {

using namespace std::string_literals;

struct SplitCase {
    const char* name;
    std::string text;
    std::vector<std::string> lines;
};

TEST(SplitLines, EndsLinesAtEveryBreakForm)
{
    const SplitCase cases[] = {
        {"empty text", "", {}},
        {"no break", "abc", {"abc"}},
        {"CR LF", "a\r\nb", {"a", "b"}},
        {"lone CR", "a\rb", {"a", "b"}},
        {"lone LF", "a\nb", {"a", "b"}},
        {"LF CR is two breaks", "a\n\rb", {"a", "", "b"}},
        {"CR CR LF", "a\r\r\nb", {"a", "", "b"}},
        {"final CR LF", "a\r\n", {"a"}},
        {"final lone CR", "a\r", {"a"}},
        {"final lone LF", "a\n", {"a"}},
        {"final LF CR", "a\n\r", {"a", ""}},
        {"break alone", "\r\n", {""}},
        {"two breaks", "\r\n\r\n", {"", ""}},
        {"empty line before final break", "x\r\n\r\n", {"x", ""}},
        {"leading break", "\nx", {"", "x"}},
        {"zero byte ends the text", "a\r\nb\0c\r\nd"s, {"a", "b"}},
        {"zero byte first", "\0abc"s, {}},
        {"zero byte after final break", "a\r\n\0b"s, {"a"}},
        {"lead byte before break keeps the break", "a\x82\r\nb", {"a\x82", "b"}},
        {"double-byte characters intact", std::string("ソ"_sj) + "\r\n" + std::string("ア"_sj),
         {std::string("ソ"_sj), std::string("ア"_sj)}},
    };
    for (const auto& c : cases) EXPECT_EQ(SplitLines(c.text), c.lines) << c.name;
}

struct JoinCase {
    const char* name;
    std::vector<std::string> lines;
    std::string text;
};

TEST(JoinLines, PutsCrLfBetweenLinesOnly)
{
    const JoinCase cases[] = {
        {"no lines", {}, ""},
        {"one empty line", {""}, ""},
        {"one line", {"a"}, "a"},
        {"two lines", {"a", "b"}, "a\r\nb"},
        {"empty lines kept", {"", "a", ""}, "\r\na\r\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(JoinLines(c.lines), c.text) << c.name;
}

TEST(SplitAndJoin, DropOneFinalBreakAndNormaliseBreaks)
{
    EXPECT_EQ(JoinLines(SplitLines("a\rb\nc\n\rd\r\n")), "a\r\nb\r\nc\r\n\r\nd");
}

}  // namespace
