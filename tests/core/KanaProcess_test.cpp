// Kana conversion: which characters change in each direction, and that the CP932 walk
// pairs bytes from the start of the text (trail bytes that look like ASCII, a lead byte
// left over at the end).
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "core/ConvertTables.h"
#include "core/KanaProcess.h"
#include "text/SjisLiteral.h"

namespace {

using namespace std::string_view_literals;

struct KanaCase {
    const char* name;
    int method;
    std::string_view text;
    std::string_view expected;
};

std::string Kana(std::string_view text, int method)
{
    EditSet set;
    set.KanaMethod = static_cast<KanaConversion>(method);
    return ProcessKana(std::string(text), set);
}

TEST(ProcessKana, ConvertsOnlyTableCharacters)
{
    const KanaCase cases[] = {
        {"plain hiragana", 0, "あいう"_sj, "アイウ"_sj},
        {"plain katakana", 1, "アイウ"_sj, "あいう"_sj},
        {"voiced and semi-voiced", 0, "がぱぼ"_sj, "ガパボ"_sj},
        {"voiced back", 1, "ガパボ"_sj, "がぱぼ"_sj},
        {"small kana", 0, "ぁぃぅぇぉっゃゅょ"_sj, "ァィゥェォッャュョ"_sj},
        {"small kana back", 1, "ァィゥェォッャュョ"_sj, "ぁぃぅぇぉっゃゅょ"_sj},
        {"vu to katakana", 0, "ヴ"_sj, "\x83\x94"sv},
        {"vu to hiragana", 1, "ヴ"_sj, "\x83\x94"sv},
        {"hiragana outside the table", 0, "ゎゐゑ"_sj, "ゎゐゑ"_sj},
        {"katakana outside the table", 1, "ヮヰヱヵヶ"_sj, "ヮヰヱヵヶ"_sj},
        {"long-vowel mark", 0, "ー"_sj, "ー"_sj},
        {"long-vowel mark back", 1, "カー"_sj, "かー"_sj},
        {"katakana kept by method 0", 0, "アあ"_sj, "アア"_sj},
        {"hiragana kept by method 1", 1, "アあ"_sj, "ああ"_sj},
        {"half-width kana never change", 1, "ｱｶﾞﾊﾟｰ"_sj, "ｱｶﾞﾊﾟｰ"_sj},
        {"kanji spanning two entries", 1, "茶塔宴"_sj, "茶塔宴"_sj},
        {"ASCII and full-width ASCII", 0, "aZ ＡＺ！"_sj, "aZ ＡＺ！"_sj},
        {"trail byte 0x5C", 1, "\x83\x5C\\"sv, "\x82\xBB\\"sv},  // ソ and a backslash
        {"trail byte 0x41", 1, "x\x83\x41"sv, "x\x82\xA0"sv},     // xア to xあ
        {"lead byte pairs with the next byte", 1, "\x82\x83\x41"sv, "\x82\x83\x41"sv},
        {"lone lead byte at the end", 0, "\x82\xA0\x82"sv, "\x83\x41\x82"sv},  // あ
        {"lone lead byte only", 1, "\x83"sv, "\x83"sv},
        {"zero bytes are characters", 0, "あ\0い\0"_sj, "ア\0イ\0"_sj},
        {"line breaks kept", 0, "あ\r\nい\nう\r\n"_sj, "ア\r\nイ\nウ\r\n"_sj},
    };
    for (const KanaCase& c : cases) EXPECT_EQ(Kana(c.text, c.method), c.expected) << c.name;
}

TEST(ProcessKana, EveryTableEntryConvertsBothWays)
{
    for (std::size_t k = 0; k < HiraganaTable.Count(); ++k) {
        EXPECT_EQ(Kana(HiraganaTable.Entry(k), 0), KatakanaTable.Entry(k)) << "entry " << k;
        EXPECT_EQ(Kana(KatakanaTable.Entry(k), 1), HiraganaTable.Entry(k)) << "entry " << k;
    }
}

TEST(ProcessKana, MethodsOtherThanZeroAndOneLeaveTheTextAlone)
{
    const std::string_view text = "\x82\xA0\x83\x41\x82"sv;  // あア and a lone lead byte
    for (int method : {2, 3, -1, 100}) {
        EXPECT_EQ(Kana(text, method), text) << "method " << method;
        EXPECT_EQ(Kana("", method), "") << "method " << method;
    }
    EXPECT_EQ(Kana("", 0), "");
    EXPECT_EQ(Kana("", 1), "");
}

}  // namespace
