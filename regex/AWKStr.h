// TAWKStr: the engine's face towards the rest of the program. AWK-style Match and GSub
// over the current pattern, with "&" in a replacement template standing for the match
// and, in the extended syntax, references to its groups (regex/Template.h).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "regex/MatchCore.h"
#include "regex/Template.h"

class TAWKStr : public TMatchCORE {
public:
    // Appends the built-in fuzzy-character dictionary.
    explicit TAWKStr(TREEngine engine = TREEngine::Fast);

    // 1-based start of the first match (0 when none) and its length in bytes.
    int Match(const std::string& text, int& start, int& length) const;
    // The first match and its groups ([0] the match; empty when nothing matched).
    std::vector<TMatchResult> MatchGroups(const std::string& text) const;
    // Replaces every match in text; returns the number of replacements. On an error in
    // the template the text is left unchanged.
    int GSub(const std::string& templateText, std::string& text) const;

    // A template decoded once, in the current syntax (an extended one checked against the
    // current pattern's groups). GSub prepares it at its first match, so a bad template
    // with no match raises nothing, as when every replacement is made afresh.
    using TPreparedTemplate = TRETemplate;
    TPreparedTemplate PrepareReplacement(std::string_view templateText) const;
    std::string ProcessEscSeq(std::string_view s) const { return DecodeTemplateEscapes(s); }
};
