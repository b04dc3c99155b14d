// Pins the CP932 codes of the character-conversion tables, which are written as readable
// text in the source: a wrong glyph there would silently convert to the wrong character.
#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/ConvertTables.h"
#include "text/Cp932.h"

namespace {

std::string Hex(std::string_view bytes)
{
    std::string out;
    char buf[4];
    for (unsigned char b : bytes) {
        std::snprintf(buf, sizeof buf, "%02X", b);
        out += buf;
    }
    return out;
}

unsigned Code(std::string_view entry)
{
    return static_cast<unsigned char>(entry[0]) * 256u + static_cast<unsigned char>(entry[1]);
}

TEST(ConvertTables, FullAsciiTableHoldsTheAgreedCodes)
{
    struct Row {
        unsigned char byte;
        unsigned code;
    };
    const Row symbols[] = {
        {0x20, 0x8140}, {0x21, 0x8149}, {0x22, 0x8168}, {0x23, 0x8194}, {0x24, 0x8190},
        {0x25, 0x8193}, {0x26, 0x8195}, {0x27, 0x8166}, {0x28, 0x8169}, {0x29, 0x816A},
        {0x2A, 0x8196}, {0x2B, 0x817B}, {0x2C, 0x8143}, {0x2D, 0x817C}, {0x2E, 0x8144},
        {0x2F, 0x815E}, {0x3A, 0x8146}, {0x3B, 0x8147}, {0x3C, 0x8183}, {0x3D, 0x8181},
        {0x3E, 0x8184}, {0x3F, 0x8148}, {0x40, 0x8197}, {0x5B, 0x816D}, {0x5C, 0x818F},
        {0x5D, 0x816E}, {0x5E, 0x814F}, {0x5F, 0x8151}, {0x60, 0x8165}, {0x7B, 0x816F},
        {0x7C, 0x8162}, {0x7D, 0x8170}, {0x7E, 0x8150},
    };
    std::vector<Row> rows(std::begin(symbols), std::end(symbols));
    for (unsigned i = 0; i < 10; ++i) rows.push_back({static_cast<unsigned char>(0x30 + i), 0x824F + i});
    for (unsigned i = 0; i < 26; ++i) {
        rows.push_back({static_cast<unsigned char>(0x41 + i), 0x8260 + i});
        rows.push_back({static_cast<unsigned char>(0x61 + i), 0x8281 + i});
    }
    ASSERT_EQ(rows.size(), FullAsciiTable.Count());
    for (const Row& r : rows) {
        const std::size_t k = r.byte - 0x20;
        EXPECT_EQ(Code(FullAsciiTable.Entry(k)), r.code) << "byte 0x" << std::hex << unsigned(r.byte);
        EXPECT_EQ(HalfAsciiTable.Entry(k), std::string(1, static_cast<char>(r.byte)));
    }
}

TEST(ConvertTables, HalfWidthKanaTablesHoldTheAgreedBytes)
{
    EXPECT_EQ(Hex(HalfKanaTable.entries),
              "B1B2B3B4B5B6B7B8B9BABBBCBDBEBFC0C1C2C3C4C5C6C7C8C9CACBCCCDCECFD0D1D2D3"
              "D7D8D9DADBD4D5D6DCA6DDA7A8A9AAABAFACADAE");
    EXPECT_EQ(Hex(HalfVoicedTable.entries),
              "B6DEB7DEB8DEB9DEBADEBBDEBCDEBDDEBEDEBFDEC0DEC1DEC2DEC3DEC4DE"
              "CADECBDECCDECDDECEDE" "B3DE" "CADFCBDFCCDFCDDFCEDF");
}

TEST(ConvertTables, VuStandsAtTheSameIndexInBothKanaTables)
{
    EXPECT_EQ(HiraganaTable.Find("\x83\x94"), std::optional<std::size_t>(66));
    EXPECT_EQ(KatakanaTable.Find("\x83\x94"), std::optional<std::size_t>(66));
    EXPECT_EQ(HiraganaTable.Entry(0), "\x82\xA0");  // あ
    EXPECT_EQ(KatakanaTable.Entry(0), "\x83\x41");  // ア
}

TEST(ConvertTables, DoubleByteTablesHoldDistinctDoubleByteCharacters)
{
    struct Named {
        const char* name;
        const CharTable& table;
        bool fullWidth;
    };
    const Named tables[] = {
        {"Hiragana", HiraganaTable, true},    {"Katakana", KatakanaTable, true},
        {"FullAscii", FullAsciiTable, true},  {"FullKana", FullKanaTable, true},
        {"FullVoiced", FullVoicedTable, true}, {"HalfVoiced", HalfVoicedTable, false},
        {"HalfKana", HalfKanaTable, false},   {"HalfAscii", HalfAsciiTable, false},
    };
    for (const Named& t : tables) {
        EXPECT_EQ(t.table.entries.size() % t.table.width, 0u) << t.name;
        std::set<std::string_view> seen;
        for (std::size_t k = 0; k < t.table.Count(); ++k) {
            const std::string_view e = t.table.Entry(k);
            EXPECT_TRUE(seen.insert(e).second) << t.name << " entry " << k << " repeats";
            // A full-width entry is one double-byte character; a half-width one has no lead byte.
            EXPECT_EQ(IsLeadByte(e[0]), t.fullWidth) << t.name << " entry " << k;
            if (t.fullWidth) EXPECT_EQ(e.size(), 2u) << t.name << " entry " << k;
            else EXPECT_FALSE(IsLeadByte(e.back())) << t.name << " entry " << k;
        }
    }
}

}  // namespace
