// Rewrites one of our patterns (CP932, after the preprocessor) into the syntax of a peer
// engine so that both match the same characters, for the regular-expression benchmark.
//
// What differs and is rewritten: "." and negated classes never match CR or LF here, so
// both exclude them explicitly; groups become non-capturing; "^" is a line head and "$"
// sits before the line separator (CR under CR LF, LF under LF) or at the text end. Every
// character is written as an escape or, where the peer has none, as raw bytes, so that no
// peer meets a metacharacter by accident. The UTF-8 peers receive each class as the set
// of Unicode characters whose CP932 codes lie in it, not as a Unicode range: CP932 code
// order is not Unicode order.
#pragma once

#include <stdexcept>
#include <string>

#include "regex/MatchTypes.h"

enum class PeerSyntax {
    OnigurumaSjis,  // Ruby syntax over the CP932 bytes themselves
    Re2Utf8,
    Pcre2Utf8,      // compiled with PCRE2_UTF | PCRE2_MULTILINE
    SedUtf8,        // POSIX extended syntax of GNU sed, one line at a time
};

// The peer has no equivalent of the pattern; the message says why, for the report.
class EPeerCannotExpress : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::string TranslatePattern(const std::string& pattern, PeerSyntax syntax, TMatchCORE_LineSeparator separator);
