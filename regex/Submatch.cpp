#include "regex/Submatch.h"

TREMatchText::TREMatchText(const TRESubject& subject, TMatchResult match)
{
    const std::size_t bytes = static_cast<std::size_t>(match.End - match.Start);
    Places.reserve(bytes + 1);
    Codes.reserve(bytes);
    Boundaries.reserve(bytes + 1);
    TRECharCode before = subject.CodeBefore(match.Start);
    for (const char* p = match.Start;; ) {
        Places.push_back(p);
        const char* after = p;
        const TRECharCode code = NextChar(after);
        Boundaries.push_back(subject.BoundaryAt(p, before, code));
        if (p >= match.End) break;
        Codes.push_back(code);
        before = code;
        p = after;
    }
}

std::vector<TMatchResult> ExtractGroups(const TREGroupNFA& nfa, const TRESubject& subject, TMatchResult match,
                                        TREEngine engine)
{
    const TREMatchText text(subject, match);
    const TRECaptures captures =
        engine == TREEngine::Fast ? FastCaptures(nfa, text) : ReferenceCaptures(nfa, text);
    std::vector<TMatchResult> groups(captures.size());
    groups[0] = match;
    for (std::size_t g = 1; g < captures.size(); ++g)
        if (captures[g].Start >= 0)
            groups[g] = {text.Places[static_cast<std::size_t>(captures[g].Start)],
                         text.Places[static_cast<std::size_t>(captures[g].End)]};
    return groups;
}
