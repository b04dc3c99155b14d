// AWK-style substitution: empty matches, line anchors, CR LF pairs, double-byte
// characters, and the replacement template's escapes.
#include <gtest/gtest.h>

#include "ExpectParseError.h"

#include "text/SjisLiteral.h"
#include "regex/RegExp.h"

using namespace std::string_literals;

namespace {

struct GSubCase {
    std::string pattern;
    std::string templateText;
    std::string text;
    std::string expected;
    int count;
    TMatchCORE_LineSeparator separator = mcls_CRLF;
};

TEST(GSub, ReplacesEveryMatch)
{
    const std::string so = SjString("ソ"_sj);
    const GSubCase cases[] = {
        {"a", "[&]", "banana", "b[a]n[a]n[a]", 3},
        {"x*", "-", "axb", "-a--b", 3},
        {"$", ";", "a\r\nb", "a;\r\nb;", 2},
        {"^", ">", "a\r\nb", ">a\r\n>b", 2},
        {"^", ">", "a\nb\n", ">a\n>b\n>", 3},    // a final LF starts one more line
        {"$", ";", "a\nb", "a\nb;", 1},
        {"$", ";", "a\nb", "a;\nb;", 2, mcls_LF},
        {"x*", "-", "", "-", 1},
        {"x", "-", "", "", 0},
        {"q", "-", "abc", "abc", 0},
        {"a", "\\&", "aba", "&b&", 2},
        {"a", "\\n", "ab", "\nb", 1},
        {"b", "<\\x26>", "abc", "a<b>c", 1},      // an escape that decodes to "&" is the match
        {"b", "\\\\&", "abc", "a&c", 1},          // a backslash pair before "&": literal "&"
        {"b", "\\\\x", "abc", "a\\xc", 1},
        {"b", "\\x82a0", "abc", "a" + SjString("あ"_sj) + "c", 1},
        {"b", "\\101\\t\\r", "abc", "aA\t\rc", 1},
        {"b", "\\q", "abc", "aqc", 1},
        {"x*", "-", "a" + so + "b", "-a-" + so + "-b", 3},
        {"\\\\", "/", so + "\\", so + "/", 1},     // the trail byte of ソ is no backslash
        {"x*", "-", "\r\n", "-\r\n", 1},          // CR LF is one unit after an empty match
        {"x*", "-", "\r" + so, "-\r-" + so, 2},   // a CR before a double-byte character is alone
        {"x*", "-", "\r\n", "-\r-\n", 2, mcls_LF},
        {"b*", "-", "abc", "-a--c", 3},        // an empty match right after a match counts
        {"", "-", "ab", "-a-b", 2},
        {".", "&&", SjString("あい"_sj), SjString("ああいい"_sj), 2},
        {"a", "-", "a\0a"s, "-\0a"s, 1},           // the subject ends at a zero byte; the rest is kept
        {"x*", "-", "a\x82", "-a-\x82", 2},       // a lone lead byte at the end is one character
    };
    for (const auto& c : cases) {
        TAWKStr awk;
        awk.SetLineSeparator(c.separator);
        awk.SetRegExp(c.pattern);
        std::string text = c.text;
        EXPECT_EQ(awk.GSub(c.templateText, text), c.count) << c.pattern << " / " << c.templateText << " on " << c.text;
        EXPECT_EQ(text, c.expected) << c.pattern << " / " << c.templateText << " on " << c.text;
    }
}

// A lead byte takes a following 0x0A as its trail byte: no line starts after that pair,
// whether the replace copied it after an empty match or a match ended with it.
TEST(GSub, ATrailByteLineFeedStartsNoLine)
{
    const std::string xa = SjString("ャ"_sj);  // 0x83 0x83: its trail byte looks like a lead byte
    const GSubCase cases[] = {
        {"^x|y*", "<&>", "\x82\nx", "<>\x82\n<>x", 2},
        {"^x", "<&>", "\x82\nx\nx", "\x82\nx\n<x>", 1},
        {"[^x]+\\n?|^x", "<&>", xa + "\x83\nx", "<" + xa + "\x83\n>x", 1},
        {"[^x]+\\n?|^x", "<&>", xa + "\nx", "<" + xa + "\n><x>", 2},  // here the 0x0A is a line feed
    };
    for (const TREEngine engine : {TREEngine::Fast, TREEngine::Reference}) {
        for (const auto& c : cases) {
            TAWKStr awk(engine);
            awk.SetRegExp(c.pattern);
            std::string text = c.text;
            EXPECT_EQ(awk.GSub(c.templateText, text), c.count) << c.pattern << " on " << c.text;
            EXPECT_EQ(text, c.expected) << c.pattern << " on " << c.text;
        }
    }
}

TEST(GSub, TemplateErrorsLeaveTheTextUnchanged)
{
    struct { std::string templateText; std::string_view message; } cases[] = {
        {"ab\\", "\"\\\"の次には文字が必要です。"_sj},
        {"\\x", "不正な１６進数コード表記です。"_sj},
        {"\\xz", "不正な１６進数コード表記です。"_sj},
        {"\\777777", "不正な８進数コード表記です。"_sj},
        {"a\x82", "不正な２バイト文字コードです。"_sj},
    };
    for (const auto& c : cases) {
        TAWKStr awk;
        awk.SetRegExp("b");
        std::string text = "abc";
        ExpectParseError([&] { awk.GSub(c.templateText, text); }, c.message, std::nullopt, c.templateText);
        EXPECT_EQ(text, "abc") << c.templateText;
    }
}

TEST(ProcessEscSeq, DecodesLikePatterns)
{
    TAWKStr awk;
    EXPECT_EQ(awk.ProcessEscSeq("a\\tb\\x41\\101\\\\"), "a\tbAA\\");
    EXPECT_EQ(awk.ProcessEscSeq(SjString("\\ソ"_sj)), SjString("ソ"_sj));
}

TEST(GSub, LargeTextsAreReplacedCompletely)
{
    TAWKStr awk;
    awk.SetRegExp("ab");
    std::string text;
    for (int i = 0; i < 20000; ++i) text += "ab" + SjString("ソ"_sj);
    EXPECT_EQ(awk.GSub("x", text), 20000);
    EXPECT_EQ(text.size(), 20000u * 3);
}

}  // namespace
