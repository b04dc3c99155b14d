// The extended syntax, read and matched on both engines: what each construct means, what
// is refused (and where), and the extended templates.
#include <gtest/gtest.h>

#include <string>

#include "regex/RegExp.h"
#include "text/SjisLiteral.h"

namespace {

struct MatchCase {
    std::string pattern;
    std::string text;
    int start;  // 1-based, 0: no match
    int length;
};

TEST(ExtendedSyntax, ConstructsMatchOnBothEngines)
{
    const std::string hiragana = SjString("あ"_sj), katakana = SjString("ア"_sj), han = SjString("漢"_sj);
    const std::string prolonged = SjString("ー"_sj), halfProlonged = SjString("ｰ"_sj), ideoSpace = SjString("　"_sj);
    const MatchCase cases[] = {
        {"\\d{2,3}", "a12345", 2, 3},
        {"x{0}y", "xy", 2, 1},
        {"a{2,}", "aaaa", 1, 4},
        {"\\w+", "-ab_9-", 2, 4},
        {"\\s+", "a \t" + ideoSpace + "b", 2, 4},
        {"\\D", "12a", 3, 1},
        {"\\D", "1\r\n", 0, 0},  // like [^...], never CR or LF
        {"[\\d_]+", "a1_2b", 2, 3},
        {"[[:upper:][:digit:]]+", "aB9c", 2, 2},
        {"[]a]+", "x]a]", 2, 3},
        {"[^]a]", "]ab", 3, 1},
        {"a]", "a]", 1, 2},
        {"a}", "a}", 1, 2},
        {"\\p{Hiragana}+", katakana + hiragana + prolonged + katakana, 3, 4},
        {"\\p{Katakana}+", hiragana + halfProlonged + katakana, 3, 3},
        {"\\p{Han}", hiragana + han, 3, 2},
        {"\\P{Han}+", han + "ab" + han, 3, 2},
        {"[\\p{Han}a]+", "b" + han + "a", 2, 3},
        {"\\bab\\b", "cab ab", 5, 2},
        {"\\Bb", "b ab", 4, 1},
        {"a\\b", "a" + katakana, 1, 1},  // a double-byte character is no word character
        {"a$|b", "ab\r\na", 2, 1},
        {"x(^a)", "x\na", 0, 0},
        {"\n^a", "x\na", 2, 2},
        {"a$\r", "a\r\n", 1, 2},
        {"(?:ab)+", "xabab", 2, 4},
        {"(a|ab)(c|bcd)(d*)", "abcd", 1, 4},
        {"\\.\\{", ".{", 1, 2},
    };
    for (TREEngine engine : {TREEngine::Fast, TREEngine::Reference}) {
        TAWKStr awk(engine);
        awk.SetExtended(true);
        for (const MatchCase& c : cases) {
            awk.SetRegExp(c.pattern);
            int start = 0, length = 0;
            awk.Match(c.text, start, length);
            EXPECT_EQ(start, c.start) << c.pattern << " on " << c.text;
            EXPECT_EQ(length, c.length) << c.pattern << " on " << c.text;
        }
    }
}

TEST(ExtendedSyntax, RefusesWhatItCannotDoWhereItBegins)
{
    const struct {
        const char* pattern;
        int position;
    } cases[] = {
        {"ab(?=c)", 3}, {"a(?!c)", 2}, {"(?<=a)b", 1}, {"(?<!a)b", 1}, {"(?<n>a)", 1}, {"(?i)a", 1}, {"(?#c)", 1},
        {"(a)\\1", 4}, {"a*?", 3}, {"a+?", 3}, {"a??", 3}, {"a{2}?", 5}, {"a*+", 3}, {"a{1,2}+", 7},
        {"\\q", 1}, {"a\\Q", 2}, {"[\\b]", 2}, {"a{1001}", 2}, {"a{3,2}", 2}, {"a{", 2}, {"a{,2}", 2},
        {"a{1x}", 2}, {"\\p{Greek}", 1}, {"\\pL", 1}, {"\\p{Han", 1}, {"a(", 3}, {"[[", 3}, {"[[:alfa:]]", 2}, {"[[=a=]]", 2}, {"[[.a.]]", 2},
        {"[\\w-z]", 4}, {"[a-\\d]", 3}, {"(.{1000}){1000}", 10},
    };
    for (bool fuzzy : {false, true}) {  // the fuzzy widening reads the pattern first
        TAWKStr awk;
        awk.SetExtended(true);
        awk.SetUseFuzzyCharDic(fuzzy);
        for (const auto& c : cases) {
            try {
                awk.SetRegExp(c.pattern);
                ADD_FAILURE() << c.pattern << " was taken";
            } catch (const ERegExpParser& e) {
                if (!fuzzy) {
                    EXPECT_EQ(e.ErrorPos, c.position) << c.pattern << ": " << e.what();
                }
            }
        }
    }
}

TEST(ExtendedSyntax, TemplatesReferToGroups)
{
    const struct {
        const char* pattern;
        const char* templateText;
        const char* text;
        const char* result;
    } cases[] = {
        {"(a)(b)?", "[\\0|&|\\1|$1|${1}|\\2|$2]", "ac", "[a|a|a|a|a||]c"},
        {"(a)", "\\&\\$$$x$a${01}", "a", "&$$x$aa"},
        {"((((((((((a))))))))))", "${10}-$10", "a", "a-a0"},
        {"(b)", "\\t\\x41\\\\", "b", "\tA\\"},
        {"(a)|b", "<\\1>", "ab", "<a><>"},
    };
    for (const auto& c : cases) {
        TAWKStr awk;
        awk.SetExtended(true);
        awk.SetRegExp(c.pattern);
        std::string text = c.text;
        awk.GSub(c.templateText, text);
        EXPECT_EQ(text, c.result) << c.pattern << " / " << c.templateText;
    }
    TAWKStr awk;
    awk.SetExtended(true);
    awk.SetRegExp("(a)");
    for (const char* bad : {"\\2", "$2", "${2}", "${100}", "${x}", "${1"}) {
        std::string text = "a";
        EXPECT_THROW(awk.GSub(bad, text), ERegExpParser) << bad;
        EXPECT_EQ(text, "a") << bad;
    }
}

}  // namespace
