// String replacement: which conditions run and in what order, the fuzzy switch per
// condition, templates, CP932 text whose trail bytes look like ASCII, and errors.
#include <gtest/gtest.h>

#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "core/ReplaceProcess.h"
#include "text/SjisLiteral.h"

namespace {

using namespace std::string_view_literals;

std::string Sj(std::string_view cp932) { return std::string(cp932); }

EditSet MakeSet(int maxCnt, const std::vector<ReplaceCondition>& conditions)
{
    EditSet set;
    set.MaxCnt = maxCnt;
    for (std::size_t i = 0; i < conditions.size(); ++i) set.Cond[i] = conditions[i];
    return set;
}

struct ReplaceCase {
    const char* name;
    int maxCnt;
    std::vector<ReplaceCondition> conditions;
    std::string_view text;
    std::string_view expected;
};

// All rows share one AWK object, in order, as every run of the program does, so a
// switch or pattern left behind by one row would show in the next.
TEST(ProcessReplace, AppliesConditionsInOrder)
{
    const ReplaceCase cases[] = {
        {"MaxCnt 0 runs nothing", 0, {{"a", "b", false}}, "aaa", "aaa"},
        {"negative MaxCnt runs nothing", -3, {{"a", "b", false}}, "aaa", "aaa"},
        {"empty FromStr never matches the empty string", 4, {{"", "X", false}, {"", "Y", true}}, "abc", "abc"},
        {"empty FromStr skipped, later ones run", 3, {{"a", "b", false}, {"", "X", false}, {"b", "c", false}}, "ab", "cc"},
        {"each condition works on the previous result", 4, {{"x", "y", false}, {"y", "z", false}}, "xyaxy", "zzazz"},
        {"MaxCnt 2 ignores conditions 3 and 4", 2,
         {{"a", "b", false}, {"b", "c", false}, {"c", "d", false}, {"d", "e", false}}, "abcd", "cccd"},
        {"MaxCnt above the slots", 1000, {{"a", "b", false}}, "aa", "bb"},
        {"no match leaves the text", 4, {{"q", "z", false}}, "abc", "abc"},
        {"empty ToStr deletes", 4, {{"[0-9]", "", false}}, "a1b22c", "abc"},
        {"ampersand is the match", 4, {{"[0-9]+", "<&>", false}}, "a12b3", "a<12>b<3>"},
        {"escaped ampersand", 4, {{"and", "\\&", false}}, "this and that", "this & that"},
        {"backslash n and t", 4, {{",", "\\n", false}, {";", "\\t", false}}, "a,b;c", "a\nb\tc"},
        {"hex escape of a double-byte code", 4, {{"x", "\\x8341", false}}, "x", "\x83\x41"sv},
        {"two backslashes before ampersand", 4, {{"b", "\\\\&", false}}, "abc", "a&c"},
        {"pattern across a line break", 4, {{"a\r\nb", "ab", false}}, "xa\r\nby", "xaby"},
        {"caret at every line", 4, {{"^", "> ", false}}, "a\r\nb", "> a\r\n> b"},
        {"dollar before every CR LF", 4, {{"$", ";", false}}, "a\r\nb", "a;\r\nb;"},
        {"empty text, pattern matching empty", 4, {{"x*", "-", false}}, "", "-"},
        {"backslash pattern skips trail byte 0x5C", 4, {{"\\\\", "/", false}}, "ソ\\表"_sj, "ソ/表"_sj},
        {"letter pattern skips trail byte 0x41", 4, {{"A", "B", false}}, "\x83\x41" "A"sv, "\x83\x41" "B"sv},
        {"double-byte pattern", 4, {{Sj("ソ"_sj), "x", false}}, "ソソ\\"_sj, "xx\\"_sj},
        {"trail byte 0x5C before an ampersand", 4, {{"b", Sj("ソ&"_sj), false}}, "abc", "aソbc"_sj},
        {"double-byte replacement", 4, {{Sj("表"_sj), Sj("裏\\&"_sj), false}}, "表示"_sj, "裏&示"_sj},
        {"NoCase ignores case and width", 4, {{"abc", "x", true}}, "abc ABC ＡＢＣ ａｂｃ"_sj, "x x x x"_sj},
        {"exact match without NoCase", 4, {{"abc", "x", false}}, "abc ABC ＡＢＣ ａｂｃ"_sj,
         "x ABC ＡＢＣ ａｂｃ"_sj},
        {"NoCase ignores kana kind and width", 4, {{Sj("か"_sj), "x", true}}, "かカｶき"_sj, "xxxき"_sj},
        {"NoCase voiced kana", 4, {{Sj("が"_sj), "x", true}}, "がガｶﾞか"_sj, "xxxか"_sj},
        {"NoCase digit forms", 4, {{"1", "#", true}}, "1１一①2"_sj, "####2"},
        {"NoCase then exact", 4, {{"a", "x", true}, {"b", "y", false}}, "aAbB", "xxyB"},
        {"exact then NoCase", 4, {{"a", "x", false}, {"b", "y", true}}, "aAbB", "xAyy"},
        {"exact after a NoCase run", 4, {{"a", "x", false}}, "aAａ"_sj, "xAａ"_sj},
    };
    TAWKStr awk;
    for (const ReplaceCase& c : cases) {
        const EditSet set = MakeSet(c.maxCnt, c.conditions);
        try {
            EXPECT_EQ(ProcessReplace(std::string(c.text), set, awk), c.expected) << c.name;
        } catch (const std::exception&) {
            ADD_FAILURE() << c.name << ": unexpected exception";
        }
    }
}

struct ErrorCase {
    const char* name;
    int maxCnt;
    std::vector<ReplaceCondition> conditions;
    std::string_view text;
    bool throws;
};

TEST(ProcessReplace, PatternAndTemplateErrorsPropagate)
{
    const ErrorCase cases[] = {
        {"bad pattern in condition 3", 4, {{"a", "b", false}, {"b", "c", false}, {"(", "x", false}}, "ab", true},
        {"bad pattern with NoCase", 4, {{"[a", "x", true}}, "ab", true},
        {"bad pattern on an empty text", 4, {{"(", "x", false}}, "", true},
        {"backslash at the end of the template", 4, {{"a", "x\\", false}}, "ab", true},
        {"bad hex escape in the template", 4, {{"a", "\\xg", false}}, "ab", true},
        {"bad pattern beyond MaxCnt", 2, {{"a", "b", false}, {"b", "c", false}, {"(", "x", false}}, "ab", false},
        {"bad template of an empty FromStr", 4, {{"", "x\\", false}}, "ab", false},
    };
    TAWKStr awk;
    for (const ErrorCase& c : cases) {
        const EditSet set = MakeSet(c.maxCnt, c.conditions);
        if (c.throws)
            EXPECT_THROW(ProcessReplace(std::string(c.text), set, awk), ERegExpParser) << c.name;
        else
            EXPECT_NO_THROW(ProcessReplace(std::string(c.text), set, awk)) << c.name;
        // The object stays usable for the next run.
        EXPECT_EQ(ProcessReplace("aA", MakeSet(1, {{"a", "x", false}}), awk), "xA") << c.name;
    }
}

}  // namespace
