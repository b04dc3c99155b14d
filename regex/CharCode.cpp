// Reading characters and escapes from patterns and subject texts.
//
// GetChar and UngetChar walk a pattern by position and raise a syntax error for a lead
// byte cut off by the end of the pattern. NextChar walks a zero-terminated subject text
// by cursor and raises nothing: subject texts come from the clipboard and may hold any
// bytes, so a lone lead byte just before the terminator reads as a single-byte code and
// the cursor never moves past the terminator.
#include "regex/CharCode.h"

#include "text/Cp932.h"
#include "text/SjisLiteral.h"

namespace {

unsigned char ByteAt(std::string_view text, int position) { return static_cast<unsigned char>(text[position - 1]); }

}  // namespace

TRECharCode GetChar(std::string_view text, int& position)
{
    if (position < 1 || position > static_cast<int>(text.size())) return 0;
    const unsigned char b = ByteAt(text, position);
    if (IsLeadByte(b)) {
        if (position == static_cast<int>(text.size()))
            throw ERegExpParser("不正な２バイト文字コードです。"_sj, position);
        const TRECharCode code = static_cast<TRECharCode>(b * 256 + ByteAt(text, position + 1));
        position += 2;
        return code;
    }
    position += 1;
    return b;
}

bool IsTrailByte(std::string_view text, std::size_t byteIndex)
{
    std::size_t leads = 0;
    for (std::size_t i = byteIndex; i > 0 && IsLeadByte(static_cast<unsigned char>(text[i - 1])); --i) ++leads;
    return leads % 2 == 1;
}

void UngetChar(std::string_view text, int& position)
{
    if (position <= 1) return;
    if (position == 2) {
        position = 1;
        return;
    }
    // The byte before the position is the last byte of the previous character.
    position -= IsTrailByte(text, static_cast<std::size_t>(position - 2)) ? 2 : 1;
}

std::string CharToStr(TRECharCode code)
{
    const unsigned char high = static_cast<unsigned char>(code >> 8);
    const char low = static_cast<char>(code & 0xFF);
    if (IsLeadByte(high)) return std::string{static_cast<char>(high), low};
    return std::string(1, low);
}

int HexDigitValue(TRECharCode code)
{
    if (code >= '0' && code <= '9') return code - '0';
    if (code >= 'A' && code <= 'F') return code - 'A' + 10;
    if (code >= 'a' && code <= 'f') return code - 'a' + 10;
    return -1;
}

int OctDigitValue(TRECharCode code)
{
    if (code >= '0' && code <= '7') return code - '0';
    return -1;
}

TRECharCode DecodeEscape(std::string_view text, int& position)
{
    const TRECharCode ch = GetChar(text, position);
    switch (ch) {
    case 0: throw ERegExpParser("\"\\\"の次には文字が必要です。"_sj, position);
    case 'b': return 8;
    case 'r': return 13;
    case 'n': return 10;
    case 't': return 9;
    case 'x': return ReadHexCode(text, position);
    default:
        if (OctDigitValue(ch) >= 0) {
            UngetChar(text, position);
            return ReadOctCode(text, position);
        }
        return ch;
    }
}

TRECharCode ReadHexCode(std::string_view text, int& position)
{
    unsigned value = 0;
    int digits = 0;
    TRECharCode ch = GetChar(text, position);
    while (ch != 0 && HexDigitValue(ch) >= 0 && digits < 4) {
        value = value * 16 + static_cast<unsigned>(HexDigitValue(ch));
        ++digits;
        ch = GetChar(text, position);
    }
    if (digits == 0) throw ERegExpParser("不正な１６進数コード表記です。"_sj, position);
    if (ch != 0) UngetChar(text, position);
    return static_cast<TRECharCode>(value);
}

TRECharCode ReadOctCode(std::string_view text, int& position)
{
    unsigned value = 0;
    int digits = 0;
    TRECharCode ch = GetChar(text, position);
    while (ch != 0 && OctDigitValue(ch) >= 0 && digits < 6) {
        const unsigned next = value * 8 + static_cast<unsigned>(OctDigitValue(ch));
        if (next > 0xFFFF) throw ERegExpParser("不正な８進数コード表記です。"_sj, position);
        value = next;
        ++digits;
        ch = GetChar(text, position);
    }
    if (digits == 0) throw ERegExpParser("不正な８進数コード表記です。"_sj, position);
    if (ch != 0) UngetChar(text, position);
    return static_cast<TRECharCode>(value);
}

std::string QuoteMetaChars(std::string_view text, bool extended)
{
    const std::string_view kMetaChars = extended ? "^(|)+*?.[]$\\{" : "^(|)+*?.[]$\\";
    std::string result;
    int position = 1;
    for (TRECharCode ch = GetChar(text, position); ch != 0; ch = GetChar(text, position)) {
        if (ch < 0x80 && kMetaChars.find(static_cast<char>(ch)) != std::string_view::npos) result += '\\';
        result += CharToStr(ch);
    }
    return result;
}
