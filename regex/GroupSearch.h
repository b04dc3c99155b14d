// Leftmost-longest search with a TREGroupNFA, for patterns whose assertions the subset
// automata cannot express. Both engines have one:
// - fast: all attempts run together in one pass, as threads over NFA states; a state
//   reached by two threads keeps the older attempt's (they share the future), and once
//   an attempt has matched no younger one counts. Time linear in the text.
// - reference: a run of the NFA's state sets from every start in turn, the first start
//   that matches winning with its longest end.
#pragma once

#include "regex/GroupNFA.h"
#include "regex/RegularExpression.h"

// The first match at or after from (a character start of the subject's text).
TMatchResult GroupNFASearch(const TREGroupNFA& nfa, const TRESubject& subject, const char* from, TREEngine engine);
