// Width conversion in both directions, with and without katakana, and the two conversions
// of the "文字変換" process run one after the other as the edit driver runs them.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "core/ConvertTables.h"
#include "core/KanaProcess.h"
#include "text/SjisLiteral.h"
#include "core/WidthProcess.h"

namespace {

using namespace std::string_view_literals;

struct WidthCase {
    const char* name;
    bool ifHnKn;
    std::string_view text;
    std::string_view expected;
};

std::string Width(std::string_view text, int method, bool ifHnKn)
{
    EditSet set;
    set.ZnHnMethod = static_cast<WidthConversion>(method);
    set.IfHnKn = ifHnKn;
    return ProcessZnHn(std::string(text), set);
}

TEST(ProcessZnHn, FullToHalf)
{
    const WidthCase cases[] = {
        {"letters, blank, digits", false, "ＡＢＣ　１２３ｘｙｚ"_sj, "ABC 123xyz"},
        {"yen sign and macron", false, "\x81\x8F\x81\x50"sv, "\\~"},
        {"quotes", false, "’”‘"_sj, "'\"`"},
        {"symbols", false, "！＃＄％＆（）＊＋，－．／：；＜＝＞？＠［］＾＿｛｜｝"_sj,
         "!#$%&()*+,-./:;<=>?@[]^_{|}"},
        {"full-width symbols outside the table", true, "＼“～・ー゛"_sj, "＼“～・ー゛"_sj},
        {"katakana kept without the flag", false, "アガパヴ"_sj, "アガパヴ"_sj},
        {"katakana", true, "アガ"_sj, "\xB1\xB6\xDE"sv},
        {"semi-voiced and vu", true, "パヴ"_sj, "\xCA\xDF\xB3\xDE"sv},
        {"small katakana", true, "ァッョ"_sj, "ｧｯｮ"_sj},
        {"katakana outside the table", true, "ヮヰヱヵヶ"_sj, "ヮヰヱヵヶ"_sj},
        {"hiragana never becomes half-width", true, "あが"_sj, "あが"_sj},
        {"me and mo without the flag", false, "メモ"_sj, "メモ"_sj},
        {"me and mo with the flag", true, "メモ"_sj, "ﾒﾓ"_sj},
        {"kanji spanning two entries", true, "煤刀高"_sj, "煤刀高"_sj},
        {"trail byte 0x5C is no backslash", false, "\x83\x5C"sv, "\x83\x5C"sv},  // ソ
        {"so with the flag", true, "\x83\x5C"sv, "\xBF"sv},
        {"lead byte pairs with the next byte", true, "\x82\x83\x41"sv, "cA"sv},  // ｃ then A
        {"single-byte characters kept", true, "a\xB1\xDE\xA1\t"sv, "a\xB1\xDE\xA1\t"sv},
        {"lone lead byte at the end", true, "\x82\x60\x82"sv, "A\x82"sv},
        {"zero bytes are characters", false, "Ａ\0Ｂ"_sj, "A\0B"sv},
        {"line breaks kept", true, "Ａ\r\nア\n"_sj, "A\r\n\xB1\n"sv},
    };
    for (const WidthCase& c : cases) EXPECT_EQ(Width(c.text, 0, c.ifHnKn), c.expected) << c.name;
}

TEST(ProcessZnHn, HalfToFull)
{
    const WidthCase cases[] = {
        {"letters, blank, digits", false, "ABC 123", "\x82\x60\x82\x61\x82\x62\x81\x40\x82\x50\x82\x51\x82\x52"sv},
        {"lower-case letters", false, "xyz", "ｘｙｚ"_sj},
        {"backslash and tilde", false, "\\~", "\x81\x8F\x81\x50"sv},
        {"control bytes kept", true, "\r\n\t\x7F", "\r\n\t\x7F"},
        {"kana kept without the flag", false, "\xB6\xDE\xB1\xDF"sv, "\xB6\xDE\xB1\xDF"sv},
        {"kana", true, "ｱｲﾝｧｯｮ"_sj, "アインァッョ"_sj},
        {"voiced kana", true, "\xB6\xDE\xCA\xDE\xB3\xDE"sv, "ガバヴ"_sj},
        {"semi-voiced kana", true, "\xCA\xDF\xCE\xDF"sv, "パポ"_sj},
        {"pair outside the table kept", true, "\xB1\xDE\xB6\xDF"sv, "\xB1\xDE\xB6\xDF"sv},
        {"long-vowel mark and punctuation kept", true, "\xB0\xA1\xA2\xA3\xA4\xA5"sv,
         "\xB0\xA1\xA2\xA3\xA4\xA5"sv},
        {"mark after ASCII dropped", true, "A\xDE"sv, "Ａ"_sj},
        {"mark at the start dropped", true, "\xDE\xB1"sv, "ア"_sj},
        {"second mark dropped", true, "\xB6\xDE\xDE"sv, "ガ"_sj},
        {"mark after a double-byte character dropped", true, "\x83\x41\xDF"sv, "ア"_sj},
        {"mark after a control byte kept", true, "\n\xDE"sv, "\n\xDE"sv},
        {"mark after a zero byte kept", true, "\0\xDE"sv, "\0\xDE"sv},
        {"marks kept without the flag", false, "A\xDE\xDF"sv, "\x82\x60\xDE\xDF"sv},
        {"double-byte characters kept", true, "Ａあソア"_sj, "Ａあソア"_sj},
        {"lone lead byte at the end", true, "A\x83"sv, "\x82\x60\x83"sv},
        {"lone lead byte only", true, "\x83"sv, "\x83"sv},
        {"zero bytes are characters", false, "a\0b"sv, "ａ\0ｂ"_sj},
        {"line breaks kept", true, "a\r\n\xB1\n"sv, "ａ\r\nア\n"_sj},
    };
    for (const WidthCase& c : cases) EXPECT_EQ(Width(c.text, 1, c.ifHnKn), c.expected) << c.name;
}

TEST(ProcessZnHn, EveryTableEntryConvertsBothWays)
{
    struct Pair {
        const char* name;
        const CharTable& full;
        const CharTable& half;
        bool ifHnKn;
    };
    const Pair pairs[] = {
        {"ASCII", FullAsciiTable, HalfAsciiTable, false},
        {"kana", FullKanaTable, HalfKanaTable, true},
        {"voiced kana", FullVoicedTable, HalfVoicedTable, true},
    };
    for (const Pair& p : pairs) {
        for (std::size_t k = 0; k < p.full.Count(); ++k) {
            EXPECT_EQ(Width(p.full.Entry(k), 0, p.ifHnKn), p.half.Entry(k)) << p.name << " entry " << k;
            EXPECT_EQ(Width(p.half.Entry(k), 1, p.ifHnKn), p.full.Entry(k)) << p.name << " entry " << k;
        }
    }
}

TEST(ProcessZnHn, MethodsOtherThanZeroAndOneLeaveTheTextAlone)
{
    const std::string_view text = "A\xB1\xDE\x82\x60\x83\x41\x82"sv;  // A, ｱﾞ, Ａ, ア, lone lead byte
    for (int method : {2, 3, -1, 100}) {
        for (bool ifHnKn : {false, true}) {
            EXPECT_EQ(Width(text, method, ifHnKn), text) << "method " << method << " flag " << ifHnKn;
            EXPECT_EQ(Width("", method, ifHnKn), "") << "method " << method << " flag " << ifHnKn;
        }
    }
    for (int method : {0, 1}) EXPECT_EQ(Width("", method, true), "") << "method " << method;
}

struct ConvertCase {
    const char* name;
    int kanaMethod;
    int znHnMethod;
    bool ifHnKn;
    std::string_view text;
    std::string_view expected;
};

TEST(ConvertProcess, KanaConversionRunsBeforeWidthConversion)
{
    const ConvertCase cases[] = {
        {"hiragana to half-width katakana", 0, 0, true, "あが\r\n"_sj, "\xB1\xB6\xDE\r\n"sv},
        {"half-width kana to katakana, not hiragana", 1, 1, true, "\xB1"sv, "ア"_sj},
        {"hiragana stays without the flag", 0, 0, false, "あＡ"_sj, "アA"_sj},
        {"both unchanged", 2, 2, true, "あｱ\r\n"_sj, "あｱ\r\n"_sj},
    };
    for (const ConvertCase& c : cases) {
        EditSet set;
        set.KanaMethod = static_cast<KanaConversion>(c.kanaMethod);
        set.ZnHnMethod = static_cast<WidthConversion>(c.znHnMethod);
        set.IfHnKn = c.ifHnKn;
        EXPECT_EQ(ProcessZnHn(ProcessKana(std::string(c.text), set), set), c.expected) << c.name;
    }
}

}  // namespace
