// One search call that every engine of the regular-expression benchmark answers, and the
// walk over a text that GSub makes, so that every engine counts and replaces the same way.
//
// The walk: search from the text start; after a match go on from its end; after an empty
// match copy one character first (a double-byte or UTF-8 character whole, and CR LF as one
// under CR LF separation) and stop at the text end, so that no empty match is counted
// there. This is GSub's rule, which differs from Perl's and sed's at empty matches; the
// peers are walked by it too, so that their counts are comparable with ours.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "regex/RegExp.h"

struct Span {
    std::size_t Start;
    std::size_t End;
};

class Searcher {
public:
    virtual ~Searcher() = default;
    // The leftmost-longest match at or after from; the bytes before from are context.
    virtual std::optional<Span> Find(const std::string& text, std::size_t from) = 0;
};

enum class TextEncoding { Cp932, Utf8 };

std::size_t CountMatches(Searcher& searcher, const std::string& text, TextEncoding encoding,
                         TMatchCORE_LineSeparator separator);
// Wraps every match in "<" and ">"; count receives the number of matches.
std::string ReplaceMatches(Searcher& searcher, const std::string& text, TextEncoding encoding,
                           TMatchCORE_LineSeparator separator, std::size_t& count);

// Ours, through the search calls GSub makes: at a line start the one GSub uses first,
// elsewhere SearchRest; the searches of one walk share a memo, as GSub's do.
class OurSearcher : public Searcher {
public:
    explicit OurSearcher(const TAWKStr& awk) : awk_(awk) {}
    std::optional<Span> Find(const std::string& text, std::size_t from) override;

private:
    const TAWKStr& awk_;
    std::optional<TSearchMemo> memo_;  // for the walk that began at from 0
};
