// Character reading, escapes and metacharacter quoting.
#include <gtest/gtest.h>

#include "ExpectParseError.h"

#include "text/SjisLiteral.h"
#include "regex/CharCode.h"

namespace {

struct EscapeCase {
    const char* escape;  // the text after the backslash
    TRECharCode code;
    int endPosition;     // position after the escape
};

TEST(DecodeEscape, DecodesEveryNotation)
{
    const EscapeCase cases[] = {
        {"x41", 0x41, 4},        {"101", 0x41, 4},       {"x4142", 0x4142, 6}, {"x41424", 0x4142, 6},
        {"177777", 0xFFFF, 7},   {"1234567", 0xA72E, 7}, {"0", 0, 2},          {"x0", 0, 3},
        {"x82a0", 0x82A0, 6},    {"n", 10, 2},           {"r", 13, 2},         {"t", 9, 2},
        {"b", 8, 2},             {"d", 'd', 2},          {"w", 'w', 2},        {".", '.', 2},
        {"\\", '\\', 2},         {"8", '8', 2},          {"a", 'a', 2},
    };
    for (const auto& c : cases) {
        const std::string text = c.escape;
        int position = 1;
        EXPECT_EQ(DecodeEscape(text, position), c.code) << "\\" << c.escape;
        EXPECT_EQ(position, c.endPosition) << "\\" << c.escape;
    }
    int position = 1;
    EXPECT_EQ(DecodeEscape(std::string("ソ"_sj), position), 0x835C);
    EXPECT_EQ(position, 3);
}

struct ErrorCase {
    std::string text;
    int startPosition;
    std::string_view message;
    int errorPos;
};

TEST(DecodeEscape, ReportsBadNotationsWithTheirPositions)
{
    const ErrorCase cases[] = {
        {"\\", 2, "\"\\\"の次には文字が必要です。"_sj, 2},
        {"\\x", 2, "不正な１６進数コード表記です。"_sj, 3},
        {"\\xg", 2, "不正な１６進数コード表記です。"_sj, 4},
        {"\\200000", 2, "不正な８進数コード表記です。"_sj, 8},
        {"a\x82", 2, "不正な２バイト文字コードです。"_sj, 2},
    };
    for (const auto& c : cases) {
        int position = c.startPosition;
        ExpectParseError([&] { DecodeEscape(c.text, position); }, c.message, c.errorPos, c.text);
    }
}

TEST(GetChar, ReadsSingleAndDoubleByteCharacters)
{
    const std::string text = std::string("a") + std::string("あ"_sj) + "\x82";
    int position = 0;
    EXPECT_EQ(GetChar(text, position), 0);
    EXPECT_EQ(position, 0);
    position = 1;
    EXPECT_EQ(GetChar(text, position), 'a');
    EXPECT_EQ(GetChar(text, position), 0x82A0);
    EXPECT_EQ(position, 4);
    EXPECT_THROW(GetChar(text, position), ERegExpParser);  // lone lead byte at the end
    position = 5;
    EXPECT_EQ(GetChar(text, position), 0);
}

TEST(UngetChar, StepsBackOverWholeCharacters)
{
    // 'ぁ' is 0x82 0x9F: its trail byte has a lead-byte value.
    const std::string text = std::string("a") + std::string("ぁ"_sj) + std::string("ソ"_sj) + "b";
    struct { int from; int to; } cases[] = {{0, 0}, {1, 1}, {2, 1}, {4, 2}, {6, 4}, {7, 6}};
    for (const auto& c : cases) {
        int position = c.from;
        UngetChar(text, position);
        EXPECT_EQ(position, c.to) << "from " << c.from;
    }
}

TEST(NextChar, NeverMovesPastTheTerminator)
{
    const char lone[] = "a\x82";
    const char* cursor = lone;
    EXPECT_EQ(NextChar(cursor), 'a');
    EXPECT_EQ(NextChar(cursor), 0x82);  // a lone lead byte reads as itself
    EXPECT_EQ(NextChar(cursor), 0);
    EXPECT_EQ(NextChar(cursor), 0);
    EXPECT_EQ(cursor, lone + 2);
}

TEST(CharToStr, DropsTheHighByteOfNonLeadCodes)
{
    EXPECT_EQ(CharToStr(0x82A0), std::string("あ"_sj));
    EXPECT_EQ(CharToStr(0x4142), "B");
    EXPECT_EQ(CharToStr(0), std::string(1, '\0'));
    EXPECT_EQ(CharToStr(0xFFFF), "\xFF");
}

TEST(QuoteMetaChars, QuotesTheTwelveMetacharactersOnly)
{
    EXPECT_EQ(QuoteMetaChars("a.b(c)"), "a\\.b\\(c\\)");
    EXPECT_EQ(QuoteMetaChars("^(|)+*?.[]$\\"), "\\^\\(\\|\\)\\+\\*\\?\\.\\[\\]\\$\\\\");
    EXPECT_EQ(QuoteMetaChars("-{}/"), "-{}/");
    EXPECT_EQ(QuoteMetaChars("－ソ"_sj), std::string("－ソ"_sj));
}

}  // namespace
