// The peers of the regular-expression benchmark behind the search call of GSubWalk.h:
// Oniguruma over CP932 bytes, RE2 and PCRE2's DFA matcher over UTF-8.
#pragma once

#include <memory>
#include <string>

#include "bench/GSubWalk.h"
#include "bench/PatternTranslation.h"

// Peers, compiled from a pattern already in their syntax (TranslatePattern). A pattern
// the peer rejects raises EPeerCannotExpress.
std::unique_ptr<Searcher> MakeOnigurumaSearcher(const std::string& sjisPattern);
std::unique_ptr<Searcher> MakeRe2Searcher(const std::string& utf8Pattern);
std::unique_ptr<Searcher> MakePcre2DfaSearcher(const std::string& utf8Pattern);
