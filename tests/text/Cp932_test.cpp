// Pins the CP932 bytes that our compile-time literal and runtime conversions produce.
#include <gtest/gtest.h>

#include "text/Cp932.h"
#include "core/EditSettings.h"
#include "text/SjisLiteral.h"
#include "text/StandIns.h"

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
    EXPECT_EQ(ProcessKindCaption(ProcessKind::URL), "URL\x83\x52\x81\x5B\x83\x68");
    EXPECT_EQ(ProcessKindCaption(static_cast<ProcessKind>(7)), "");
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

// Every character converts exactly or not at all: with a code of its own only when that
// code comes back as the same character, otherwise through a stand-in, and back again.
TEST(Cp932Conversion, EveryCharacterComesBackExactly)
{
    std::vector<char32_t> all;
    for (char32_t c = 1; c <= 0xFFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) continue;
        const int code = UnicodeToCp932Code(c);
        if (code >= 0) {
            ASSERT_EQ(Cp932CodeToUnicode(static_cast<std::uint16_t>(code)), static_cast<int>(c)) << std::hex << unsigned{c};
        }
        all.push_back(c);
    }
    for (char32_t c = 0x10000; c <= 0x10FFFF; c += 0x3FF) all.push_back(c);
    all.push_back(0x20BB7);  // 𠮷
    all.push_back(0xD800);   // a lone surrogate is kept too
    // One map carries a few thousand distinct characters: a fresh one for each slice.
    for (std::size_t from = 0; from < all.size(); from += 3000) {
        std::u16string slice;
        for (std::size_t i = from; i < std::min(all.size(), from + 3000); ++i) AppendUtf16(slice, all[i]);
        TStandInMap map;
        const std::string inside = Utf16ToCp932(slice, map);
        ASSERT_EQ(Cp932ToUtf16(inside, map), slice) << "from U+" << std::hex << unsigned{all[from]};
    }
}

TEST(Cp932Conversion, LookAlikesHaveNoCodeOfTheirOwn)
{
    for (char32_t c : {0x301C, 0x2212, 0x2016, 0x00A2, 0x00A3, 0x00AC, 0x00A5})
        EXPECT_EQ(UnicodeToCp932Code(c), -1) << std::hex << unsigned{c};
    EXPECT_EQ(UnicodeToCp932Code(0xFF5E), 0x8160);
}

// User-defined characters keep their own codes while a map hands out stand-ins, and one
// whose code is already a stand-in gets a stand-in of its own.
TEST(StandIns, NeverGiveOneCodeTwoMeanings)
{
    TStandInMap map;
    std::u16string many;
    for (char32_t c = 0xAC00; many.size() < StandInCapacity() - 2; ++c) many += static_cast<char16_t>(c);  // Hangul
    many += u'\xE001';  // user-defined: keeps 0xF041
    const std::string inside = Utf16ToCp932(many, map);
    EXPECT_EQ(Cp932ToUtf16(inside, map), many);
    EXPECT_EQ(inside.substr(inside.size() - 2), "\xF0\x41");
    EXPECT_EQ(Cp932ToUtf16(Utf16ToCp932(u"\xE000", map), map), u"\xE000");  // its code went to a syllable: the last stand-in
    EXPECT_THROW(Utf16ToCp932(u"\xE002", map), EEncodingError);           // no stand-in left
}

TEST(Cp932, LeadByteRanges)
{
    for (int b = 0; b < 256; ++b) {
        const bool expected = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        EXPECT_EQ(IsLeadByte(static_cast<unsigned char>(b)), expected) << b;
    }
}

}  // namespace
