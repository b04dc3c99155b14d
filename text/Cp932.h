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

// The code (byte, or lead*256+trail) of the character that starts at pos.
constexpr std::uint16_t CharCodeAt(std::string_view text, std::size_t pos)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (CharLengthAt(text, pos) == 1) return lead;
    return static_cast<std::uint16_t>(lead * 256 + static_cast<unsigned char>(text[pos + 1]));
}

// Raised when a text cannot be converted: invalid UTF-8, a character that CP932 cannot
// hold where no stand-in may carry it, or CP932 bytes that do not form a character. Never
// replaced by '?': a silent substitution would destroy the user's text. The message is
// Japanese CP932; where it is about one character, that character is kept apart, since
// CP932 cannot show it: the edges that can (UTF-8, UTF-16) put it beside its U+XXXX.
class EEncodingError : public std::runtime_error {
public:
    explicit EEncodingError(const std::string& message) : std::runtime_error(message) {}
    // before + "U+XXXX" + after, about character c.
    EEncodingError(const std::string& before, char32_t c, const std::string& after);

    char32_t Character() const { return character_; }  // 0 when about no one character
    const std::string& Before() const { return before_; }
    const std::string& After() const { return after_; }

private:
    char32_t character_ = 0;
    std::string before_, after_;
};

// "U+00E9" for a code point: at least four upper-case hexadecimal digits.
std::string CodePointName(char32_t c);

class TStandInMap;

// CP932 code (byte, or lead*256+trail) of a Unicode BMP code point, or -1. Exact: the
// code converts back to the same character.
int UnicodeToCp932Code(std::uint32_t codePoint);
// Unicode code point of a CP932 code, or -1 when the code is not a character.
int Cp932CodeToUnicode(std::uint16_t code);

// Strict conversions: a character beyond CP932 raises EEncodingError.
std::string Utf8ToCp932(std::string_view utf8);
std::string Cp932ToUtf8(std::string_view cp932);
std::u16string Cp932ToUtf16(std::string_view cp932);
std::string Utf16ToCp932(std::u16string_view utf16);

// Lossless conversions: a character beyond CP932 travels by its stand-in of the map (see
// StandIns.h), and back. In UTF-16 a surrogate pair is one character and a lone surrogate
// is kept as it is.
std::string Utf8ToCp932(std::string_view utf8, TStandInMap& standIns);
std::string Cp932ToUtf8(std::string_view cp932, const TStandInMap& standIns);
std::u16string Cp932ToUtf16(std::string_view cp932, const TStandInMap& standIns);
std::string Utf16ToCp932(std::u16string_view utf16, TStandInMap& standIns);

// Appends a code point as UTF-8 or UTF-16.
void AppendUtf8(std::string& out, char32_t c);
void AppendUtf16(std::u16string& out, char32_t c);
