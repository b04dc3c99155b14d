// The regular-expression engine, chief header.
//
// Pipeline: pattern text -> TREPreProcessor (optional fuzzy/synonym widening) ->
// TREScanner tokens -> TREParser -> TREParseTree (disjoint range leaves) -> TRE_NFA ->
// TRE_DFA (bounded subset construction, sorted range transitions). TRegularExpression
// caches compiled DFAs, TMatchCORE searches leftmost-longest, and TAWKStr adds the
// AWK-style Match and GSub that the rest of the program uses.
#pragma once

#include "regex/AWKStr.h"
#include "regex/CharCode.h"
#include "regex/DFA.h"
#include "regex/FuzzyCharDic.h"
#include "regex/MatchCore.h"
#include "regex/NFA.h"
#include "regex/ParseTree.h"
#include "regex/Parser.h"
#include "regex/PreProcessor.h"
#include "regex/RegularExpression.h"
#include "regex/Scanner.h"
