// The line operations every line-based text process shares: split a text into lines on
// any of the three line-break forms, and join lines back with CR LF. Together they make a
// process drop one final line break and normalise lone CR and lone LF to CR LF.
#pragma once

#include <cstddef>
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

// Calls eachLine(std::string_view) for every line of text, in order, without its break. A
// line ends at CR LF, a lone CR or a lone LF (LF CR is two breaks around an empty line). A
// break at the very end makes no empty last line, an empty text has no lines, and a zero
// byte ends the text. Nothing is held per line, so line-by-line work stays within a small
// multiple of the text however many lines it has.
template <class EachLine>
void ForEachLine(std::string_view text, EachLine&& eachLine)
{
    // Whatever follows a zero byte is not part of the text (the clipboard's text ends there).
    text = text.substr(0, text.find('\0'));

    // The scan is byte by byte on purpose: CR and LF are never the trail byte of a
    // double-byte character, and a stray lead byte just before a break must not swallow it.
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            eachLine(text.substr(start, i - start));
            i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < text.size()) eachLine(text.substr(start));
}

// The lines of text, as ForEachLine gives them.
std::vector<std::string> SplitLines(std::string_view text);
// The lines as views into text, for work that needs them all at once.
std::vector<std::string_view> LineViews(std::string_view text);

// The lines (anything with size() and an operator[] giving text) with CR LF between them
// and nothing after the last, allocated once.
template <class Lines>
std::string JoinLines(const Lines& lines)
{
    std::size_t length = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) length += std::string_view(lines[i]).size() + 2;
    std::string text;
    text.reserve(length);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) text += "\r\n";
        text += lines[i];
    }
    return text;
}

// JoinLines of the mapped lines, built as they come: mapLine(line, out) appends the
// mapped line to out. extraPerLine: how many bytes a mapped line may have beyond its
// line, so that the result is allocated once (LF line ends become CR LF on top).
template <class MapLine>
std::string MapLines(std::string_view text, MapLine&& mapLine, std::size_t extraPerLine = 0)
{
    const auto lineFeeds = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    std::string out;
    out.reserve(text.size() + lineFeeds * (1 + extraPerLine) + extraPerLine);
    bool first = true;
    ForEachLine(text, [&](std::string_view line) {
        if (!first) out += "\r\n";
        first = false;
        mapLine(line, out);
    });
    return out;
}
