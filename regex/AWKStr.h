// TAWKStr: the engine's face towards the rest of the program. AWK-style Match and GSub
// over the current pattern, with "&" in a replacement template standing for the match.
#pragma once

#include <string>
#include <string_view>

#include "regex/MatchCore.h"

class TAWKStr : public TMatchCORE {
public:
    // Appends the built-in fuzzy-character dictionary.
    explicit TAWKStr(TREEngine engine = TREEngine::Fast);

    void SetRegExp(const std::string& value) override;

    // 1-based start of the first match (0 when none) and its length in bytes.
    int Match(const std::string& text, int& start, int& length) const;
    // Replaces every match in text; returns the number of replacements. On an error in
    // the template the text is left unchanged.
    int GSub(const std::string& templateText, std::string& text) const;

    std::string MakeReplacement(std::string_view templateText, std::string_view matched) const;
    std::string ProcessEscSeq(std::string_view s) const;

private:
    using SearchRoutine = TMatchResult (TMatchCORE::*)(const char*) const;
    // Before the first pattern the empty pattern is current, which needs no line handling.
    SearchRoutine SearchProc = &TMatchCORE::SearchPlain;
};
