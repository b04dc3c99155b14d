// Character routines of the regular-expression engine.
//
// Every stage works on 16-bit character codes, not bytes: a single-byte character is its
// byte, a CP932 double-byte character is lead*256+trail, and 0 means "no character" (the
// end of a text, or a zero byte, which ends every text). Positions are 1-based byte
// indexes into a std::string; a position one past the last byte is the end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "text/Cp932.h"

using TRECharCode = std::uint16_t;

// The exception of every pattern and replacement-template syntax error. The message is
// CP932; ErrorPos is the 1-based byte position at which the error was detected. It is a
// full-width integer so that positions in long patterns are reported as they are.
class ERegExpParser : public std::runtime_error {
public:
    ERegExpParser(std::string_view message, int errorPos)
        : std::runtime_error(std::string(message)), ErrorPos(errorPos) {}
    int ErrorPos;
};

TRECharCode GetChar(std::string_view text, int& position);
void UngetChar(std::string_view text, int& position);
bool IsTrailByte(std::string_view text, std::size_t byteIndex);  // byteIndex is 0-based
std::string CharToStr(TRECharCode code);
int HexDigitValue(TRECharCode code);
int OctDigitValue(TRECharCode code);
TRECharCode DecodeEscape(std::string_view text, int& position);
TRECharCode ReadHexCode(std::string_view text, int& position);
TRECharCode ReadOctCode(std::string_view text, int& position);
// extended: "{" is a metacharacter too.
std::string QuoteMetaChars(std::string_view text, bool extended = false);

// Reads the character at cursor in a zero-terminated text and moves past it; the
// terminator reads as 0 without moving. Inline: the searches call it once per character.
inline TRECharCode NextChar(const char*& cursor)
{
    const unsigned char b = static_cast<unsigned char>(*cursor);
    if (b == 0) return 0;
    if (IsLeadByte(b) && cursor[1] != 0) {
        const TRECharCode code = static_cast<TRECharCode>(b * 256 + static_cast<unsigned char>(cursor[1]));
        cursor += 2;
        return code;
    }
    // A lone lead byte before the terminator is read as a single-byte character.
    cursor += 1;
    return b;
}

// Steps over one character of a zero-terminated text, never past the terminator.
inline const char* StepChar(const char* p)
{
    if (*p == 0) return p;
    return (IsLeadByte(static_cast<unsigned char>(*p)) && p[1] != 0) ? p + 2 : p + 1;
}
