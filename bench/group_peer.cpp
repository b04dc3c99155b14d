// The peers of scripts/group-bench.sh: replacements whose template refers to groups, as
// whole processes (standard input whole, every match replaced, standard output). The
// template is written as for morvane-cli -E: "\1".."\9" are groups, other bytes literal.
//
//   group_peer re2 PATTERN TEMPLATE     RE2::GlobalReplace over the bytes (Latin-1)
//   group_peer pcre2 PATTERN TEMPLATE   pcre2_substitute (global) with its JIT, over the bytes
//   group_peer onig PATTERN TEMPLATE    Oniguruma over Shift-JIS text (Ruby syntax: "^" and "$" at every line)
#include <cstdio>
#include <stdexcept>
#include <string>

#define PCRE2_CODE_UNIT_WIDTH 8
#include <oniguruma.h>
#include <pcre2.h>
#include <re2/re2.h>

namespace {

std::string ReadAll()
{
    std::string input;
    char buffer[1 << 16];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, stdin)) > 0;) input.append(buffer, n);
    return input;
}

std::string Re2Replace(std::string text, const std::string& pattern, const std::string& templ)
{
    RE2::Options options(RE2::Latin1);
    options.set_longest_match(true);
    const RE2 re(pattern, options);
    if (!re.ok()) throw std::runtime_error(re.error());
    RE2::GlobalReplace(&text, re, templ);
    return text;
}

std::string Pcre2Replace(const std::string& text, const std::string& pattern, const std::string& templ)
{
    std::string replacement;  // "\1" becomes "$1"
    for (std::size_t i = 0; i < templ.size(); ++i) {
        if (templ[i] == '\\' && i + 1 < templ.size() && templ[i + 1] >= '0' && templ[i + 1] <= '9') replacement += '$';
        else if (templ[i] == '$') replacement += "$$";
        else replacement += templ[i];
    }
    int error = 0;
    PCRE2_SIZE offset = 0;
    pcre2_code* code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(), PCRE2_MULTILINE,
                                     &error, &offset, nullptr);
    if (!code) throw std::runtime_error("pcre2 cannot compile the pattern");
    pcre2_jit_compile(code, PCRE2_JIT_COMPLETE);
    std::string out(text.size() + text.size() / 4 + 64, '\0');
    for (;;) {
        PCRE2_SIZE length = out.size();
        const int rc = pcre2_substitute(code, reinterpret_cast<PCRE2_SPTR>(text.data()), text.size(), 0,
                                        PCRE2_SUBSTITUTE_GLOBAL | PCRE2_SUBSTITUTE_OVERFLOW_LENGTH, nullptr, nullptr,
                                        reinterpret_cast<PCRE2_SPTR>(replacement.data()), replacement.size(),
                                        reinterpret_cast<PCRE2_UCHAR*>(out.data()), &length);
        if (rc == PCRE2_ERROR_NOMEMORY) {
            out.resize(length);
            continue;
        }
        if (rc < 0) throw std::runtime_error("pcre2_substitute failed");
        out.resize(length);
        break;
    }
    pcre2_code_free(code);
    return out;
}

void AppendExpansion(std::string& out, const std::string& templ, const std::string& text, const OnigRegion* region)
{
    for (std::size_t i = 0; i < templ.size(); ++i) {
        if (templ[i] == '\\' && i + 1 < templ.size() && templ[i + 1] >= '0' && templ[i + 1] <= '9') {
            const int g = templ[++i] - '0';
            if (g < region->num_regs && region->beg[g] >= 0)
                out.append(text, static_cast<std::size_t>(region->beg[g]), static_cast<std::size_t>(region->end[g] - region->beg[g]));
        } else {
            out += templ[i];
        }
    }
}

std::string OnigReplace(const std::string& text, const std::string& pattern, const std::string& templ)
{
    OnigEncoding encodings[] = {ONIG_ENCODING_SJIS};
    onig_initialize(encodings, 1);
    regex_t* re = nullptr;
    OnigErrorInfo info;
    const auto* p = reinterpret_cast<const OnigUChar*>(pattern.data());
    if (onig_new(&re, p, p + pattern.size(), ONIG_OPTION_NONE, ONIG_ENCODING_SJIS, ONIG_SYNTAX_RUBY, &info) != ONIG_NORMAL)
        throw std::runtime_error("oniguruma cannot compile the pattern");
    OnigRegion* region = onig_region_new();
    const auto* start = reinterpret_cast<const OnigUChar*>(text.data());
    const auto* end = start + text.size();
    std::string out;
    out.reserve(text.size());
    std::size_t at = 0;
    while (at <= text.size()) {
        const long found = onig_search(re, start, end, start + at, end, region, ONIG_OPTION_NONE);
        if (found < 0) break;
        out.append(text, at, static_cast<std::size_t>(region->beg[0]) - at);
        AppendExpansion(out, templ, text, region);
        at = static_cast<std::size_t>(region->end[0]);
        if (region->beg[0] == region->end[0]) {
            if (at < text.size()) out += text[at];
            ++at;
        }
    }
    if (at < text.size()) out.append(text, at);
    onig_region_free(region, 1);
    onig_free(re);
    onig_end();
    return out;
}

}  // namespace

int main(int argc, char** argv)
{
    try {
        const std::string mode = argc == 4 ? argv[1] : "";
        if (mode != "re2" && mode != "pcre2" && mode != "onig") {
            std::fputs("usage: group_peer re2|pcre2|onig PATTERN TEMPLATE\n", stderr);
            return 1;
        }
        const std::string input = ReadAll();
        const std::string out = mode == "re2"     ? Re2Replace(input, argv[2], argv[3])
                                : mode == "pcre2" ? Pcre2Replace(input, argv[2], argv[3])
                                                  : OnigReplace(input, argv[2], argv[3]);
        std::fwrite(out.data(), 1, out.size(), stdout);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "group_peer: %s\n", e.what());
        return 2;
    }
}
