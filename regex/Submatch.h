// Groups of a match found by either engine. The rule (POSIX): the whole match is the
// leftmost-longest; then, walking the pattern from its start, each subexpression takes
// the longest text that still lets the rest of the pattern match exactly the rest of the
// whole match. An alternative is the first that can; a loop's iterations are each as
// long as possible in turn, never empty unless the loop matches nothing at all (and it is
// no continuation of copies, as the tail of "x+" is); a group reports its last iteration,
// and a group inside a loop that took no part in that iteration is unset.
//
// Both engines decide in that order and differ in how they answer "can this part match
// that text": the reference by memoised recursion over the pattern's nodes (polynomial,
// obviously right); the fast one by automata over the match only, never backtracking.
// For each decision the fast one runs the deciding node's automaton once backwards from
// the end of the node's text, marking at every place the states from which the node can
// still finish there; then it runs the chosen child forwards from its start, keeping only
// marked states. Every state kept can still finish, so the forward run stops within the
// text the child ends up taking: each decision costs the length of the text it divides,
// and the whole extraction is linear in the match for a fixed pattern.
#pragma once

#include <vector>

#include "regex/GroupNFA.h"
#include "regex/RegularExpression.h"

// The characters of a match and the places between them, numbered 0 .. n.
struct TREMatchText {
    TREMatchText(const TRESubject& subject, TMatchResult match);

    std::vector<const char*> Places;      // n + 1 character starts, the last the match end
    std::vector<TRECharCode> Codes;       // the n characters
    std::vector<TREBoundary> Boundaries;  // n + 1
    int Length() const { return static_cast<int>(Codes.size()); }
};

// Per group (0 .. GroupCount, 0 the whole match) its places in the match text, or -1, -1.
struct TRECaptureSpan {
    int Start = -1;
    int End = -1;
};
using TRECaptures = std::vector<TRECaptureSpan>;

TRECaptures ReferenceCaptures(const TREGroupNFA& nfa, const TREMatchText& text);
TRECaptures FastCaptures(const TREGroupNFA& nfa, const TREMatchText& text);

// The groups of a match, [0] the match itself; a group that took no part is null, null.
std::vector<TMatchResult> ExtractGroups(const TREGroupNFA& nfa, const TRESubject& subject, TMatchResult match,
                                        TREEngine engine);
