// Code page 932 (Shift-JIS as Windows uses it): the lead-byte test every text walker
// shares, and the conversions used at the edges (CLI in UTF-8 mode, Win32 controls).
// The lead-byte test is our own table on purpose: behaviour must not depend on the
// system code page of the machine the program runs on.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

constexpr bool IsLeadByte(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

constexpr bool IsLeadByte(char b) { return IsLeadByte(static_cast<unsigned char>(b)); }

// Byte length of the character that starts at pos: a lead byte takes the byte after it,
// whatever that byte is; a lead byte at the very end of the text stands alone.
constexpr std::size_t CharLengthAt(std::string_view text, std::size_t pos)
{
    return IsLeadByte(text[pos]) && pos + 1 < text.size() ? 2 : 1;
}

// Raised when a text cannot be converted: invalid UTF-8, a character that CP932 cannot
// hold, or CP932 bytes that do not form a character. Never replaced by '?': a silent
// substitution would destroy the user's text.
class EEncodingError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// CP932 code (byte, or lead*256+trail) of a Unicode BMP code point, or -1.
int UnicodeToCp932Code(std::uint32_t codePoint);
// Unicode code point of a CP932 code, or -1 when the code is not a character.
int Cp932CodeToUnicode(std::uint16_t code);

std::string Utf8ToCp932(std::string_view utf8);
std::string Cp932ToUtf8(std::string_view cp932);
std::u16string Cp932ToUtf16(std::string_view cp932);
std::string Utf16ToCp932(std::u16string_view utf16);
