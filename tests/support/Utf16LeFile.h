// The bytes of a file saved as UTF-16LE with a byte order mark, as Notepad saves "Unicode".
#pragma once

#include <string>
#include <string_view>

inline std::string Utf16LeFile(std::u16string_view text)
{
    std::string bytes = "\xFF\xFE";
    for (char16_t u : text) {
        bytes += static_cast<char>(u & 0xFF);
        bytes += static_cast<char>(u >> 8);
    }
    return bytes;
}
