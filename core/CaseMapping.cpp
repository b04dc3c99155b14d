#include "core/CaseMapping.h"

#include <array>

#include "text/Cp932.h"

namespace {

// A byte's image under the mapping, and whether it is a lead byte; one table lookup a byte.
struct ByteTable {
    std::array<unsigned char, 256> Mapped{};
    std::array<bool, 256> Lead{};
};

template <typename MapLetter>
ByteTable MakeTable(MapLetter mapLetter)
{
    ByteTable table;
    for (int b = 0; b < 256; ++b) {
        table.Mapped[static_cast<std::size_t>(b)] = static_cast<unsigned char>(mapLetter(static_cast<char>(b)));
        table.Lead[static_cast<std::size_t>(b)] = IsLeadByte(static_cast<unsigned char>(b));
    }
    return table;
}

// Maps every single-byte character. A lead byte takes the byte after it along; a lead
// byte that is the buffer's last byte stands alone and stays as it is. Branch-free: the
// only thing carried from byte to byte is whether the next one is a trail byte.
void MapSingleBytes(char* buffer, std::size_t length, const ByteTable& table)
{
    bool trail = false;
    for (std::size_t i = 0; i < length; ++i) {
        const auto c = static_cast<unsigned char>(buffer[i]);
        buffer[i] = static_cast<char>(trail ? c : table.Mapped[c]);
        trail = !trail && table.Lead[c];
    }
}

}  // namespace

void UpperCaseBuffer(char* buffer, std::size_t length)
{
    static const ByteTable table =
        MakeTable([](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
    MapSingleBytes(buffer, length, table);
}

void LowerCaseBuffer(char* buffer, std::size_t length)
{
    static const ByteTable table =
        MakeTable([](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    MapSingleBytes(buffer, length, table);
}
