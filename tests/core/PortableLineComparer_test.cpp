// The portable line collation: the properties the line sort relies on, and that it is a
// consistent order (the quicksort reads out of range on an inconsistent one).
#include <gtest/gtest.h>

#include <cstdint>

#include <string>
#include <vector>

#include "core/PortableLineComparer.h"
#include "text/Cp932.h"
#include "text/SjisLiteral.h"
#include "text/StandIns.h"

namespace {

int Sign(int v) { return (v > 0) - (v < 0); }

struct OrderCase {
    const char* name;
    std::string a;
    std::string b;
    int sign;  // of Compare(a, b)
};

TEST(PortableLineComparer, OrdersLinesLikeAWordSort)
{
    const OrderCase cases[] = {
        {"identical", "abc", "abc", 0},
        {"case ignored", "apple", "APPLE", 0},
        {"case ignored, mixed", "ApPlE", "aPpLe", 0},
        {"letters alphabetically across case", "a", "B", -1},
        {"upper before next lower", "B", "c", -1},
        {"prefix first", "app", "apple", -1},
        {"empty before symbol", "", "!", -1},
        {"empty before blank", "", " ", -1},
        {"empty before hyphen alone", "", "-", -1},
        {"empty before apostrophe alone", "", "'", -1},
        {"symbol before digit", "~", "0", -1},
        {"blank before digit", " ", "0", -1},
        {"digit before letter", "9", "a", -1},
        {"symbol above the letters in ASCII still first", "~", "a", -1},
        {"digits as text, not numbers", "10", "9", -1},
        {"hyphen ignored at first", "co-op", "coa", 1},
        {"hyphen only breaks ties", "coop", "co-op", -1},
        {"apostrophe ignored at first", "can't", "cane", 1},
        {"apostrophe only breaks ties", "cant", "can't", -1},
        {"earlier hyphen first", "-ab", "a-b", -1},
        {"apostrophe before hyphen at the same place", "a'b", "a-b", -1},
        {"hyphen line equal in case", "A-B", "a-b", 0},
        {"letter before half-width katakana", "z", "\xB1", -1},
        {"half-width katakana by code", "\xB1", "\xB2", -1},
        {"single-byte before double-byte", "\xDF", SjString("ア"_sj), -1},
        {"double-byte by code", SjString("ア"_sj), SjString("ソ"_sj), -1},
        {"trail like 'A' is not folded", "\x83\x41", "\x83\x61", -1},
        {"trail like lead byte", SjString("ャ"_sj) + "a", SjString("ャ"_sj) + "B", -1},
        {"lone lead byte at the end", "a\x83", std::string("a") + SjString("ア"_sj), -1},
        {"full-width letters differ from ASCII", "a", SjString("ａ"_sj), -1},
        {"full-width case is not folded", SjString("Ａ"_sj), SjString("ａ"_sj), -1},
    };
    const PortableLineComparer comparer;
    for (const auto& c : cases) {
        EXPECT_EQ(Sign(comparer.Compare(c.a, c.b)), c.sign) << c.name;
        EXPECT_EQ(Sign(comparer.Compare(c.b, c.a)), -c.sign) << c.name << " (swapped)";
    }
}

// The sort trusts the order prefix wherever two prefixes differ, so it must never
// disagree with the comparison; lines sharing their starts exercise the skip over them.
TEST(PortableLineComparer, IsAConsistentOrderEqualOnlyUpToCaseAndItsPrefixAgrees)
{
    const std::vector<std::string> lines = {
        "", "-", "'", "--", "-'", " ", "!", "0", "9", "10", "a", "A", "b", "ab", "a-b", "a'b", "-ab", "ab-",
        // ア, ソ, ャ and ａ as bytes: clang 14 cannot take the literal inside this list.
        "co-op", "coop", "Coop", "cop", "\xB1", "\x83", "\x83\x41", "\x83\x5C",
        "\x83\x83", "\x83\x61", "a\x83", "\x82\x81", "z-", "z", "a\x83\x41", "a\x83\x41" "b", "ab-c", "abc", "abcd",
        "Abcd", "abc-d",
    };
    auto foldCase = [](std::string s) {
        // Steps over double-byte characters (every sample's lead byte is in 0x81-0x9F).
        for (std::size_t i = 0; i < s.size(); ++i) {
            if (static_cast<unsigned char>(s[i]) >= 0x81 && static_cast<unsigned char>(s[i]) <= 0x9F) ++i;
            else if (s[i] >= 'A' && s[i] <= 'Z') s[i] = static_cast<char>(s[i] - 'A' + 'a');
        }
        return s;
    };
    const PortableLineComparer comparer;
    for (const auto& a : lines) {
        for (const auto& b : lines) {
            const int ab = Sign(comparer.Compare(a, b));
            EXPECT_EQ(ab, -Sign(comparer.Compare(b, a))) << "antisymmetry: '" << a << "' '" << b << "'";
            EXPECT_EQ(ab == 0, foldCase(a) == foldCase(b)) << "equality: '" << a << "' '" << b << "'";
            const std::uint64_t pa = comparer.OrderPrefix(a, nullptr), pb = comparer.OrderPrefix(b, nullptr);
            if (pa != pb) {
                EXPECT_EQ(pa < pb ? -1 : 1, ab) << "prefix: '" << a << "' '" << b << "'";
            }
            for (const auto& c : lines) {
                const int bc = Sign(comparer.Compare(b, c));
                if (ab <= 0 && bc <= 0 && ab + bc < 0) {
                    EXPECT_LT(comparer.Compare(a, c), 0) << "transitivity: '" << a << "' '" << b << "' '" << c << "'";
                }
            }
        }
    }
}

// Characters beyond CP932 sort after every CP932 character, by code point, whatever
// stand-in codes the map happened to give them.
TEST(PortableLineComparer, CharactersBeyondCp932SortLastByCodePoint)
{
    TStandInMap map;
    const std::string emoji = Utf8ToCp932("😀", map), eAcute = Utf8ToCp932("é", map);  // é gets the later code
    const std::string kanji(SjString("漢"_sj)), userDefined = "\xF9\xFC";
    const PortableLineComparer comparer;
    EXPECT_LT(comparer.Compare(kanji, eAcute, &map), 0);
    EXPECT_LT(comparer.Compare(userDefined, eAcute, &map), 0);
    EXPECT_LT(comparer.Compare(eAcute, emoji, &map), 0);
    EXPECT_GT(comparer.Compare(eAcute, emoji), 0);  // without the map: by code, as before
}

}  // namespace
