#include "core/SwapProcess.h"

#include "text/SplitLines.h"

namespace {

// A match of the current pattern in a subject: the pieces before, of and after it.
struct Pieces {
    bool found = false;
    std::string before;
    std::string matched;
    std::string after;
};

Pieces MatchPieces(const TAWKStr& awk, const std::string& subject)
{
    int start = 0;
    int length = 0;
    if (awk.Match(subject, start, length) == 0) return {};
    const auto offset = static_cast<std::size_t>(start - 1);
    const auto size = static_cast<std::size_t>(length);
    return {true, subject.substr(0, offset), subject.substr(offset, size), subject.substr(offset + size)};
}

std::string SwapLine(const std::string& line, const EditSet& set, TAWKStr& awk)
{
    // Leading part: everything up to the end of RLBefore's first match. RLBefore need
    // not be anchored, and the text before its match stays in front with it rather
    // than being dropped from the line.
    awk.SetRegExp(set.RLBefore);
    const Pieces before = MatchPieces(awk, line);
    const std::string head = before.found ? before.before + before.matched : std::string();
    const std::string& rest = before.found ? before.after : line;

    awk.SetRegExp(set.RLCenter);
    const Pieces center = MatchPieces(awk, rest);
    if (!center.found) return line;

    // Trailing part: from the start of the match of RLAfter anchored at the end. An
    // alternation in RLAfter gets the anchor on its last branch only, so the match may
    // stop short of the end; the text after it stays behind it rather than being lost.
    awk.SetRegExp(SwapTrailingPattern(set));
    const Pieces after = MatchPieces(awk, center.after);
    const std::string& right = after.found ? after.before : center.after;
    const std::string tail = after.found ? after.matched + after.after : std::string();

    return head + right + center.matched + center.before + tail;
}

}  // namespace

std::string SwapTrailingPattern(const EditSet& set) { return set.RLAfter + "$"; }

std::string ProcessSwap(const std::string& text, const EditSet& set, TAWKStr& awk)
{
    awk.SetUseFuzzyCharDic(false);
    awk.SetExtended(set.ExtendedRegex);
    return MapLines(text, [&](std::string_view line, std::string& out) { out += SwapLine(std::string(line), set, awk); });
}
