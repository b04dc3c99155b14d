#include "bench/GroupReplacePeers.h"

#include <oniguruma.h>
#include <re2/re2.h>

#include <algorithm>
#include <stdexcept>
#include <string_view>

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// \N becomes ${N}, "$" becomes "$$": pcre2_substitute's own template syntax.
std::string Pcre2Template(std::string_view templ)
{
    std::string out;
    for (std::size_t i = 0; i < templ.size(); ++i) {
        if (templ[i] == '\\' && i + 1 < templ.size() && IsDigit(templ[i + 1])) {
            out += "${";
            out += templ[++i];
            out += '}';
        } else if (templ[i] == '\\' && i + 1 < templ.size()) {
            out += templ[++i] == '$' ? "$$" : std::string(1, templ[i]);
        } else {
            out += templ[i] == '$' ? "$$" : std::string(1, templ[i]);
        }
    }
    return out;
}

class Onig {
public:
    explicit Onig(const std::string& pattern)
    {
        OnigEncoding encodings[] = {ONIG_ENCODING_SJIS};
        if (onig_initialize(encodings, 1) != ONIG_NORMAL) throw std::runtime_error("Oniguruma did not start");
        OnigErrorInfo info;
        const auto* p = reinterpret_cast<const OnigUChar*>(pattern.data());
        const int r = onig_new(&regex_, p, p + pattern.size(), ONIG_OPTION_NONE, ONIG_ENCODING_SJIS,
                               ONIG_SYNTAX_RUBY, &info);
        if (r != ONIG_NORMAL) {
            OnigUChar message[ONIG_MAX_ERROR_MESSAGE_LEN];
            onig_error_code_to_str(message, r, &info);
            throw std::runtime_error(reinterpret_cast<const char*>(message));
        }
        region_ = onig_region_new();
    }
    ~Onig()
    {
        onig_region_free(region_, 1);
        onig_free(regex_);
        onig_end();
    }
    Onig(const Onig&) = delete;
    Onig& operator=(const Onig&) = delete;

    // The next match at or after from, its groups in Region(); false when there is none.
    bool Search(const std::string& text, std::size_t from)
    {
        const auto* begin = reinterpret_cast<const OnigUChar*>(text.data());
        const OnigUChar* end = begin + text.size();
        return onig_search(regex_, begin, end, begin + from, end, region_, ONIG_OPTION_NONE) >= 0;
    }
    const OnigRegion& Region() const { return *region_; }

private:
    OnigRegex regex_ = nullptr;
    OnigRegion* region_ = nullptr;
};

void AppendExpansion(std::string& out, const std::string& text, const OnigRegion& region, std::string_view templ)
{
    for (std::size_t i = 0; i < templ.size(); ++i) {
        if (templ[i] != '\\' || i + 1 == templ.size()) {
            out += templ[i];
            continue;
        }
        const char next = templ[++i];
        if (!IsDigit(next)) {
            out += next;
            continue;
        }
        const int group = next - '0';
        if (group < region.num_regs && region.beg[group] != ONIG_REGION_NOTPOS) {
            out.append(text, region.beg[group], region.end[group] - region.beg[group]);
        }
    }
}

}  // namespace

std::string Re2GlobalReplace(std::string text, const std::string& pattern, const std::string& templ, bool utf8)
{
    RE2::Options options(utf8 ? RE2::DefaultOptions : RE2::Latin1);
    options.set_log_errors(false);
    const RE2 re("(?m)" + pattern, options);
    if (!re.ok()) throw std::runtime_error("RE2: " + re.error());
    RE2::GlobalReplace(&text, re, templ);
    return text;
}

std::string Pcre2Substitute(const std::string& text, const std::string& pattern, const std::string& templ)
{
    int error = 0;
    PCRE2_SIZE offset = 0;
    pcre2_code* code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(),
                                     PCRE2_MULTILINE, &error, &offset, nullptr);
    if (!code) throw std::runtime_error("PCRE2 cannot compile the pattern");
    pcre2_jit_compile(code, PCRE2_JIT_COMPLETE);
    const std::string replacement = Pcre2Template(templ);
    std::string out(text.size() + text.size() / 4 + 64, '\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
        PCRE2_SIZE length = out.size();
        const int r = pcre2_substitute(
            code, reinterpret_cast<PCRE2_SPTR>(text.data()), text.size(), 0,
            PCRE2_SUBSTITUTE_GLOBAL | PCRE2_SUBSTITUTE_OVERFLOW_LENGTH | PCRE2_SUBSTITUTE_UNSET_EMPTY, nullptr,
            nullptr, reinterpret_cast<PCRE2_SPTR>(replacement.data()), replacement.size(),
            reinterpret_cast<PCRE2_UCHAR*>(out.data()), &length);
        if (r >= 0) {
            out.resize(length);
            pcre2_code_free(code);
            return out;
        }
        if (r != PCRE2_ERROR_NOMEMORY) break;
        out.assign(length, '\0');  // the length it needs, then once more
    }
    pcre2_code_free(code);
    throw std::runtime_error("PCRE2 substitution failed");
}

std::string OnigurumaReplace(const std::string& text, const std::string& pattern, const std::string& templ)
{
    Onig onig(pattern);
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    std::size_t at = 0;
    while (at <= text.size() && onig.Search(text, at)) {
        const OnigRegion& region = onig.Region();
        const auto start = static_cast<std::size_t>(region.beg[0]);
        const auto end = static_cast<std::size_t>(region.end[0]);
        out.append(text, at, start - at);
        AppendExpansion(out, text, region, templ);
        at = end;
        if (start == end) {
            if (at == text.size()) break;
            const auto* p = reinterpret_cast<const OnigUChar*>(text.data()) + at;
            const std::size_t length = std::min<std::size_t>(ONIGENC_MBC_ENC_LEN(ONIG_ENCODING_SJIS, p), text.size() - at);
            out.append(text, at, length);
            at += length;
        }
    }
    if (at < text.size()) out.append(text, at);
    return out;
}
