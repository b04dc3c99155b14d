// What a text written for the classic syntax holds that the extended syntax reads
// otherwise: in a pattern "\d \w \s \D \W \S \b", a counted repetition "{n}", "{n,}",
// "{n,m}" or "(?"; in a template "\1"-"\9" or "$1"-"$9". The classic syntax takes them as
// letters, text or character codes, which is rarely what their writer meant.
#pragma once

#include <optional>
#include <string>
#include <string_view>

struct TREExtendedHint {
    int Position = 0;       // 1-based byte position of the construct
    std::string Construct;  // as written
};

std::optional<TREExtendedHint> ExtendedConstructInPattern(std::string_view pattern);
std::optional<TREExtendedHint> ExtendedReferenceInTemplate(std::string_view templateText);
