// Pins the CP932 bytes that our compile-time literal and runtime conversions produce.
#include <gtest/gtest.h>

#include "text/Cp932.h"
#include "core/EditSettings.h"
#include "text/SjisLiteral.h"

namespace {

struct LiteralCase {
    std::string_view literal;
    std::string_view bytes;
};

TEST(SjisLiteral, ProducesMicrosoftCp932Bytes)
{
    const LiteralCase cases[] = {
        {"abc"_sj, "abc"},
        {"あ"_sj, "\x82\xA0"},
        {"ぁ"_sj, "\x82\x9F"},
        {"～"_sj, "\x81\x60"},          // U+FF5E, not the wave dash
        {"Ⅰ"_sj, "\x87\x54"},
        {"①"_sj, "\x87\x40"},
        {"ｰ"_sj, "\xB0"},
        {"￥"_sj, "\x81\x8F"},
        {"ソ"_sj, "\x83\x5C"},          // trail byte equal to a backslash
        {"不正な２バイト文字コードです。"_sj,
         "\x95\x73\x90\xB3\x82\xC8\x82\x51\x83\x6F\x83\x43\x83\x67\x95\xB6\x8E\x9A\x83\x52\x81\x5B\x83\x68\x82\xC5\x82\xB7\x81\x42"},
        {"右辺<->左辺"_sj, "\x89\x45\x95\xD3<->\x8D\xB6\x95\xD3"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.literal, c.bytes) << "bytes " << c.bytes.size();
}

TEST(SjisLiteral, ProcessCaptionsAreCp932)
{
    EXPECT_EQ(ProcessKindCaption(pkURL), "URL\x83\x52\x81\x5B\x83\x68");
    EXPECT_EQ(ProcessKindCaption(7), "");
}

TEST(Cp932Conversion, RoundTripsThroughUtf8AndUtf16)
{
    const std::string utf8 = "A\xE3\x81\x82\xEF\xBD\xB1\xE2\x91\xA0";  // A あ ｱ ①
    const std::string sj = Utf8ToCp932(utf8);
    EXPECT_EQ(sj, "A\x82\xA0\xB1\x87\x40");
    EXPECT_EQ(Cp932ToUtf8(sj), utf8);
    EXPECT_EQ(Utf16ToCp932(Cp932ToUtf16(sj)), sj);
}

TEST(Cp932Conversion, RejectsWhatCannotBeConverted)
{
    const std::string bad[] = {
        "\xF0\x9F\x98\x80",  // emoji: no CP932 code
        "\xE2\x82",          // truncated UTF-8
        "\xC0\x80",          // overlong
        "\xED\xA0\x80",      // surrogate
        "\xC3\xA9",          // e-acute: no CP932 code
    };
    for (const auto& s : bad) EXPECT_THROW(Utf8ToCp932(s), EEncodingError) << s;
    EXPECT_THROW(Cp932ToUtf8("a\x82"), EEncodingError);      // lone lead byte at the end
    EXPECT_THROW(Cp932ToUtf8("\x85\x40"), EEncodingError);   // unassigned double-byte code
}

TEST(Cp932, LeadByteRanges)
{
    for (int b = 0; b < 256; ++b) {
        const bool expected = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        EXPECT_EQ(IsLeadByte(static_cast<unsigned char>(b)), expected) << b;
    }
}

}  // namespace
