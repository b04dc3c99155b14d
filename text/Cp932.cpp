// Conversions between CP932 and UTF-8/UTF-16 through the generated Microsoft table, strict
// or with stand-ins for the characters beyond CP932.
#include "text/Cp932.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "text/Cp932Table.h"
#include "text/SjisLiteral.h"
#include "text/StandIns.h"

namespace {

int LookUp(const Cp932Pair* begin, const Cp932Pair* end, std::uint32_t key)
{
    if (key > 0xFFFF) return -1;
    auto it = std::lower_bound(begin, end, key, [](const Cp932Pair& p, std::uint32_t k) { return p.from < k; });
    if (it == end || it->from != key) return -1;
    return it->to;
}

// The position of the character being converted, for messages: 1-based.
std::string CharacterPosition(std::size_t index)
{
    return SjString("（"_sj) + std::to_string(index + 1) + SjString("文字目）"_sj);
}

[[noreturn]] void ThrowNoCode(char32_t c, std::size_t index)
{
    throw EEncodingError(SjString("文字 "_sj), c, SjString(" はShift-JISで表せません"_sj) + CharacterPosition(index));
}

void AppendCode(std::string& out, int code)
{
    if (code > 0xFF) out += static_cast<char>(code >> 8);
    out += static_cast<char>(code & 0xFF);
}

// Calls sink(codePoint) for each character of a UTF-8 text.
template <typename Sink>
void DecodeUtf8(std::string_view in, Sink sink)
{
    static constexpr std::uint32_t kMin[] = {0, 0x80, 0x800, 0x10000};
    for (std::size_t i = 0; i < in.size();) {
        const unsigned char c = static_cast<unsigned char>(in[i]);
        std::uint32_t cp;
        std::size_t extra;
        if (c < 0x80) { cp = c; extra = 0; }
        else if (c >= 0xC2 && c <= 0xDF) { cp = c & 0x1F; extra = 1; }
        else if (c >= 0xE0 && c <= 0xEF) { cp = c & 0x0F; extra = 2; }
        else if (c >= 0xF0 && c <= 0xF4) { cp = c & 0x07; extra = 3; }
        else extra = 4;
        bool valid = extra < 4 && i + extra < in.size();
        for (std::size_t k = 1; valid && k <= extra; ++k) {
            const unsigned char t = static_cast<unsigned char>(in[i + k]);
            valid = (t & 0xC0) == 0x80;
            cp = (cp << 6) | (t & 0x3F);
        }
        if (!valid || cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            throw EEncodingError(SjString("UTF-8として正しくないバイト列があります（"_sj) + std::to_string(i + 1) +
                                 SjString("バイト目）"_sj));
        sink(static_cast<char32_t>(cp));
        i += extra + 1;
    }
}

// Calls sink(codePoint) for each character of a UTF-16 text: a surrogate pair is one
// character, a lone surrogate stands for itself.
template <typename Sink>
void DecodeUtf16(std::u16string_view in, Sink sink)
{
    for (std::size_t i = 0; i < in.size(); ++i) {
        const char16_t u = in[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < in.size() && in[i + 1] >= 0xDC00 && in[i + 1] <= 0xDFFF) {
            sink(static_cast<char32_t>(0x10000 + ((u - 0xD800) << 10) + (in[i + 1] - 0xDC00)));
            ++i;
        } else {
            sink(static_cast<char32_t>(u));
        }
    }
}

// Calls sink(codePoint) for each character of a CP932 text; characterOf maps a code to
// its character or -1.
template <typename CharacterOf, typename Sink>
void DecodeCp932(std::string_view in, CharacterOf characterOf, Sink sink)
{
    std::size_t index = 0;
    for (std::size_t i = 0; i < in.size(); ++index) {
        const unsigned char b = static_cast<unsigned char>(in[i]);
        if (IsLeadByte(b) && i + 1 >= in.size())
            throw EEncodingError(SjString("テキストが２バイト文字の途中で終わっています"_sj) + CharacterPosition(index));
        const std::uint16_t code = CharCodeAt(in, i);
        const std::size_t width = CharLengthAt(in, i);
        const std::int32_t cp = characterOf(code);
        if (cp < 0) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "0x%X", code);
            throw EEncodingError(SjString("Shift-JISの文字でないバイト列 "_sj) + hex + SjString(" があります"_sj) +
                                 CharacterPosition(index));
        }
        sink(static_cast<char32_t>(cp));
        i += width;
    }
}

// A text's user-defined-area characters keep their own codes in the map: noted before
// any stand-in is handed out for the text's other characters.
template <typename Decode>
std::string ToCp932WithStandIns(Decode decode, TStandInMap& standIns)
{
    decode([&](char32_t c) { standIns.NoteCharacter(c); });
    std::string out;
    decode([&](char32_t c) { AppendCode(out, standIns.CodeOf(c)); });
    return out;
}

template <typename Decode>
std::string ToCp932Strict(Decode decode)
{
    std::string out;
    std::size_t index = 0;
    decode([&](char32_t c) {
        const int code = UnicodeToCp932Code(c);
        if (code < 0) ThrowNoCode(c, index);
        AppendCode(out, code);
        ++index;
    });
    return out;
}

}  // namespace

int UnicodeToCp932Code(std::uint32_t codePoint)
{
    return LookUp(std::begin(kUnicodeToCp932), std::end(kUnicodeToCp932), codePoint);
}

int Cp932CodeToUnicode(std::uint16_t code)
{
    return LookUp(std::begin(kCp932ToUnicode), std::end(kCp932ToUnicode), code);
}

EEncodingError::EEncodingError(const std::string& before, char32_t c, const std::string& after)
    : std::runtime_error(before + CodePointName(c) + after), character_(c), before_(before), after_(after)
{
}

std::string CodePointName(char32_t c)
{
    char name[16];
    std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(c));
    return name;
}

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

void AppendUtf16(std::u16string& out, char32_t cp)
{
    if (cp < 0x10000) {
        out += static_cast<char16_t>(cp);
    } else {
        out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
        out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
    }
}

std::string Utf8ToCp932(std::string_view in)
{
    return ToCp932Strict([in](auto sink) { DecodeUtf8(in, sink); });
}

std::string Utf16ToCp932(std::u16string_view in)
{
    return ToCp932Strict([in](auto sink) { DecodeUtf16(in, sink); });
}

std::string Utf8ToCp932(std::string_view in, TStandInMap& standIns)
{
    return ToCp932WithStandIns([in](auto sink) { DecodeUtf8(in, sink); }, standIns);
}

std::string Utf16ToCp932(std::u16string_view in, TStandInMap& standIns)
{
    return ToCp932WithStandIns([in](auto sink) { DecodeUtf16(in, sink); }, standIns);
}

std::string Cp932ToUtf8(std::string_view in)
{
    std::string out;
    out.reserve(in.size() * 3 / 2);
    DecodeCp932(in, Cp932CodeToUnicode, [&](char32_t cp) { AppendUtf8(out, cp); });
    return out;
}

std::u16string Cp932ToUtf16(std::string_view in)
{
    std::u16string out;
    out.reserve(in.size());
    DecodeCp932(in, Cp932CodeToUnicode, [&](char32_t cp) { AppendUtf16(out, cp); });
    return out;
}

std::string Cp932ToUtf8(std::string_view in, const TStandInMap& standIns)
{
    std::string out;
    out.reserve(in.size() * 3 / 2);
    DecodeCp932(in, [&](std::uint16_t code) { return standIns.CharacterOf(code); },
                [&](char32_t cp) { AppendUtf8(out, cp); });
    return out;
}

std::u16string Cp932ToUtf16(std::string_view in, const TStandInMap& standIns)
{
    std::u16string out;
    out.reserve(in.size());
    DecodeCp932(in, [&](std::uint16_t code) { return standIns.CharacterOf(code); },
                [&](char32_t cp) { AppendUtf16(out, cp); });
    return out;
}
