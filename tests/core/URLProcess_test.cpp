// The URL coding process: each line converted by itself, breaks never encoded, and a line
// that fails to decode left as it was while the others are decoded.
#include <gtest/gtest.h>

#include <string>

#include "text/SjisLiteral.h"
#include "core/URLProcess.h"

namespace {

using namespace std::string_literals;

enum Direction { EncodeLines = 0, DecodeLines = 1 };

struct URLCase {
    const char* name;
    int direction;
    std::string text;
    std::string expected;
};

TEST(URLProcess, ConvertsLineByLine)
{
    const URLCase cases[] = {
        {"encode two lines", EncodeLines, "a b\r\nc/d\r\n", "a+b\r\nc%2Fd"},
        {"encode lone breaks", EncodeLines, "a\nb\rc", "a\r\nb\r\nc"},
        {"encode keeps empty lines", EncodeLines, "a\n\rb", "a\r\n\r\nb"},
        {"encode stops at a zero byte", EncodeLines, "a\0b"s, "a"},
        {"encode empty text", EncodeLines, "", ""},
        {"decode two lines", DecodeLines, "x+y%26z\r\n%82%A0\r\n", "x y&z\r\n" + std::string("あ"_sj)},
        {"decode empty text", DecodeLines, "", ""},
        {"decoded breaks stay inside the line", DecodeLines, "a%0Ab\r\nc", "a\nb\r\nc"},
        {"decoded zero byte stays in the result", DecodeLines, "a%00b\r\nc", "a\0b\r\nc"s},
        {"one bad line among many", DecodeLines, "%41\r\n100%\r\n%42\n50%zz\r%43",
         "A\r\n100%\r\nB\r\n50%zz\r\nC"},
        {"bad line keeps its good escapes", DecodeLines, "%41%2 \r\n%41", "%41%2 \r\nA"},
        {"any non-zero direction decodes", -1, "a+b", "a b"},
    };
    for (const auto& c : cases) {
        EditSet set;
        set.EnDeCd = static_cast<URLDirection>(c.direction);
        TNMURL coder;
        EXPECT_EQ(ProcessURL(c.text, set, coder), c.expected) << c.name;
    }
}

}  // namespace
