// Leftmost-longest matching with line anchors on multibyte text, and the pattern cache.
#include <gtest/gtest.h>

#include "ExpectParseError.h"

#include "text/SjisLiteral.h"
#include "regex/RegExp.h"

namespace {

struct MatchCase {
    std::string pattern;
    std::string text;
    int start;   // 1-based, 0 for no match
    int length;
    TMatchCORE_LineSeparator separator = mcls_CRLF;
};

TEST(Match, LeftmostLongest)
{
    const std::string so(SjString("ソ"_sj));   // 0x83 0x5C: trail byte is a backslash
    const std::string a(SjString("ア"_sj));    // 0x83 0x41: trail byte is "A"
    const std::string xa(SjString("ャ"_sj));   // 0x83 0x83: trail byte is a lead byte
    const MatchCase cases[] = {
        {"", "abc", 1, 0},
        {"", "", 1, 0},
        {"b", "abc", 2, 1},
        {"x", "abc", 0, 0},
        {"x*", "abc", 1, 0},
        {"a|ab", "ab", 1, 2},
        {"(a|ab)(c|bcd)", "abcd", 1, 4},
        {"^b", "a\nb", 3, 1},
        {"^b", "a\r\nb", 4, 1},
        {"^b", "a\rb", 0, 0},
        {"a$", "a\r\nb", 1, 1},
        {"a$", "a\nb", 0, 0},
        {"a$", "a\nb", 1, 1, mcls_LF},
        {"$", "abc", 4, 0},
        {"^$", "", 1, 0},
        {"^$", "a\n\nb", 0, 0},  // under CR LF only a CR ends a line for "$"
        // A stand-in (here 0x8540, unassigned in CP932) is one character to "." and to a
        // negated class.
        {"f.", "caf\x85\x40", 3, 3},
        {"[^a-z]", "caf\x85\x40", 4, 2},
        {"^$", "a\n\nb", 3, 0, mcls_LF},
        {"^$", "a\r\n\r\nb", 4, 0},
        {"^$", "a\n", 3, 0},
        {"a$|a\\rb", "a\rz", 0, 0},
        {"b$", "ab", 2, 1},
        {"^a|b", "ba", 1, 1},
        {"^ab|b", "xab", 3, 1},
        {"a*$", "baa", 2, 2},
        {"A", a, 0, 0},
        {"\\\\", so, 0, 0},
        {"\\\\", so + "\\", 3, 1},
        {"A", xa + "A", 3, 1},
        {".", so, 1, 2},
        {"..", "a" + so, 1, 3},
        {"[^a]", "\r\n" + so, 3, 2},
        {SjString("[ア-ン]+"_sj), "abc" + a + a + "d", 4, 4},
        {".", "\x82", 1, 1},            // a lone lead byte at the end is one character
        {"a\\0", std::string("a"), 0, 0},
        {"\\0*", "ab", 1, 0},
        {"a\\0*b*\\0*", "ab", 1, 2},  // a run that reaches the end never follows code 0
        {"\\xffff", "ab", 0, 0},
        {"a^b", "a^b", 1, 3},
        {"(a$)b", "a$b", 1, 3},
    };
    for (const auto& c : cases) {
        TAWKStr awk;
        awk.SetLineSeparator(c.separator);
        awk.SetRegExp(c.pattern);
        int start = -1, length = -1;
        const int result = awk.Match(c.text, start, length);
        EXPECT_EQ(start, c.start) << c.pattern << " on " << c.text;
        EXPECT_EQ(length, c.length) << c.pattern << " on " << c.text;
        EXPECT_EQ(result, c.start) << c.pattern << " on " << c.text;
    }
}

TEST(Match, FuzzyDictionaryIgnoresWidthCaseAndKana)
{
    const MatchCase cases[] = {
        {"abc", SjString("xxＡbＣ"_sj), 3, 5},
        {SjString("が"_sj), SjString("ｶﾞ"_sj), 1, 2},
        {SjString("か゛"_sj), SjString("ガ"_sj), 1, 2},
        {"1", SjString("①"_sj), 1, 2},
        {"[a-z]", "A", 0, 0},
    };
    for (const auto& c : cases) {
        TAWKStr awk;
        awk.SetRegExp(c.pattern);
        awk.SetUseFuzzyCharDic(true);
        int start = 0, length = 0;
        awk.Match(c.text, start, length);
        EXPECT_EQ(start, c.start) << c.pattern;
        EXPECT_EQ(length, c.length) << c.pattern;
    }
}

TEST(Match, WorksBeforeAnyPatternIsSet)
{
    TAWKStr awk;
    int start = 0, length = 0;
    EXPECT_EQ(awk.Match("abc", start, length), 1);
    EXPECT_EQ(length, 0);
    std::string text = "ab";
    EXPECT_EQ(awk.GSub("-", text), 2);
    EXPECT_EQ(text, "-a-b");
}

TEST(PatternCache, CompilesOnceAndEvictsTheOldest)
{
    TAWKStr awk;
    awk.SetRegExp("first");
    EXPECT_EQ(awk.CacheCount(), 2);
    awk.SetRegExp("first");
    EXPECT_EQ(awk.CacheCount(), 2);
    for (int i = 0; i < 28; ++i) awk.SetRegExp("p" + std::to_string(i));
    EXPECT_EQ(awk.CacheCount(), 30);
    EXPECT_EQ(awk.CachedPattern(29), "first");
    awk.SetRegExp("first");  // a hit does not move it
    EXPECT_EQ(awk.CachedPattern(29), "first");
    awk.SetRegExp("p28");
    EXPECT_EQ(awk.CacheCount(), 30);
    EXPECT_EQ(awk.CachedPattern(0), "");
    EXPECT_EQ(awk.CachedPattern(1), "p28");
    for (int i = 1; i < 30; ++i) EXPECT_NE(awk.CachedPattern(i), "first");
}

TEST(PatternCache, FuzzyAndPlainFormsAreSeparateEntries)
{
    TAWKStr awk;
    awk.SetRegExp("a");
    awk.SetUseFuzzyCharDic(true);
    EXPECT_EQ(awk.CacheCount(), 3);
    EXPECT_EQ(awk.CachedPattern(1), SjString("(Ａ|ａ|A|a)"_sj));
    EXPECT_EQ(awk.RegExp(), "a");
}

TEST(PatternCache, FailedCompilationLeavesTheEmptyPatternCurrent)
{
    struct { std::string pattern; bool fuzzy; bool keepsOldPattern; } cases[] = {
        {"(a", false, false},   // parser error: compilation fails
        {"[a", true, true},     // preprocessor error: nothing changes
    };
    for (const auto& c : cases) {
        TAWKStr awk;
        awk.SetRegExp("b");
        awk.SetUseFuzzyCharDic(c.fuzzy);
        const int entries = awk.CacheCount();
        EXPECT_THROW(awk.SetRegExp(c.pattern), ERegExpParser) << c.pattern;
        EXPECT_EQ(awk.CacheCount(), entries) << c.pattern;
        EXPECT_EQ(awk.RegExp(), c.keepsOldPattern ? "b" : "") << c.pattern;
        EXPECT_EQ(awk.CurrentIndex() == 0, !c.keepsOldPattern) << c.pattern;
    }
}

TEST(PatternCache, TooComplexPatternFailsLikeAPatternErrorInTheReference)
{
    TAWKStr awk(TREEngine::Reference);
    awk.SetRegExp("b");
    std::string pattern = "(a|b)*a";
    for (int i = 0; i < 20; ++i) pattern += "(a|b)";
    ExpectParseError([&] { awk.SetRegExp(pattern); }, "正規表現が複雑すぎます"_sj, std::nullopt, pattern);
    EXPECT_EQ(awk.RegExp(), "");
    EXPECT_EQ(awk.CurrentIndex(), 0);
    EXPECT_EQ(awk.CacheCount(), 2);
    int start = 0, length = 0;
    EXPECT_EQ(awk.Match("xyz", start, length), 1);  // the empty pattern is current
}

}  // namespace

namespace {

TEST(FastEngine, SearchesPatternsTheReferenceCannotCompile)
{
    TAWKStr awk;
    std::string pattern = "(a|b)*a";
    for (int i = 0; i < 20; ++i) pattern += "(a|b)";
    awk.SetRegExp(pattern);
    std::string text(100000, 'b');
    text += "a" + std::string(20, 'b');
    int start = 0, length = 0;
    EXPECT_EQ(awk.Match(text, start, length), 1);
    EXPECT_EQ(length, static_cast<int>(text.size()));
}

}  // namespace
