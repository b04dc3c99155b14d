// The fuzzy-character widening of patterns and the built-in dictionary's contents.
#include <gtest/gtest.h>

#include "text/SjisLiteral.h"
#include "regex/PreProcessor.h"

namespace {

std::string Expand(std::string_view pattern, bool fuzzy = true, bool synonym = false)
{
    TREPreProcessor p("");
    p.FuzzyCharDicList.push_back(&DefaultFuzzyCharDic());
    p.UseFuzzyCharDic = fuzzy;
    p.UseSynonymDic = synonym;
    p.SetRegExpStr(std::string(pattern));
    p.Process();
    return p.ProcessedRegExpStr;
}

TEST(PreProcessor, WidensPlainCharactersOutsideClasses)
{
    struct { std::string_view pattern; std::string_view expanded; } cases[] = {
        {"abc"_sj, "(Ａ|ａ|A|a)(Ｂ|ｂ|B|b)(Ｃ|ｃ|C|c)"_sj},
        {"a*"_sj, "(Ａ|ａ|A|a)*"_sj},
        {"[a-z]x"_sj, "[a-z](Ｘ|ｘ|X|x)"_sj},
        {"[^a]x"_sj, "[^a](Ｘ|ｘ|X|x)"_sj},
        {"か゛"_sj, "(が|ガ|ｶﾞ|か゛|カ゛)"_sj},
        {"ｶﾞ"_sj, "(が|ガ|ｶﾞ|か゛|カ゛)"_sj},
        {"か゛*"_sj, "(が|ガ|ｶﾞ|か゛|カ゛)*"_sj},
        {"うぁ"_sj, "(う|ウ|ｳ|ぅ|ゥ|ｩ)(あ|ア|ｱ|ぁ|ァ|ｧ)"_sj},
        {"1"_sj, "(1|１|一|①|Ⅰ|壱)"_sj},
        {"0"_sj, "(0|０|零)"_sj},
        {"\\x41"_sj, "(Ａ|ａ|A|a)"_sj},
        {"\\("_sj, "(\\(|（)"_sj},
        {"\\."_sj, "(｡|\\.|。|．)"_sj},
        {"."_sj, "."_sj},
        {"\\n"_sj, "\\n"_sj},
        {"ー"_sj, "(ー|～|ｰ)"_sj},
        {"-"_sj, "(-|ー|－|～|ｰ)"_sj},
        {" "_sj, "(　| )"_sj},
        {"漢"_sj, "漢"_sj},
        {"ヴ"_sj, "(ぶ|ブ|ﾌﾞ|ふ゛|フ゛|ヴ|ウ゛|う゛|ｳﾞ)"_sj},
        {"ぢ"_sj, "(じ|ジ|ｼﾞ|し゛|シ゛|ぢ|ヂ|ﾁﾞ|ち゛|チ゛)"_sj},
        {"ゐ"_sj, "(ヰ|ゐ|うぃ|ウィ|ｳｨ)"_sj},
        {"\\\\"_sj, "(\\\\|￥)"_sj},
        {"a|b"_sj, "(Ａ|ａ|A|a)|(Ｂ|ｂ|B|b)"_sj},
        {""_sj, ""_sj},
    };
    for (const auto& c : cases) EXPECT_EQ(Expand(c.pattern), c.expanded) << c.pattern;
}

TEST(PreProcessor, PassesPatternsUnchangedWhenOff)
{
    EXPECT_EQ(Expand("abc", false), "abc");
    EXPECT_EQ(Expand("[a", false), "[a");  // the parser reports it later
    EXPECT_EQ(Expand("abc", false, true), "abc");
    EXPECT_THROW(Expand("[a", false, true), ERegExpParser);
    EXPECT_THROW(Expand("[a", true), ERegExpParser);
}

TEST(DefaultFuzzyCharDic, HasEveryRowAndEntry)
{
    const TREDictionary& dic = DefaultFuzzyCharDic();
    ASSERT_EQ(dic.size(), 145u);
    std::size_t entries = 0;
    for (const auto& row : dic) entries += row.size();
    EXPECT_EQ(entries, 570u);

    struct { std::size_t row; std::size_t entry; std::string bytes; } pins[] = {
        {1, 0, "\x82\x60"},   {26, 3, "z"},          {28, 3, "\x87\x40"},  {28, 4, "\x87\x54"},
        {36, 4, "\x87\x5C"},  {37, 0, "\x81\x40"},   {39, 1, "\x81\x68"},  {44, 1, "\x81\x66"},
        {49, 0, "\x81\x5B"},  {49, 1, "\x81\x60"},   {49, 2, "\xB0"},      {50, 2, "\x81\x7C"},
        {51, 0, "\xA5"},      {51, 1, "\x81\x45"},   {61, 1, "\x81\x8F"},  {68, 1, "\x81\x50"},
        {69, 1, "\xA4"},      {70, 0, "\xA1"},       {71, 2, "\xA2"},      {72, 2, "\xA3"},
        {74, 2, "\xB6\xDE"},  {74, 3, "\x82\xA9\x81\x4A"}, {92, 2, "\xCA\xDF"}, {144, 0, "\xDE"},
        {144, 1, "\x81\x4A"}, {145, 0, "\xDF"},      {145, 1, "\x81\x4B"},
    };
    for (const auto& p : pins) EXPECT_EQ(dic[p.row - 1][p.entry], p.bytes) << "row " << p.row << " entry " << p.entry;

    struct { std::size_t row; std::string_view first; std::size_t size; } shapes[] = {
        {73, "ん"_sj, 3}, {80, "じ"_sj, 10}, {87, "ば"_sj, 9}, {97, "あ"_sj, 6}, {101, "お"_sj, 6},
        {102, "か"_sj, 3}, {114, "つ"_sj, 6}, {132, "や"_sj, 6}, {134, "よ"_sj, 6}, {139, "ろ"_sj, 3},
        {140, "わ"_sj, 6}, {143, "を"_sj, 6},
    };
    for (const auto& s : shapes) {
        EXPECT_EQ(dic[s.row - 1][0], s.first) << "row " << s.row;
        EXPECT_EQ(dic[s.row - 1].size(), s.size) << "row " << s.row;
    }
}

}  // namespace
