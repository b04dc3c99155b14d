// The regular-expression engine, chief header.
//
// Pipeline: pattern text -> TREPreProcessor (optional fuzzy/synonym widening) ->
// TREScanner tokens -> TREParser -> TREParseTree (disjoint range leaves) -> TRE_NFA ->
// TRE_DFA (bounded subset construction, sorted range transitions). TRegularExpression
// caches compiled DFAs, TMatchCORE searches leftmost-longest, and TAWKStr adds the
// AWK-style Match and GSub that the rest of the program uses.
//
// The extended syntax adds TREGroupNFA (GroupNFA.h): the search of patterns with
// assertions anywhere (GroupSearch.h) and the extraction of groups (Submatch.h), with
// templates that refer to them (Template.h).
#pragma once

#include "regex/AWKStr.h"
#include "regex/CharCode.h"
#include "regex/DFA.h"
#include "regex/FuzzyCharDic.h"
#include "regex/GroupNFA.h"
#include "regex/GroupSearch.h"
#include "regex/MatchCore.h"
#include "regex/NFA.h"
#include "regex/ParseTree.h"
#include "regex/Parser.h"
#include "regex/PreProcessor.h"
#include "regex/RegularExpression.h"
#include "regex/Scanner.h"
#include "regex/Submatch.h"
#include "regex/Template.h"
