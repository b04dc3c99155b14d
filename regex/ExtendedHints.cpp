#include "regex/ExtendedHints.h"

#include "text/Cp932.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The length of a counted repetition "{n}", "{n,}" or "{n,m}" at i, or 0.
std::size_t CountedRepetitionAt(std::string_view text, std::size_t i)
{
    std::size_t j = i + 1;
    const std::size_t digits = j;
    while (j < text.size() && IsDigit(text[j])) ++j;
    if (j == digits) return 0;
    if (j < text.size() && text[j] == ',') {
        ++j;
        while (j < text.size() && IsDigit(text[j])) ++j;
    }
    return j < text.size() && text[j] == '}' ? j + 1 - i : 0;
}

std::optional<TREExtendedHint> Hint(std::string_view text, std::size_t i, std::size_t length)
{
    return TREExtendedHint{static_cast<int>(i) + 1, std::string(text.substr(i, length))};
}

}  // namespace

std::optional<TREExtendedHint> ExtendedConstructInPattern(std::string_view pattern)
{
    for (std::size_t i = 0; i < pattern.size(); i += CharLengthAt(pattern, i)) {
        const char c = pattern[i];
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        if (c == '\\' && next != '\0') {
            if (std::string_view("dwsDWSb").find(next) != std::string_view::npos) return Hint(pattern, i, 2);
            i += 1;  // the escaped character is no construct of its own
        } else if (c == '(' && next == '?') {
            return Hint(pattern, i, 2);
        } else if (c == '{') {
            if (const std::size_t length = CountedRepetitionAt(pattern, i)) return Hint(pattern, i, length);
        }
    }
    return std::nullopt;
}

std::optional<TREExtendedHint> ExtendedReferenceInTemplate(std::string_view templateText)
{
    for (std::size_t i = 0; i < templateText.size(); i += CharLengthAt(templateText, i)) {
        const char c = templateText[i];
        const char next = i + 1 < templateText.size() ? templateText[i + 1] : '\0';
        if ((c == '\\' || c == '$') && next >= '1' && next <= '9') return Hint(templateText, i, 2);
        if (c == '\\' && next != '\0') i += 1;
    }
    return std::nullopt;
}
