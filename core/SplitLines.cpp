#include "core/SplitLines.h"

std::vector<std::string> SplitLines(std::string_view text)
{
    // Whatever follows a zero byte is not part of the text (the clipboard's text ends there).
    text = text.substr(0, text.find('\0'));

    // The scan is byte by byte on purpose: CR and LF are never the trail byte of a
    // double-byte character, and a stray lead byte just before a break must not swallow it.
    std::vector<std::string> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.emplace_back(text.substr(start, i - start));
            i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

std::string JoinLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) text += "\r\n";
        text += lines[i];
    }
    return text;
}
