#include "core/SettingsValues.h"

#include <cstdint>
#include <optional>

namespace {

int DigitValue(char c, int base)
{
    int d = -1;
    if (c >= '0' && c <= '9') d = c - '0';
    else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
    return d < base ? d : -1;
}

std::optional<int> DecodeInteger(std::string_view text)
{
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.starts_with("$")) {
        base = 16;
        text.remove_prefix(1);
    } else if (text.starts_with("0x") || text.starts_with("0X")) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty()) return std::nullopt;
    const std::uint64_t limit = base == 16 ? 0xFFFFFFFFu : (negative ? 0x80000000u : 0x7FFFFFFFu);
    std::uint64_t magnitude = 0;
    for (char c : text) {
        const int d = DigitValue(c, base);
        if (d < 0) return std::nullopt;
        magnitude = magnitude * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(d);
        if (magnitude > limit) return std::nullopt;
    }
    std::uint32_t bits = static_cast<std::uint32_t>(magnitude);
    if (negative) bits = 0u - bits;
    return static_cast<std::int32_t>(bits);
}

// Reading the profile takes a quoted string's enclosing pair off; what remains only needs
// its doubled quotes undone.
std::string DecodeQuoted(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        out += text[i];
        if (text[i] == '"' && i + 1 < text.size() && text[i + 1] == '"') ++i;
    }
    return out;
}

std::string EncodeQuoted(std::string_view text)
{
    std::string out = "\"";
    for (char c : text) {
        out += c;
        if (c == '"') out += '"';
    }
    return out + "\"";
}

std::string EncodePlain(std::string_view text)
{
    if (ProfileFile::ReadsBackUnchanged(text)) return std::string(text);
    return std::string(1, '"').append(text).append(1, '"');  // not "x" + s: GCC 12 warns falsely
}

}  // namespace

void SettingsReader::Integer(std::string_view section, std::string_view key, int& value) const
{
    if (const auto text = file_.FindString(section, key)) value = DecodeInteger(*text).value_or(value);
}

void SettingsReader::Boolean(std::string_view section, std::string_view key, bool& value) const
{
    if (const auto text = file_.FindString(section, key)) value = DecodeInteger(*text).value_or(value ? 1 : 0) != 0;
}

void SettingsReader::Plain(std::string_view section, std::string_view key, std::string& value) const
{
    if (auto text = file_.FindString(section, key)) value = std::move(*text);
}

void SettingsReader::Quoted(std::string_view section, std::string_view key, std::string& value) const
{
    if (const auto text = file_.FindString(section, key)) value = DecodeQuoted(*text);
}

void SettingsReader::HotKey(std::string_view section, std::string_view key, ShortCut& value) const
{
    if (const auto text = file_.FindString(section, key)) value = keys_.FromText(*text);
}

void SettingsWriter::Integer(std::string_view section, std::string_view key, int value)
{
    file_.WriteString(section, key, std::to_string(value));
}

void SettingsWriter::Boolean(std::string_view section, std::string_view key, bool value)
{
    file_.WriteString(section, key, value ? "1" : "0");
}

void SettingsWriter::Plain(std::string_view section, std::string_view key, std::string_view value)
{
    if (!KeepsBeyondCp932(section, key, value)) file_.WriteString(section, key, EncodePlain(value));
}

void SettingsWriter::Quoted(std::string_view section, std::string_view key, std::string_view value)
{
    if (!KeepsBeyondCp932(section, key, value)) file_.WriteString(section, key, EncodeQuoted(value));
}

void SettingsWriter::HotKey(std::string_view section, std::string_view key, ShortCut value)
{
    file_.WriteString(section, key, keys_.ToText(value));
}

bool SettingsWriter::KeepsBeyondCp932(std::string_view section, std::string_view key, std::string_view value) const
{
    return value.empty() && file_.ValueBeyondCp932(section, key);
}
