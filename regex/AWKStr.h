// TAWKStr: the engine's face towards the rest of the program. AWK-style Match and GSub
// over the current pattern, with "&" in a replacement template standing for the match.
#pragma once

#include <string>
#include <string_view>
#include <vector>

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

    // A template decoded once: literal runs, each followed by the match unless it is the
    // last. GSub prepares it at its first match, so a bad template with no match raises
    // nothing, as when every replacement is made afresh.
    struct TPreparedTemplate {
        std::vector<std::string> literals;  // literals.size() - 1 places of the match
        std::string Expand(std::string_view matched) const;
        // Expand, appended to out: a replace builds its result without a string per match.
        void AppendExpansion(std::string& out, std::string_view matched) const;
    };
    TPreparedTemplate PrepareReplacement(std::string_view templateText) const;
    std::string ProcessEscSeq(std::string_view s) const;

private:
    using SearchRoutine = TMatchResult (TMatchCORE::*)(const char*, TSearchMemo*) const;
    // Before the first pattern the empty pattern is current, which needs no line handling.
    SearchRoutine SearchProc = &TMatchCORE::SearchPlain;
};
