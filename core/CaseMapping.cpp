#include "core/CaseMapping.h"

#include "text/Cp932.h"

namespace {

// Applies `mapLetter` to every single-byte character. A lead byte takes the byte after it
// along; a lead byte that is the buffer's last byte stands alone and stays as it is.
template <typename MapLetter>
void MapSingleBytes(char* buffer, std::size_t length, MapLetter mapLetter)
{
    std::size_t i = 0;
    while (i < length) {
        if (IsLeadByte(buffer[i])) {
            i += 2;
        } else {
            buffer[i] = mapLetter(buffer[i]);
            ++i;
        }
    }
}

}  // namespace

void UpperCaseBuffer(char* buffer, std::size_t length)
{
    MapSingleBytes(buffer, length, [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
}

void LowerCaseBuffer(char* buffer, std::size_t length)
{
    MapSingleBytes(buffer, length, [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
}
