// The "..."_sj literal: Japanese text written readably in UTF-8 source becomes CP932
// bytes at compile time, through our own table rather than the compiler's execution
// character set (clang accepts only UTF-8 there). A character without a CP932 code
// stops the build.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "text/Cp932Table.h"

namespace sjis_detail {

template <std::size_t N>
struct Utf8Text {
    char bytes[N]{};
    constexpr Utf8Text(const char (&s)[N])
    {
        for (std::size_t i = 0; i < N; ++i) bytes[i] = s[i];
    }
};

template <std::size_t N>
struct Cp932Text {
    char bytes[N]{};  // CP932 is never longer than the UTF-8 it came from
    std::size_t size = 0;
};

// Not constexpr on purpose: reaching it during constant evaluation fails the build.
void NoCp932CodeFor(unsigned codePoint);

constexpr unsigned LookUpCp932(unsigned codePoint)
{
    std::size_t lo = 0, hi = sizeof(kUnicodeToCp932) / sizeof(kUnicodeToCp932[0]);
    while (lo < hi) {
        std::size_t mid = (lo + hi) / 2;
        if (kUnicodeToCp932[mid].from < codePoint) lo = mid + 1;
        else hi = mid;
    }
    if (lo == sizeof(kUnicodeToCp932) / sizeof(kUnicodeToCp932[0]) || kUnicodeToCp932[lo].from != codePoint)
        NoCp932CodeFor(codePoint);
    return kUnicodeToCp932[lo].to;
}

template <std::size_t N>
constexpr Cp932Text<N> Encode(const Utf8Text<N>& in)
{
    Cp932Text<N> out;
    std::size_t i = 0;
    const std::size_t len = N - 1;  // without the terminating zero
    while (i < len) {
        unsigned c = static_cast<unsigned char>(in.bytes[i]);
        unsigned cp;
        if (c < 0x80) { cp = c; i += 1; }
        else if ((c & 0xE0) == 0xC0) {
            cp = ((c & 0x1F) << 6) | (static_cast<unsigned char>(in.bytes[i + 1]) & 0x3F);
            i += 2;
        } else {
            cp = ((c & 0x0F) << 12) | ((static_cast<unsigned char>(in.bytes[i + 1]) & 0x3F) << 6)
                 | (static_cast<unsigned char>(in.bytes[i + 2]) & 0x3F);
            i += 3;
        }
        unsigned code = cp < 0x80 ? cp : LookUpCp932(cp);
        if (code > 0xFF) out.bytes[out.size++] = static_cast<char>(code >> 8);
        out.bytes[out.size++] = static_cast<char>(code & 0xFF);
    }
    return out;
}

template <Utf8Text S>
inline constexpr auto kEncoded = Encode(S);

}  // namespace sjis_detail

template <sjis_detail::Utf8Text S>
constexpr std::string_view operator""_sj()
{
    return std::string_view(sjis_detail::kEncoded<S>.bytes, sjis_detail::kEncoded<S>.size);
}

// The literal's bytes as a std::string. Initializing a std::string straight from the
// literal crashes clang 14 (it tries to evaluate the constructor at compile time); going
// through this ordinary function avoids that.
inline std::string SjString(std::string_view cp932) { return std::string(cp932); }
