// The peers of scripts/process-bench.sh for the replace process, as whole processes: read
// standard input whole, replace every match, write standard output, as morvane-cli gsub
// does. "&" in the template stands for the match.
//
//   process_peer copy                       only copies standard input to standard output
//   process_peer re2 PATTERN TEMPLATE       RE2 over the bytes (Latin-1), longest match
//   process_peer pcre2 PATTERN TEMPLATE     PCRE2 with its JIT over the bytes, Perl's match
//   process_peer gsub re2|re2-utf8|pcre2|onig PATTERN TEMPLATE
//                                           each engine's own replace with groups
//                                           (GroupReplacePeers.h: \1-\9 in the template;
//                                           re2-utf8 reads UTF-8, the others bytes)
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>
#include <string_view>

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>
#include <re2/re2.h>

#include "bench/GroupReplacePeers.h"

namespace {

std::string ReadAll()
{
    std::string input;
    char buffer[1 << 16];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, stdin)) > 0;) input.append(buffer, n);
    return input;
}

void WriteAll(const std::string& text) { std::fwrite(text.data(), 1, text.size(), stdout); }

void AppendReplacement(std::string& out, std::string_view templ, std::string_view match)
{
    for (const char c : templ) {
        if (c == '&') out += match;
        else out += c;
    }
}

// Advances past an empty match by one byte, as a replace must to go on.
std::string Re2Replace(const std::string& text, const std::string& pattern, std::string_view templ)
{
    RE2::Options options(RE2::Latin1);
    options.set_longest_match(true);
    const RE2 re(pattern, options);
    if (!re.ok()) throw std::runtime_error(re.error());
    std::string out;
    out.reserve(text.size());
    const std::string_view all(text);
    const re2::StringPiece subject(text.data(), text.size());
    std::size_t at = 0;
    re2::StringPiece match;
    while (at <= all.size() && re.Match(subject, at, all.size(), RE2::UNANCHORED, &match, 1)) {
        const std::size_t start = static_cast<std::size_t>(match.data() - all.data());
        out.append(all.substr(at, start - at));
        AppendReplacement(out, templ, std::string_view(match.data(), match.size()));
        at = start + match.size();
        if (match.empty()) {
            if (at < all.size()) out += all[at];
            ++at;
        }
    }
    if (at < all.size()) out.append(all.substr(at));
    return out;
}

std::string GroupReplace(const std::string& engine, const std::string& text, const std::string& pattern,
                         const std::string& templ)
{
    if (engine == "re2" || engine == "re2-utf8") return Re2GlobalReplace(text, pattern, templ, engine == "re2-utf8");
    if (engine == "pcre2") return Pcre2Substitute(text, pattern, templ);
    if (engine == "onig") return OnigurumaReplace(text, pattern, templ);
    throw std::runtime_error("no such engine: " + engine);
}

std::string Pcre2Replace(const std::string& text, const std::string& pattern, std::string_view templ)
{
    int error = 0;
    PCRE2_SIZE offset = 0;
    pcre2_code* code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(), 0, &error, &offset, nullptr);
    if (!code) throw std::runtime_error("pcre2 cannot compile the pattern");
    pcre2_jit_compile(code, PCRE2_JIT_COMPLETE);
    pcre2_match_data* data = pcre2_match_data_create_from_pattern(code, nullptr);
    std::string out;
    out.reserve(text.size());
    const auto* subject = reinterpret_cast<PCRE2_SPTR>(text.data());
    std::size_t at = 0;
    while (at <= text.size() && pcre2_match(code, subject, text.size(), at, 0, data, nullptr) > 0) {
        const PCRE2_SIZE* range = pcre2_get_ovector_pointer(data);
        out.append(text, at, range[0] - at);
        AppendReplacement(out, templ, std::string_view(text).substr(range[0], range[1] - range[0]));
        at = range[1];
        if (range[0] == range[1]) {
            if (at < text.size()) out += text[at];
            ++at;
        }
    }
    if (at < text.size()) out.append(text, at);
    pcre2_match_data_free(data);
    pcre2_code_free(code);
    return out;
}

}  // namespace

int main(int argc, char** argv)
{
    try {
        const std::string mode = argc > 1 ? argv[1] : "";
        if (mode == "copy" && argc == 2) {
            WriteAll(ReadAll());
            return 0;
        }
        if ((mode == "re2" || mode == "pcre2") && argc == 4) {
            const std::string input = ReadAll();
            WriteAll(mode == "re2" ? Re2Replace(input, argv[2], argv[3]) : Pcre2Replace(input, argv[2], argv[3]));
            return 0;
        }
        if (mode == "gsub" && argc == 5) {
            WriteAll(GroupReplace(argv[2], ReadAll(), argv[3], argv[4]));
            return 0;
        }
        std::fputs("usage: process_peer copy | re2 PATTERN TEMPLATE | pcre2 PATTERN TEMPLATE\n"
                   "                    | gsub re2|re2-utf8|pcre2|onig PATTERN TEMPLATE\n", stderr);
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "process_peer: %s\n", e.what());
        return 2;
    }
}
