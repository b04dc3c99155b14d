#include "core/ProfileUtf16.h"

#include "text/Cp932.h"

namespace {

bool IsHighSurrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

constexpr std::string_view kNoCp932Character = "\x81\x48";  // "？"

}  // namespace

bool StartsWithUtf16LeBom(std::string_view bytes) { return bytes.starts_with(kUtf16LeBom); }

std::u16string Utf16LeUnits(std::string_view bytes)
{
    std::u16string units;
    units.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        units += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8);
    return units;
}

void AppendUtf16Le(std::string& out, std::u16string_view units)
{
    for (char16_t u : units) {
        out += static_cast<char>(u & 0xFF);
        out += static_cast<char>(u >> 8);
    }
}

Cp932Reading ReadAsCp932(std::u16string_view line)
{
    Cp932Reading reading;
    reading.Text.reserve(line.size());
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char16_t u = line[i];
        const int code = IsHighSurrogate(u) || IsLowSurrogate(u) ? -1 : UnicodeToCp932Code(u);
        if (code < 0) {
            // A surrogate pair is one character beyond CP932.
            if (IsHighSurrogate(u) && i + 1 < line.size() && IsLowSurrogate(line[i + 1])) ++i;
            reading.Text += kNoCp932Character;
            reading.Exact = false;
        } else if (code > 0xFF) {
            reading.Text += static_cast<char>(code >> 8);
            reading.Text += static_cast<char>(code & 0xFF);
        } else {
            reading.Text += static_cast<char>(code);
        }
    }
    return reading;
}

bool ConvertsToUtf16(std::string_view cp932)
{
    try {
        Cp932ToUtf16(cp932);
        return true;
    } catch (const EEncodingError&) {
        return false;
    }
}
