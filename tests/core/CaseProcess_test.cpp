// The case process: its three methods, the initial-capital step and the line rule that the
// initial-capital step alone brings in.
#include <gtest/gtest.h>

#include <string>

#include "core/CaseProcess.h"
#include "text/SjisLiteral.h"

namespace {

using namespace std::string_literals;

struct CaseCase {
    const char* name;
    int method;
    bool initial;
    std::string text;
    std::string expected;
};

TEST(CaseProcess, AppliesMethodThenInitialCapital)
{
    const CaseCase cases[] = {
        {"upper keeps every break", 1, false, "hello World\r\nfoo\r\n", "HELLO WORLD\r\nFOO\r\n"},
        {"lower keeps lone breaks", 0, false, "A\nB\rC\n", "a\nb\rc\n"},
        {"unchanged is byte-identical", 2, false, "aB\n\r\0x"s, "aB\n\r\0x"s},
        {"lower with initial", 0, true, "hello World\r\nfoo\r\n", "Hello world\r\nFoo"},
        {"unchanged with initial raises only the first", 2, true, "abc\ndef", "Abc\r\nDef"},
        {"initial does not lower the rest", 2, true, "aBC", "ABC"},
        {"upper with initial only rewrites breaks", 1, true, "ab\ncd\n", "AB\r\nCD"},
        {"lower then raise", 0, true, "ABC", "Abc"},
        {"empty line stays empty", 2, true, "a\r\n\r\nb", "A\r\n\r\nB"},
        {"blank first", 2, true, " a", " a"},
        {"digit first", 2, true, "1a", "1a"},
        {"half-width katakana first", 2, true, "\xB1" "a", "\xB1" "a"},
        {"double-byte first with letter-like trail", 2, true, std::string("ア"_sj) + "b",
         std::string("ア"_sj) + "b"},
        {"double-byte first with lead-like trail", 0, true, std::string("ャ"_sj) + "B", std::string("ャ"_sj) + "b"},
        {"trail bytes survive upper", 1, true, std::string("ソアャ"_sj) + "x\r\n" + std::string("ア"_sj),
         std::string("ソアャ"_sj) + "X\r\n" + std::string("ア"_sj)},
        {"initial stops at a zero byte", 2, true, "a\nb\0c"s, "A\r\nB"},
        {"unknown method leaves the case", 7, true, "aB", "AB"},
    };
    for (const auto& c : cases) {
        EditSet set;
        set.CaseMethod = static_cast<CaseConversion>(c.method);
        set.CaseInitial = c.initial;
        EXPECT_EQ(ProcessCase(c.text, set), c.expected) << c.name;
    }
}

TEST(CaseProcess, EmptyTextStaysEmptyForEveryCombination)
{
    for (int method : {0, 1, 2}) {
        for (bool initial : {false, true}) {
            EditSet set;
            set.CaseMethod = static_cast<CaseConversion>(method);
            set.CaseInitial = initial;
            EXPECT_EQ(ProcessCase("", set), "") << "method " << method << " initial " << initial;
        }
    }
}

}  // namespace
