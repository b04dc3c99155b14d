// Conversions between CP932 and UTF-8/UTF-16 through the generated Microsoft table.
#include "text/Cp932.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "text/Cp932Table.h"

namespace {

int LookUp(const Cp932Pair* begin, const Cp932Pair* end, std::uint32_t key)
{
    if (key > 0xFFFF) return -1;
    auto it = std::lower_bound(begin, end, key, [](const Cp932Pair& p, std::uint32_t k) { return p.from < k; });
    if (it == end || it->from != key) return -1;
    return it->to;
}

void AppendUtf8(std::string& out, std::uint32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

void AppendCp932(std::string& out, std::uint32_t cp)
{
    int code = UnicodeToCp932Code(cp);
    if (code < 0) {
        char hex[16];
        std::snprintf(hex, sizeof hex, "U+%04X", static_cast<unsigned>(cp));
        throw EEncodingError(std::string("character ") + hex + " has no code in CP932");
    }
    if (code > 0xFF) out += static_cast<char>(code >> 8);
    out += static_cast<char>(code & 0xFF);
}

// Calls sink(codePoint) for each character of a CP932 text.
template <typename Sink>
void DecodeCp932(std::string_view in, Sink sink)
{
    for (std::size_t i = 0; i < in.size();) {
        unsigned char b = static_cast<unsigned char>(in[i]);
        std::uint16_t code = b;
        std::size_t width = 1;
        if (IsLeadByte(b)) {
            if (i + 1 >= in.size()) throw EEncodingError("text ends inside a double-byte character");
            code = static_cast<std::uint16_t>(b * 256 + static_cast<unsigned char>(in[i + 1]));
            width = 2;
        }
        int cp = Cp932CodeToUnicode(code);
        if (cp < 0) {
            char hex[16];
            std::snprintf(hex, sizeof hex, "0x%X", code);
            throw EEncodingError(std::string("byte sequence ") + hex + " is not a CP932 character");
        }
        sink(static_cast<std::uint32_t>(cp));
        i += width;
    }
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

std::string Utf8ToCp932(std::string_view in)
{
    std::string out;
    out.reserve(in.size());
    for (std::size_t i = 0; i < in.size();) {
        unsigned char c = static_cast<unsigned char>(in[i]);
        std::uint32_t cp;
        std::size_t extra;
        if (c < 0x80) { cp = c; extra = 0; }
        else if (c >= 0xC2 && c <= 0xDF) { cp = c & 0x1F; extra = 1; }
        else if (c >= 0xE0 && c <= 0xEF) { cp = c & 0x0F; extra = 2; }
        else if (c >= 0xF0 && c <= 0xF4) { cp = c & 0x07; extra = 3; }
        else throw EEncodingError("invalid UTF-8");
        if (extra > 0 && i + extra >= in.size())
            throw EEncodingError("invalid UTF-8: text ends inside a character");
        for (std::size_t k = 1; k <= extra; ++k) {
            unsigned char t = static_cast<unsigned char>(in[i + k]);
            if ((t & 0xC0) != 0x80) throw EEncodingError("invalid UTF-8");
            cp = (cp << 6) | (t & 0x3F);
        }
        static constexpr std::uint32_t kMin[] = {0, 0x80, 0x800, 0x10000};
        if (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            throw EEncodingError("invalid UTF-8");
        AppendCp932(out, cp);
        i += extra + 1;
    }
    return out;
}

std::string Cp932ToUtf8(std::string_view in)
{
    std::string out;
    out.reserve(in.size() * 3 / 2);
    DecodeCp932(in, [&](std::uint32_t cp) { AppendUtf8(out, cp); });
    return out;
}

std::u16string Cp932ToUtf16(std::string_view in)
{
    std::u16string out;
    out.reserve(in.size());
    DecodeCp932(in, [&](std::uint32_t cp) { out += static_cast<char16_t>(cp); });
    return out;
}

std::string Utf16ToCp932(std::u16string_view in)
{
    std::string out;
    out.reserve(in.size() * 2);
    for (char16_t u : in) {
        if (u >= 0xD800 && u <= 0xDFFF) throw EEncodingError("character outside the BMP has no code in CP932");
        AppendCp932(out, u);
    }
    return out;
}
