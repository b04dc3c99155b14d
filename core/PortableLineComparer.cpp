#include "core/PortableLineComparer.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "text/Cp932.h"
#include "text/StandIns.h"

namespace {

// One character of a line: its byte offset, its length in bytes and its sort weight.
struct Character {
    std::size_t offset = 0;
    std::size_t length = 0;
    std::uint32_t weight = 0;
    bool ignorable = false;  // hyphen or apostrophe
};

// Weight classes, each far enough above the previous one to hold all its values.
constexpr std::uint32_t kSymbolClass = 0x000;
constexpr std::uint32_t kDigitClass = 0x100;
constexpr std::uint32_t kLetterClass = 0x200;
constexpr std::uint32_t kHighByteClass = 0x300;
constexpr std::uint32_t kDoubleByteClass = 0x10000;
constexpr std::uint32_t kBeyondCp932Class = 0x20000;  // stand-ins, by the code point they stand for

Character CharacterAt(std::string_view line, std::size_t offset, const TStandInMap* standIns)
{
    const auto b = static_cast<unsigned char>(line[offset]);
    Character ch{offset, 1, 0, false};
    if (IsLeadByte(b) && offset + 1 < line.size()) {
        ch.length = 2;
        const std::uint16_t code = CharCodeAt(line, offset);
        const bool standIn = standIns && standIns->IsStandIn(code);
        ch.weight = standIn ? kBeyondCp932Class + static_cast<std::uint32_t>(standIns->CharacterOf(code))
                            : kDoubleByteClass + code;
    } else if (b >= '0' && b <= '9') {
        ch.weight = kDigitClass + b;
    } else if (b >= 'A' && b <= 'Z') {
        ch.weight = kLetterClass + (b - 'A' + 'a');
    } else if (b >= 'a' && b <= 'z') {
        ch.weight = kLetterClass + b;
    } else if (b >= 0x80) {
        ch.weight = kHighByteClass + b;  // half-width katakana, or a lead byte cut off at the end
    } else {
        ch.weight = kSymbolClass + b;
        ch.ignorable = b == '-' || b == '\'';
    }
    return ch;
}

// Walks a line's characters, either those that count at the first level or only the
// ignorable ones.
class CharacterCursor {
public:
    CharacterCursor(std::string_view line, bool ignorable, const TStandInMap* standIns, std::size_t from = 0)
        : line_(line), ignorable_(ignorable), standIns_(standIns), offset_(from)
    {
    }

    // The next character of the chosen kind, or false at the end of the line.
    bool Next(Character& ch)
    {
        while (offset_ < line_.size()) {
            ch = CharacterAt(line_, offset_, standIns_);
            offset_ += ch.length;
            if (ch.ignorable == ignorable_) return true;
        }
        return false;
    }

private:
    std::string_view line_;
    bool ignorable_;
    const TStandInMap* standIns_;
    std::size_t offset_;
};

template <typename T>
int Sign(T a, T b)
{
    return a < b ? -1 : (a > b ? 1 : 0);
}

// Lexicographic comparison of the two lines' characters of one kind; `key` picks what of a
// character counts. A line whose sequence is a prefix of the other's sorts first.
template <typename Key>
int CompareLevel(std::string_view a, std::string_view b, bool ignorable, const TStandInMap* standIns, Key key,
                 std::size_t from = 0)
{
    CharacterCursor ca(a, ignorable, standIns, from), cb(b, ignorable, standIns, from);
    Character x, y;
    for (;;) {
        const bool hasX = ca.Next(x);
        const bool hasY = cb.Next(y);
        if (!hasX || !hasY) return Sign(hasX, hasY);
        if (const int c = Sign(key(x), key(y)); c != 0) return c;
    }
}

// Where the lines' first differing character starts: the end of their longest common run
// of whole characters. Up to there both hold the same characters, which weigh the same.
std::size_t SharedCharacters(std::string_view a, std::string_view b)
{
    const std::size_t shared = static_cast<std::size_t>(
        std::mismatch(a.begin(), a.begin() + static_cast<std::ptrdiff_t>(std::min(a.size(), b.size())), b.begin()).first -
        a.begin());
    std::size_t at = 0;
    // A lead byte counts as a pair here even as the last byte of a line: in the other line
    // it may have a trail byte.
    while (at < shared && at + (IsLeadByte(a[at]) ? 2 : 1) <= shared) at += IsLeadByte(a[at]) ? 2 : 1;
    return at;
}

}  // namespace

std::uint64_t PortableLineComparer::OrderPrefix(std::string_view line, const TStandInMap* standIns) const
{
    if (standIns != nullptr && standIns->Empty()) standIns = nullptr;
    // Weights stay below 2^21 (the highest stand-in weight is 0x20000 + 0x10FFFF); 0 stands
    // for the end of the line, which sorts before every character, as a prefix does.
    constexpr int kBits = 21;
    CharacterCursor cursor(line, false, standIns);
    std::uint64_t key = 0;
    Character ch;
    for (int i = 0; i < 3; ++i) key = key << kBits | (cursor.Next(ch) ? ch.weight + 1 : 0);
    return key;
}

int PortableLineComparer::Compare(std::string_view a, std::string_view b, const TStandInMap* standIns) const
{
    // Without stand-ins no character needs looking up: a sort compares its lines many times.
    if (standIns != nullptr && standIns->Empty()) standIns = nullptr;
    if (a == b) return 0;  // a sort meets repeated lines often
    // First level: every character but hyphen and apostrophe, by weight, from the first
    // character the lines do not share.
    const auto weight = [](const Character& ch) { return ch.weight; };
    if (const int c = CompareLevel(a, b, false, standIns, weight, SharedCharacters(a, b)); c != 0) return c;
    // Tie break: the hyphens and apostrophes, by position, then by which of the two. With
    // equal first levels this level tells apart every pair of lines not equal but for case.
    return CompareLevel(a, b, true, standIns, [](const Character& ch) { return std::uint64_t{ch.offset} << 8 | ch.weight; });
}
