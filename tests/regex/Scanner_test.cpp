// Token streams of the scanner in both modes, and its errors.
#include <gtest/gtest.h>

#include "ExpectParseError.h"

#include "text/SjisLiteral.h"
#include "regex/Scanner.h"

namespace {

// Dumps every token up to the end: kind names with their codes.
std::string Tokens(const std::string& pattern)
{
    static const char* names[] = {"ch", "rng", "|", "(", ")", "*", "+", "?", "[", "[^", "]", ".", "^", "$", "end"};
    TREScanner scanner(pattern);
    std::string s;
    for (;;) {
        const TREToken t = scanner.GetToken();
        s += names[t];
        if (t == retk_Char) s += ":" + std::to_string(scanner.Code);
        if (t == retk_CharRange) s += ":" + std::to_string(scanner.Code) + "-" + std::to_string(scanner.HighCode);
        if (t == retk_End) return s;
        s += " ";
    }
}

TEST(Scanner, TokenStreams)
{
    struct { std::string pattern; std::string tokens; } cases[] = {
        {"a|b", "ch:97 | ch:98 end"},
        {"[^a-c]", "[^ rng:97-99 ] end"},
        {"[a-]", "[ ch:97 ch:45 ] end"},
        {"[-a]", "[ ch:45 ch:97 ] end"},
        {"[]", "[ ] end"},
        {"[^]", "[^ ] end"},
        {"\\*\\n", "ch:42 ch:10 end"},
        {"]-{}/", "] ch:45 ch:123 ch:125 ch:47 end"},
        {"^a$^", "^ ch:97 $ ^ end"},
        {"[(|.*$^]", "[ ch:40 ch:124 ch:46 ch:42 ch:36 ch:94 ] end"},
        {"[\\]\\-]", "[ ch:93 ch:45 ] end"},
        {"[\\x41-\\x5a]", "[ rng:65-90 ] end"},
        {"[a-a]", "[ rng:97-97 ] end"},
        {"()+?.", "( ) + ? . end"},
        {std::string("[a-あ]"_sj), "[ rng:97-33440 ] end"},
        {std::string("ソ"_sj), "ch:33628 end"},
    };
    for (const auto& c : cases) EXPECT_EQ(Tokens(c.pattern), c.tokens) << c.pattern;
}

TEST(Scanner, EndRepeats)
{
    TREScanner scanner("");
    EXPECT_EQ(scanner.GetToken(), retk_End);
    EXPECT_EQ(scanner.GetToken(), retk_End);
}

TEST(Scanner, Errors)
{
    struct { std::string pattern; std::string_view message; int position; } cases[] = {
        {"[z-a]", "不正なキャラクタ範囲です"_sj, 5},
        {"[a", "右ブラケット\"]\"が必要です"_sj, 3},
        {"[a-", "右ブラケット\"]\"が必要です"_sj, 4},
        {"[", "右ブラケット\"]\"が必要です"_sj, 2},
        {"[^", "右ブラケット\"]\"が必要です"_sj, 3},
        {"a\\", "\"\\\"の次には文字が必要です。"_sj, 3},
    };
    for (const auto& c : cases) {
        TREScanner scanner(c.pattern);
        ExpectParseError([&] { while (scanner.GetToken() != retk_End) {} }, c.message, c.position, c.pattern);
    }
}

TEST(Scanner, SetTextLeavesClassModeAfterAnError)
{
    TREScanner scanner("[a");
    EXPECT_THROW({ while (scanner.GetToken() != retk_End) {} }, ERegExpParser);
    EXPECT_TRUE(scanner.InClass);
    scanner.SetText("abc");
    EXPECT_EQ(scanner.GetToken(), retk_Char);
    EXPECT_EQ(scanner.GetToken(), retk_Char);
    EXPECT_EQ(scanner.GetToken(), retk_Char);
    EXPECT_EQ(scanner.GetToken(), retk_End);
}

}  // namespace
