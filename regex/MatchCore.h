// TMatchCORE: leftmost-longest search of the current DFA over zero-terminated CP932 text.
//
// The DFA is run from each character boundary in turn; the first start at which it
// accepts a prefix wins, and the longest accepted prefix there is the match. A line-head
// marker can be passed only at a line start (the text start where it counts, or right
// after LF whatever the separator setting); a line-tail marker only where a run stops at
// the line separator or the end of the text, the match then ending before the separator.
//
// Implementer's choices, for texts no pattern should meet:
// - A lone lead byte just before the terminator is a single-byte character; no step ever
//   passes the terminator.
// - A pattern character of code 0 (written "\0" or "\x0") never matches: the terminator
//   reads as code 0 without moving, so following it would repeat forever.
#pragma once

#include <cstdint>
#include <vector>

#include "regex/MatchTypes.h"
#include "regex/RegularExpression.h"
#include "regex/SearchMemo.h"

class TMatchCORE : public TRegularExpression {
public:
    explicit TMatchCORE(TREEngine engine = TREEngine::Fast) : TRegularExpression(engine) {}

    TMatchCORE_LineSeparator LineSeparator() const { return lineSeparator_; }
    void SetLineSeparator(TMatchCORE_LineSeparator value) { lineSeparator_ = value; }

    // memo: what earlier searches of the same global replace found (the fast engine's);
    // null for a single search.
    TMatchResult SearchPlain(const char* text, TSearchMemo* memo = nullptr) const;
    TMatchResult SearchLineAware(const char* text, TSearchMemo* memo = nullptr) const;
    TMatchResult SearchRest(const char* text, TSearchMemo* memo = nullptr) const;

    // The first match at or after from in the text that begins at begin: from a line head
    // (the text start, or after a line feed) as SearchLineAware, elsewhere as SearchRest.
    TMatchResult Find(const char* begin, const char* from, bool fromIsLineHead, TSearchMemo* memo = nullptr) const;
    // The groups of a match Find gave (extended syntax): [0] the match, then group 1 ..
    // GroupCount(), null where a group took no part. Made only when asked for.
    std::vector<TMatchResult> Groups(const char* begin, TMatchResult match) const;

    // Whether a line starts at position because a line feed ends just before it, whatever
    // the separator setting. from is a character boundary at or before position; a 0x0A
    // that is the trail byte of a double-byte character is no line feed. Every search and
    // every replace decides line heads here.
    static bool FollowsLineFeed(const char* from, const char* position);

protected:
    bool IsLineSeparator(TRECharCode code) const;
    const TRE_DFAState* NextState(const TRE_DFAState* state, TRECharCode code) const;
    const char* MatchLongest(const char* position, const TRE_DFAState* state) const;
    const char* MatchAtLineHead(const char* position, const TRE_DFAState* state) const;

private:
    // Runs the DFA from position while transitions exist; returns the end of the longest
    // accepted prefix (or null) and reports where and on what code the run stopped.
    const char* RunLongest(const char* position, const TRE_DFAState* state, const TRE_DFAState*& lastState,
                           TRECharCode& stopCode, const char*& stopPosition) const;

    TMatchCORE_LineSeparator lineSeparator_ = mcls_CRLF;
};
