// Side swap: the five pieces of a line, lines without the separator, line breaks,
// CP932 separators and trail bytes that look like ASCII, and pattern errors.
#include <gtest/gtest.h>

#include <exception>
#include <string>
#include <string_view>

#include "text/SjisLiteral.h"
#include "core/SwapProcess.h"

namespace {

using namespace std::string_view_literals;

struct SwapCase {
    const char* name;
    std::string_view before;
    std::string_view center;
    std::string_view after;
    std::string_view text;
    std::string_view expected;
};

EditSet MakeSet(std::string_view before, std::string_view center, std::string_view after)
{
    EditSet set;
    set.RLBefore = before;
    set.RLCenter = center;
    set.RLAfter = after;
    return set;
}

TEST(ProcessSwap, SwapsTheSidesOfEachLine)
{
    const SwapCase cases[] = {
        {"key and value", "", "=", "", "key=value", "value=key"},
        {"line without separator unchanged", "", "=", "", "no equals", "no equals"},
        {"only matching lines change", "", "=", "", "a=b\r\nplain\r\nc=d", "b=a\r\nplain\r\nd=c"},
        {"separator first", "", "=", "", "=value", "value="},
        {"separator last", "", "=", "", "key=", "=key"},
        {"all patterns empty", "", "", "", "a=b\r\ncd", "a=b\r\ncd"},
        {"first separator wins", "", "=", "", "a=b=c", "b=c=a"},
        {"longest separator", "", "=+", "", "a==b", "b==a"},
        {"blanks stay at the ends", "^ *", "=", " *", "  key=value  ", "  value=key  "},
        {"blanks around the separator", "^ *", " *= *", " *", "  key = value  ", "  value = key  "},
        {"head without match is empty", "z", "=", "", "a=b", "b=a"},
        {"head takes the first separator", "^[^=]*=", "=", "", "a=b=c", "a=c=b"},
        {"text before a mid-line head is kept", "x", "=", "", "abxc=d", "abxd=c"},
        {"mid-line head without separator", "x", "=", "", "abxcd", "abxcd"},
        {"tail at the end", "", "=", " *//.*", "a=b // note", "b=a // note"},
        {"tail pattern not at the end", "", "=", "x", "a=bxc", "bxc=a"},
        {"alternation tail at the end", "", "=", "a|b", "k=vb", "v=kb"},
        {"alternation tail mid-way keeps the rest", "", "=", "a|b", "k=xaybz", "x=kaybz"},
        {"grouped alternation tail", "", "=", "(a|b)", "k=xaybz", "xaybz=k"},
        {"bare LF and final break", "", "=", "", "a=b\nc=d\n", "b=a\r\nd=c"},
        {"lone CR", "", "=", "", "a=b\rc=d", "b=a\r\nd=c"},
        {"LF CR is an empty line", "", "=", "", "a=b\n\rc=d", "b=a\r\n\r\nd=c"},
        {"empty lines kept", "", "=", "", "a=b\r\n\r\nc=d\r\n", "b=a\r\n\r\nd=c"},
        {"empty text", "", "=", "", "", ""},
        {"line break only", "", "=", "", "\r\n", ""},
        {"double-byte separator", "", "＝"_sj, "", "名前＝値"_sj, "値＝名前"_sj},
        {"backslash separator skips trail byte 0x5C", "", "\\\\", "", "ソ\\表"_sj, "表\\ソ"_sj},
        {"no backslash inside double-byte characters", "", "\\\\", "", "ソ表"_sj, "ソ表"_sj},
        {"letter separator skips trail byte 0x41", "", "A", "", "\x83\x41" "A\x83\x43"sv, "\x83\x43" "A\x83\x41"sv},
        {"double-byte head and tail", "^「"_sj, "、"_sj, "」"_sj, "「甲、乙」"_sj, "「乙、甲」"_sj},
    };
    TAWKStr awk;
    for (const SwapCase& c : cases) {
        const EditSet set = MakeSet(c.before, c.center, c.after);
        try {
            EXPECT_EQ(ProcessSwap(std::string(c.text), set, awk), c.expected) << c.name;
        } catch (const std::exception&) {
            ADD_FAILURE() << c.name << ": unexpected exception";
        }
    }
}

TEST(ProcessSwap, MatchesWithoutFuzzyCharacters)
{
    TAWKStr awk;
    awk.SetUseFuzzyCharDic(true);  // as a NoCase replace condition leaves it
    const EditSet set = MakeSet("", "=", "");
    EXPECT_EQ(ProcessSwap(std::string("a＝b\r\nc=d"_sj), set, awk), "a＝b\r\nd=c"_sj);
    EXPECT_FALSE(awk.UseFuzzyCharDic());
}

struct SwapErrorCase {
    const char* name;
    std::string_view before;
    std::string_view center;
    std::string_view after;
    std::string_view text;
    bool throws;
};

TEST(ProcessSwap, PatternErrorsPropagate)
{
    const SwapErrorCase cases[] = {
        {"bad RLBefore", "(", "=", "", "a=b", true},
        {"bad RLCenter", "", "[", "", "a=b", true},
        {"bad RLAfter", "", "=", "[", "a=b", true},
        // RLAfter is needed only for a line that holds the separator.
        {"bad RLAfter without separator", "", "=", "[", "ab\r\ncd", false},
        {"bad patterns on an empty text", "(", "[", "[", "", false},
    };
    TAWKStr awk;
    for (const SwapErrorCase& c : cases) {
        const EditSet set = MakeSet(c.before, c.center, c.after);
        if (c.throws)
            EXPECT_THROW(ProcessSwap(std::string(c.text), set, awk), ERegExpParser) << c.name;
        else
            EXPECT_NO_THROW(ProcessSwap(std::string(c.text), set, awk)) << c.name;
    }
}

}  // namespace
