// libFuzzer target: the fast engine must give the reference's results. The input is
// "flags byte, pattern, 0xFF, template, 0xFF, text"; flag bit 0 selects LF separation,
// bit 1 the fuzzy dictionary, bit 2 the extended syntax (whose groups are compared too).
// A difference aborts, so the fuzzer reports it.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "regex/RegExp.h"

namespace {

std::string NextField(const std::uint8_t*& data, const std::uint8_t* end)
{
    const std::uint8_t* start = data;
    while (data < end && *data != 0xFF) ++data;
    std::string field(reinterpret_cast<const char*>(start), static_cast<std::size_t>(data - start));
    if (data < end) ++data;
    return field;
}

[[noreturn]] void Differ(const char* what, const std::string& pattern, const std::string& text)
{
    std::fprintf(stderr, "engines differ on %s: pattern [%s] text [%s]\n", what, pattern.c_str(), text.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1 || size > 4096) return 0;
    const std::uint8_t flags = data[0];
    const std::uint8_t* p = data + 1;
    const std::uint8_t* end = data + size;
    const std::string pattern = NextField(p, end);
    const std::string templateText = NextField(p, end);
    const std::string text(reinterpret_cast<const char*>(p), static_cast<std::size_t>(end - p));
    if (pattern.size() > 200) return 0;  // keeps the eager reference construction quick

    TAWKStr fast(TREEngine::Fast), reference(TREEngine::Reference);
    for (TAWKStr* awk : {&fast, &reference}) {
        awk->SetLineSeparator(flags & 1 ? mcls_LF : mcls_CRLF);
        try {
            awk->SetExtended(flags & 4);
            awk->SetUseFuzzyCharDic(flags & 2);
        } catch (const ERegExpParser&) {
        }
    }
    bool fastFailed = false, referenceFailed = false;
    try { fast.SetRegExp(pattern); } catch (const ERegExpParser&) { fastFailed = true; }
    try { reference.SetRegExp(pattern); } catch (const ERegExpParser& e) { referenceFailed = true; }
    if (referenceFailed) return 0;  // includes the reference's state bound, which the fast engine lacks
    if (fastFailed) Differ("compilation", pattern, text);

    int fs = 0, fl = 0, rs = 0, rl = 0;
    fast.Match(text, fs, fl);
    reference.Match(text, rs, rl);
    if (fs != rs || fl != rl) Differ("Match", pattern, text);
    // The reference's groups take polynomial time in the match and the pattern: short ones only.
    if (fl <= 24 && fast.CurrentGroupNFA() != nullptr && fast.CurrentGroupNFA()->StateCount() <= 4000) {
        const std::vector<TMatchResult> fastGroups = fast.MatchGroups(text), referenceGroups = reference.MatchGroups(text);
        for (std::size_t g = 0; g < fastGroups.size(); ++g)
            if (fastGroups[g].Start != referenceGroups[g].Start || fastGroups[g].End != referenceGroups[g].End)
                Differ("groups", pattern, text);
    }

    std::string fastText = text, referenceText = text;
    int fastCount = -1, referenceCount = -1;
    bool fastError = false, referenceError = false;
    try { fastCount = fast.GSub(templateText, fastText); } catch (const ERegExpParser&) { fastError = true; }
    try { referenceCount = reference.GSub(templateText, referenceText); } catch (const ERegExpParser&) { referenceError = true; }
    if (fastError != referenceError || fastCount != referenceCount || fastText != referenceText)
        Differ("GSub", pattern, text);
    return 0;
}
