// Leftmost-longest search over a lazy DFA in one pass, with the results of the reference
// matcher (which runs the DFA afresh from every start position).
//
// Every start position is an attempt, and an attempt runs one thread (a DFA state), or two
// at a line head where the line-head marker applies: the plain run and the run after the
// marker, the longer result winning. All live threads advance together over the text, in
// order of their start. Two threads that reach the same state at the same position have
// the same future, so the younger one is dropped unless it has already matched; and once
// an attempt has matched, every younger attempt is dropped and no new one begins. The
// oldest attempt decides when its last thread stops. A thread stops as the reference run
// stops, and the line-tail marker is honoured at the same place: where the run stops, at
// the separator or the end of the text. The cost per character is the number of live
// threads, which the de-duplication bounds by the number of distinct states.
#pragma once

#include "regex/LazyDFA.h"
#include "regex/MatchTypes.h"
#include "regex/SearchMemo.h"

// startIsLineHead: the text start counts as a line head (the reference's SearchLineAware;
// false gives SearchRest). For patterns without markers both give SearchPlain's result.
// memo: shared by the searches of one global replace over one subject, or null.
TMatchResult FastSearch(TRELazyDFA& dfa, const char* text, bool startIsLineHead, TMatchCORE_LineSeparator separator,
                        TSearchMemo* memo = nullptr);
