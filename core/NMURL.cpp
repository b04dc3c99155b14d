#include "core/NMURL.h"

#include <optional>
#include <string_view>

namespace {

std::optional<int> HexDigitValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return std::nullopt;
}

// The value of one or two hexadecimal digits, either case; nothing for any other text
// (empty, a blank, a sign, a letter beyond F).
std::optional<unsigned char> HexNumber(std::string_view digits)
{
    if (digits.empty()) return std::nullopt;
    int value = 0;
    for (const char c : digits) {
        const std::optional<int> digit = HexDigitValue(c);
        if (!digit) return std::nullopt;
        value = value * 16 + *digit;
    }
    return static_cast<unsigned char>(value);
}

}  // namespace

// Encoding cannot fail on any input. A memory error is left to propagate instead of
// handing back the line unencoded: a run that did not do its work must not look done.
std::string TNMURL::Encode() const
{
    static constexpr char kHexDigits[] = "0123456789ABCDEF";
    std::string result;
    for (const char c : InputString) {
        const auto b = static_cast<unsigned char>(c);
        if (b == ' ') {
            result += '+';
        } else if ((b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z')) {
            result += c;
        } else {
            result += '%';
            result += kHexDigits[b >> 4];
            result += kHexDigits[b & 0x0F];
        }
    }
    return result;
}

std::string TNMURL::Decode() const
{
    // Byte by byte with no regard to double-byte characters: '%' and '+' are never a trail
    // byte in CP932, and decoded bytes may well form double-byte characters again.
    std::string result;
    std::size_t i = 0;
    while (i < InputString.size()) {
        const char c = InputString[i];
        if (c == '+') {
            result += ' ';
            ++i;
        } else if (c == '%') {
            // One digit is enough when the '%' is the last byte but one.
            const std::string_view digits = std::string_view(InputString).substr(i + 1, 2);
            const std::optional<unsigned char> value = HexNumber(digits);
            if (!value) {
                if (OnError) OnError(*this, "Error during decode", "'$" + std::string(digits) + "' is not a valid integer value");
                return InputString;
            }
            result += static_cast<char>(*value);
            i += 3;
        } else {
            result += c;
            ++i;
        }
    }
    return result;
}
