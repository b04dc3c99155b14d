// Replacement templates, decoded once per replace: literal runs, and between them the
// match or one of its groups.
//
// Classic: "&" is the match, "\&" a literal ampersand, other escapes decoded as in
// patterns. Extended: "&" and "\0" the match; "\1".."\9", "$1".."$9" and "${n}" (n up to
// 99) a group, empty when it took no part; "\&", "\$" and "$$" literals; "\n", "\r",
// "\t" and "\x" codes as before. A reference to a group the pattern lacks is an error.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "regex/MatchTypes.h"

struct TRETemplate {
    std::vector<std::string> literals;  // literals.size() - 1 places of a reference
    std::vector<int> references;        // per place: 0 the match, n group n

    bool NeedsGroups() const;
    std::string Expand(std::string_view matched) const;
    // Expand, appended to out: a replace builds its result without a string per match.
    void AppendExpansion(std::string& out, std::string_view matched) const;
    // With groups: groups[0] the match, a group that took no part null.
    void AppendExpansion(std::string& out, const std::vector<TMatchResult>& groups) const;
};

TRETemplate PrepareClassicTemplate(std::string_view templateText);
TRETemplate PrepareExtendedTemplate(std::string_view templateText, int groupCount);
// The classic decoding of escapes in a template, as in patterns.
std::string DecodeTemplateEscapes(std::string_view s);
