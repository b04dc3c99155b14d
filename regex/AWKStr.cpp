#include "regex/AWKStr.h"

#include <cstring>

TAWKStr::TAWKStr(TREEngine engine) : TMatchCORE(engine) { FuzzyCharDic().push_back(&DefaultFuzzyCharDic()); }

int TAWKStr::Match(const std::string& text, int& start, int& length) const
{
    const char* begin = text.c_str();
    const TMatchResult m = Find(begin, begin, true);
    if (!m.Found()) {
        start = 0;
        length = 0;
        return 0;
    }
    start = static_cast<int>(m.Start - begin) + 1;
    length = static_cast<int>(m.End - m.Start);
    return start;
}

std::vector<TMatchResult> TAWKStr::MatchGroups(const std::string& text) const
{
    const TMatchResult m = Find(text.c_str(), text.c_str(), true);
    if (!m.Found()) return {};
    return Groups(text.c_str(), m);
}

TAWKStr::TPreparedTemplate TAWKStr::PrepareReplacement(std::string_view templateText) const
{
    return Extended() ? PrepareExtendedTemplate(templateText, GroupCount()) : PrepareClassicTemplate(templateText);
}

int TAWKStr::GSub(const std::string& templateText, std::string& text) const
{
    // The subject ends at the first zero byte, as for every reader of the engine; any
    // bytes after it are kept unchanged behind the result.
    const char* const begin = text.c_str();
    const char* const subjectEnd = begin + std::strlen(begin);

    TSearchMemo memo(begin, subjectEnd);
    TMatchResult m = Find(begin, begin, true, &memo);
    if (!m.Found()) return 0;
    const TPreparedTemplate prepared = PrepareReplacement(templateText);
    const bool withGroups = prepared.NeedsGroups();
    if (begin == subjectEnd) {
        std::string expansion;
        if (withGroups) prepared.AppendExpansion(expansion, Groups(begin, m));
        else prepared.AppendExpansion(expansion, std::string_view());
        text = expansion + text;
        return 1;
    }

    std::string acc;
    // Most replaces change the length little: one allocation instead of a dozen regrowths,
    // each of which copies the text and, for large texts, faults in fresh pages.
    acc.reserve(text.size() + text.size() / 8);
    const char* rest = begin;
    int count = 0;
    for (;;) {
        acc.append(rest, m.Start);
        if (withGroups) prepared.AppendExpansion(acc, Groups(begin, m));
        else prepared.AppendExpansion(acc, std::string_view(m.Start, static_cast<std::size_t>(m.End - m.Start)));
        const char* end = m.End;
        if (m.Start == m.End && end < subjectEnd) {
            // An empty match: copy the character after it unchanged. A CR LF pair counts
            // as one character under CR LF separation, so "$" cannot match between them;
            // a CR before anything else is one byte, so a double-byte character after it
            // is never cut.
            const unsigned char b = static_cast<unsigned char>(*end);
            const bool pair = (IsLeadByte(b) || (LineSeparator() == mcls_CRLF && b == 0x0D && end[1] == 0x0A)) &&
                              end + 1 < subjectEnd;
            const char* next = end + (pair ? 2 : 1);
            acc.append(end, next);
            end = next;
        }
        ++count;
        const bool lineHead = FollowsLineFeed(m.Start, end);
        rest = end;
        if (rest == subjectEnd) break;
        m = Find(begin, rest, lineHead, &memo);
        if (!m.Found()) break;
    }
    acc.append(rest, static_cast<std::size_t>(text.size() - static_cast<std::size_t>(rest - begin)));
    text = std::move(acc);
    return count;
}
