#include "core/NMURL.h"

#include <optional>
#include <string_view>
#include <vector>

#include "text/Cp932.h"
#include "text/SjisLiteral.h"
#include "text/StandIns.h"

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

// The stand-in codes of a text, in order.
std::vector<std::uint16_t> StandInCodes(std::string_view text, const TStandInMap* standIns)
{
    std::vector<std::uint16_t> codes;
    if (standIns == nullptr) return codes;
    for (std::size_t i = FindStandIn(text, *standIns); i != std::string_view::npos; i = FindStandIn(text, *standIns, i + 2))
        codes.push_back(CharCodeAt(text, i));
    return codes;
}

// Decoded bytes as CP932 text: every character a real one or a stand-in the line already
// held, passed through; a decoding that makes or breaks a stand-in fails.
void RequireCp932Text(std::string_view bytes, std::string_view line, const TStandInMap* standIns)
{
    for (std::size_t i = 0; i < bytes.size(); i += CharLengthAt(bytes, i)) {
        const bool cut = IsLeadByte(bytes[i]) && i + 1 == bytes.size();
        const std::uint16_t code = CharCodeAt(bytes, i);
        if (cut || (Cp932CodeToUnicode(code) < 0 && !(standIns && standIns->IsStandIn(code))))
            throw EEncodingError(SjString("デコードした結果がShift-JISの文字になりません"_sj));
    }
    if (StandInCodes(bytes, standIns) != StandInCodes(line, standIns))
        throw EEncodingError(SjString("デコードした結果がShift-JISの文字になりません"_sj));
}

}  // namespace

std::string TNMURL::Failed(const std::string& operation, const std::string& message) const
{
    if (OnError) OnError(*this, operation, message);
    return InputString;
}

std::string TNMURL::CodedBytes() const
{
    if (UTF8) return StandIns ? Cp932ToUtf8(InputString, *StandIns) : Cp932ToUtf8(InputString);
    if (StandIns && FindStandIn(InputString, *StandIns) != std::string_view::npos)
        throw EEncodingError(SjString("Shift-JISにない文字はShift-JISでURLエンコードできません"_sj));
    return InputString;
}

std::string TNMURL::TextOf(std::string bytes) const
{
    if (UTF8) return StandIns ? Utf8ToCp932(bytes, *StandIns) : Utf8ToCp932(bytes);
    RequireCp932Text(bytes, InputString, StandIns);
    return bytes;
}

// A memory error is left to propagate instead of handing back the line unencoded: a run
// that did not do its work must not look done.
std::string TNMURL::Encode() const
{
    static constexpr char kHexDigits[] = "0123456789ABCDEF";
    std::string bytes;
    try {
        bytes = CodedBytes();
    } catch (const EEncodingError& e) {
        return Failed("Error during encode", e.what());
    }
    std::string result;
    for (const char c : bytes) {
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
            if (!value) return Failed("Error during decode", "'$" + std::string(digits) + "' is not a valid integer value");
            result += static_cast<char>(*value);
            i += 3;
        } else {
            result += c;
            ++i;
        }
    }
    try {
        return TextOf(std::move(result));
    } catch (const EEncodingError& e) {
        return Failed("Error during decode", e.what());
    }
}
