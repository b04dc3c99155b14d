// The generated script classes: which characters each holds, and the shape of its ranges.
#include <gtest/gtest.h>

#include <algorithm>

#include "text/Cp932.h"
#include "text/SjisLiteral.h"
#include "text/StandIns.h"
#include "regex/ScriptClasses.h"

namespace {

bool InClass(TREScript script, TRECharCode code)
{
    const auto ranges = ScriptCodeRanges(script);
    return std::any_of(ranges.begin(), ranges.end(),
                       [code](const TRECodeRange& r) { return r.Low <= code && code <= r.High; });
}

TRECharCode CodeOf(std::string_view character)
{
    int position = 1;
    return GetChar(character, position);
}

struct MembershipCase {
    TRECharCode code;
    bool hiragana, katakana, han;
};

TEST(ScriptClasses, HoldTheCharactersWhoseScriptExtensionsNameTheScript)
{
    TStandInMap standIns;
    const MembershipCase cases[] = {
        {CodeOf("あ"_sj), true, false, false},
        {CodeOf("ゝ"_sj), true, false, false},
        {CodeOf("ア"_sj), false, true, false},
        {CodeOf("ｱ"_sj), false, true, false},
        {CodeOf("ヽ"_sj), false, true, false},
        {CodeOf("ー"_sj), true, true, false},  // the script is Common; the extensions name both kana
        {CodeOf("ｰ"_sj), true, true, false},
        {CodeOf("漢"_sj), false, false, true},
        {CodeOf("々"_sj), false, false, true},
        {CodeOf("〆"_sj), false, false, true},  // Common by script, Han only by its extensions
        {CodeOf("ａ"_sj), false, false, false},
        {CodeOf("A"), false, false, false},
        {CodeOf("～"_sj), false, false, false},
        {standIns.CodeOf(U'é'), false, false, false},
        {0xF040, false, false, false},  // user-defined: a private-use character, or a stand-in
    };
    for (const auto& c : cases) {
        EXPECT_EQ(InClass(TREScript::Hiragana, c.code), c.hiragana) << std::hex << c.code;
        EXPECT_EQ(InClass(TREScript::Katakana, c.code), c.katakana) << std::hex << c.code;
        EXPECT_EQ(InClass(TREScript::Han, c.code), c.han) << std::hex << c.code;
    }
}

TEST(ScriptClasses, AreSortedDisjointRangesOfRealCharactersNamedExactly)
{
    const std::pair<TREScript, std::string_view> scripts[] = {
        {TREScript::Hiragana, "Hiragana"}, {TREScript::Katakana, "Katakana"}, {TREScript::Han, "Han"}};
    for (const auto& [script, name] : scripts) {
        EXPECT_EQ(ScriptOfName(name), script);
        int previousHigh = -2;  // merged ranges leave a gap between neighbours
        for (const auto& r : ScriptCodeRanges(script)) {
            EXPECT_LE(r.Low, r.High) << name;
            EXPECT_LT(previousHigh + 1, r.Low) << name;
            previousHigh = r.High;
            for (int code = r.Low; code <= r.High; ++code)
                ASSERT_GE(Cp932CodeToUnicode(static_cast<std::uint16_t>(code)), 0) << name << std::hex << code;
        }
    }
    for (const std::string_view other : {"hiragana", "Hira", "Hani", "Han ", ""})
        EXPECT_EQ(ScriptOfName(other), std::nullopt) << other;
}

}  // namespace
