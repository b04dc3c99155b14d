// Case mapping of CP932 buffers: ASCII letters change, double-byte characters never do,
// even when their trail byte equals an ASCII letter.
#include <gtest/gtest.h>

#include <string>

#include "core/CaseMapping.h"
#include "text/SjisLiteral.h"

namespace {

using namespace std::string_literals;

struct MappingCase {
    const char* name;
    std::string text;
    std::string upper;
    std::string lower;
};

TEST(CaseMapping, ChangesOnlyAsciiLetters)
{
    const MappingCase cases[] = {
        {"empty", "", "", ""},
        {"letters", "aBcZz", "ABCZZ", "abczz"},
        {"digits, symbols, breaks", "1@[`{\r\n\t", "1@[`{\r\n\t", "1@[`{\r\n\t"},
        {"zero byte in the middle", "a\0b"s, "A\0B"s, "a\0b"s},
        {"half-width katakana", "\xB1\xDFx", "\xB1\xDFX", "\xB1\xDFx"},
        {"single high bytes", "\x80\xA0\xFD\xFE\xFF" "a", "\x80\xA0\xFD\xFE\xFF" "A", "\x80\xA0\xFD\xFE\xFF" "a"},
        {"trail byte like 'A'", std::string("ア"_sj) + "a", std::string("ア"_sj) + "A", std::string("ア"_sj) + "a"},
        {"trail byte like 'a'", "\x83\x61z", "\x83\x61Z", "\x83\x61z"},
        {"trail byte like a backslash", std::string("ソ"_sj), std::string("ソ"_sj), std::string("ソ"_sj)},
        {"trail byte equal to a lead byte", std::string("ャ"_sj) + "Q", std::string("ャ"_sj) + "Q", std::string("ャ"_sj) + "q"},
        {"run of double-byte characters", std::string("アャア"_sj), std::string("アャア"_sj), std::string("アャア"_sj)},
        {"full-width letters keep their case", std::string("ａＡ"_sj), std::string("ａＡ"_sj), std::string("ａＡ"_sj)},
        {"lead byte at the end stands alone", "a\x83", "A\x83", "a\x83"},
    };
    for (const auto& c : cases) {
        std::string upper = c.text;
        UpperCaseBuffer(upper.data(), upper.size());
        EXPECT_EQ(upper, c.upper) << c.name;
        std::string lower = c.text;
        LowerCaseBuffer(lower.data(), lower.size());
        EXPECT_EQ(lower, c.lower) << c.name;
    }
}

}  // namespace
