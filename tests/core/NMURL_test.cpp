// The URL coder: which bytes encoding leaves alone, and which escapes decoding accepts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/NMURL.h"
#include "text/Cp932.h"
#include "text/SjisLiteral.h"
#include "text/StandIns.h"

namespace {

using namespace std::string_literals;

struct CodingCase {
    const char* name;
    std::string input;
    std::string output;
};

TEST(NMURL, EncodesAllButLettersDigitsAndBlank)
{
    const CodingCase cases[] = {
        {"empty", "", ""},
        {"blank and ampersand", "x y&z", "x+y%26z"},
        {"letters and digits kept", "AZaz09", "AZaz09"},
        {"unreserved marks escaped too", "-_.~*", "%2D%5F%2E%7E%2A"},
        {"slash, percent, plus", "/%+", "%2F%25%2B"},
        {"upper-case hex digits", "\xE3", "%E3"},
        {"double-byte character", std::string("あ"_sj), "%82%A0"},
        {"letter-like trail byte escaped", std::string("ア"_sj), "%83A"},
        {"backslash trail byte", std::string("ソ"_sj), "%83%5C"},
        {"control bytes", "\t\r\n\0"s, "%09%0D%0A%00"},
        {"high single bytes", "\x80\xB1\xFF", "%80%B1%FF"},
    };
    for (const auto& c : cases) {
        TNMURL coder;
        coder.InputString = c.input;
        EXPECT_EQ(coder.Encode(), c.output) << c.name;
        EXPECT_EQ(coder.InputString, c.input) << c.name << " (input kept)";
    }
}

TEST(NMURL, DecodesEscapesAndPlus)
{
    const CodingCase cases[] = {
        {"empty", "", ""},
        {"plus and escape", "x+y%26z", "x y&z"},
        {"lower-case hex digits", "%e3%81", "\xE3\x81"},
        {"mixed-case hex digits", "%aB%Cd", "\xAB\xCD"},
        {"bytes form a double-byte character", "%82%A0", std::string("あ"_sj)},
        {"encoded plus", "%2B", "+"},
        {"one digit at the end", "a%4", "a\x04"},
        {"zero byte is kept", "a%00b", "a\0b"s},
        {"line break inside a line", "a%0D%0Ab", "a\r\nb"},
        {"double-byte bytes pass through", std::string("ア"_sj) + "%41", std::string("ア"_sj) + "A"},
        {"backslash trail byte passes through", std::string("ソ"_sj) + "+", std::string("ソ"_sj) + " "},
        {"plain text", "abc", "abc"},
    };
    for (const auto& c : cases) {
        TNMURL coder;
        coder.InputString = c.input;
        EXPECT_EQ(coder.Decode(), c.output) << c.name;
    }
}

// UTF-8 coding writes and reads every character's UTF-8 bytes, characters beyond CP932
// included; CP932 coding leaves alone what it has no bytes for, and what decodes to none.
TEST(NMURL, CodesCharactersBeyondCp932)
{
    struct Case {
        const char* name;
        bool utf8, decode;
        const char* inputUtf8;  // the line, as UTF-8 through the map
        const char* outputUtf8;
    } const cases[] = {
        {"UTF-8 encodes é and あ", true, false, "é あ", "%C3%A9+%E3%81%82"},
        {"UTF-8 encodes an emoji", true, false, "😀", "%F0%9F%98%80"},
        {"UTF-8 decodes to a new stand-in", true, true, "%C3%A9%E3%81%82", "éあ"},
        {"invalid UTF-8 stays", true, true, "%C3x", "%C3x"},
        {"CP932 leaves a line with é", false, false, "café", "café"},
        {"CP932 encodes Japanese", false, false, "あ", "%82%A0"},
        {"CP932 decode to an unassigned code stays", false, true, "%85%40", "%85%40"},
        {"CP932 decode that cuts a character stays", false, true, "a%82", "a%82"},
        {"CP932 decode to a character", false, true, "%82%A0", "あ"},
        {"CP932 decode passes a stand-in through", false, true, "é%41", "éA"},
        {"CP932 decode that would break a stand-in stays", false, true, "%83é", "%83é"},
    };
    for (const Case& c : cases) {
        TStandInMap map;
        TNMURL coder;
        coder.UTF8 = c.utf8;
        coder.StandIns = &map;
        coder.InputString = Utf8ToCp932(c.inputUtf8, map);
        EXPECT_EQ(Cp932ToUtf8(c.decode ? coder.Decode() : coder.Encode(), map), c.outputUtf8) << c.name;
    }
}

struct FailureCase {
    const char* name;
    std::string input;
    std::string message;
};

TEST(NMURL, FailedDecodeGivesTheInputUnchanged)
{
    const FailureCase cases[] = {
        {"percent at the end", "100%", "'$' is not a valid integer value"},
        {"letters beyond F", "50%zz", "'$zz' is not a valid integer value"},
        {"one digit then a blank", "%2 ", "'$2 ' is not a valid integer value"},
        {"blank then digit", "% 2", "'$ 2' is not a valid integer value"},
        {"sign", "%+1", "'$+1' is not a valid integer value"},
        {"minus sign", "%-1", "'$-1' is not a valid integer value"},
        {"one digit then a letter", "%4g", "'$4g' is not a valid integer value"},
        {"decoded part discarded", "%41+%4x%42", "'$4x' is not a valid integer value"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> reports;
        TNMURL coder;
        coder.OnError = [&](const TNMURL& sender, const std::string& operation, const std::string& message) {
            EXPECT_EQ(&sender, &coder);
            reports.push_back(operation + ": " + message);
        };
        coder.InputString = c.input;
        const std::string result = coder.Decode();
        EXPECT_EQ(result, c.input) << c.name;
        EXPECT_EQ(reports, std::vector<std::string>{"Error during decode: " + c.message}) << c.name;
    }
}

TEST(NMURL, FailsSilentlyWithoutCallback)
{
    TNMURL coder;
    coder.InputString = "%41%G1";
    EXPECT_EQ(coder.Decode(), "%41%G1");
}

}  // namespace
