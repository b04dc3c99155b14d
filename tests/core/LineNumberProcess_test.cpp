// Line numbering: labels, fill, placement, unusual parameters and the line rule.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "core/LineNumberProcess.h"
#include "text/SjisLiteral.h"

namespace {

struct LineNoCase {
    const char* name;
    int index, step, deg;
    std::string before, after;
    int add, fill;
    std::string text;
    std::string expected;
};

EditSet MakeSet(const LineNoCase& c)
{
    EditSet set;
    set.Index = c.index;
    set.Step = c.step;
    set.Deg = c.deg;
    set.Before = c.before;
    set.After = c.after;
    set.Add = static_cast<NumberPlace>(c.add);
    set.Fill = static_cast<NumberFill>(c.fill);
    return set;
}

const std::string kDai(SjString("第"_sj));
const std::string kGyou(SjString("行"_sj));
const std::string kSoA(SjString("ソア"_sj));

TEST(LineNumberProcess, NumbersEveryLine)
{
    const LineNoCase cases[] = {
        // name, Index, Step, Deg, Before, After, Add, Fill, text, expected
        {"defaults", 1, 1, 4, "", "", 0, 0, "a\r\nb", "0001a\r\n0002b"},
        {"blank fill and after text", 1, 1, 4, "", ": ", 0, 1, "a\r\nb", "   1: a\r\n   2: b"},
        {"label after the line", 1, 1, 4, "", "", 1, 0, "a\r\nb", "a0001\r\nb0002"},
        {"any non-zero Add puts it after", 1, 1, 4, "", "", -3, 0, "a", "a0001"},
        {"any non-zero Fill fills with blanks", 1, 1, 4, "", "", 0, 7, "a", "   1a"},
        {"before and after", 1, 1, 2, "[", "] ", 0, 0, "a", "[01] a"},
        {"Japanese frame", 1, 1, 0, kDai, kGyou, 0, 0, "x", kDai + "1" + kGyou + "x"},
        {"number wider than Deg is not cut", 8, 1, 1, "", "", 0, 0, "a\nb\nc", "8a\r\n9b\r\n10c"},
        {"Deg 0 gives no fill", 5, 1, 0, "", "", 0, 0, "a", "5a"},
        {"negative Deg gives no fill", 1, 1, -4, "", "", 0, 0, "a", "1a"},
        {"Deg beyond the dialog's widths fills", 1, 1, 12, "", "", 0, 0, "a", "000000000001a"},
        {"a huge Deg fills to the widest width only", 1, 1, 100000, "", "", 0, 1, "a\nb",
         std::string(kMaxLineNumberWidth - 1, ' ') + "1a\r\n" + std::string(kMaxLineNumberWidth - 1, ' ') + "2b"},
        {"step 5 from 0", 0, 5, 4, "", "", 0, 0, "a\nb\nc", "0000a\r\n0005b\r\n0010c"},
        {"zero step repeats the number", 1, 0, 4, "", "", 0, 0, "a\nb", "0001a\r\n0001b"},
        {"negative step counts down through zero", 1, -1, 0, "", "", 0, 0, "a\nb\nc", "1a\r\n0b\r\n-1c"},
        {"minus sign counts in the width", -5, 1, 4, "", "", 0, 0, "a", "00-5a"},
        {"blank fill before a minus sign", -5, 1, 4, "", "", 0, 1, "a", "  -5a"},
        {"empty line gets the label alone", 1, 1, 4, "", "", 0, 0, "a\r\n\r\nb", "0001a\r\n0002\r\n0003b"},
        {"final break is dropped", 1, 1, 4, "", "", 0, 0, "x\r\n", "0001x"},
        {"line then empty line", 1, 1, 4, "", "", 0, 0, "x\r\n\r\n", "0001x\r\n0002"},
        {"lone LF and CR become CR LF", 1, 1, 4, "", "", 0, 0, "a\nb\rc", "0001a\r\n0002b\r\n0003c"},
        {"LF CR numbers the empty line between", 1, 1, 4, "", "", 0, 0, "a\n\rb", "0001a\r\n0002\r\n0003b"},
        {"text after a zero byte is gone", 1, 1, 4, "", "", 0, 0, std::string("a\0b", 3), "0001a"},
        {"empty text gets no label", 1, 1, 4, "", "", 0, 0, "", ""},
        {"text of one break is one empty line", 1, 1, 4, "", "", 0, 0, "\r\n", "0001"},
        {"double-byte line kept whole", 1, 1, 4, "", "", 1, 0, kSoA, kSoA + "0001"},
        {"number wraps around at 32 bits", INT_MAX, 1, 0, "", "", 0, 0, "a\nb", "2147483647a\r\n-2147483648b"},
    };
    for (const auto& c : cases) EXPECT_EQ(ProcessLineNo(c.text, MakeSet(c)), c.expected) << c.name;
}

}  // namespace
