// Code page 932 (Shift-JIS as Windows uses it): the lead-byte test every text walker
// shares, and the conversions used at the edges (CLI in UTF-8 mode, Win32 controls).
// The lead-byte test is our own table on purpose: behaviour must not depend on the
// system code page of the machine the program runs on.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

constexpr bool IsLeadByte(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

constexpr bool IsLeadByte(char b) { return IsLeadByte(static_cast<unsigned char>(b)); }

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
