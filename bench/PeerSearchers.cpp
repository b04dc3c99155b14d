#include "bench/PeerSearchers.h"

#include <oniguruma.h>
#include <re2/re2.h>

#include <cstdint>
#include <string>
#include <vector>

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

namespace {

// Leftmost-first, as Perl: it agrees with leftmost-longest wherever the benchmark's count
// check lets it run. ONIG_OPTION_FIND_LONGEST is no help: it returns the longest match
// anywhere in the range ("a|bb" on "abb" gives "bb"), not the leftmost.
class OnigurumaSearcher : public Searcher {
public:
    explicit OnigurumaSearcher(const std::string& pattern)
    {
        static const bool initialized = [] {
            OnigEncoding encodings[] = {ONIG_ENCODING_SJIS};
            return onig_initialize(encodings, 1) == ONIG_NORMAL;
        }();
        if (!initialized) throw EPeerCannotExpress("Oniguruma did not start");
        OnigErrorInfo info;
        const auto* p = reinterpret_cast<const OnigUChar*>(pattern.data());
        const int r = onig_new(&regex_, p, p + pattern.size(), ONIG_OPTION_NONE, ONIG_ENCODING_SJIS,
                               ONIG_SYNTAX_RUBY, &info);
        if (r != ONIG_NORMAL) {
            OnigUChar message[ONIG_MAX_ERROR_MESSAGE_LEN];
            onig_error_code_to_str(message, r, &info);
            throw EPeerCannotExpress(reinterpret_cast<const char*>(message));
        }
        region_ = onig_region_new();
    }
    ~OnigurumaSearcher() override
    {
        onig_region_free(region_, 1);
        onig_free(regex_);
    }

    std::optional<Span> Find(const std::string& text, std::size_t from) override
    {
        const auto* begin = reinterpret_cast<const OnigUChar*>(text.data());
        const OnigUChar* end = begin + text.size();
        const int r = onig_search(regex_, begin, end, begin + from, end, region_, ONIG_OPTION_NONE);
        if (r < 0) return std::nullopt;
        return Span{static_cast<std::size_t>(region_->beg[0]), static_cast<std::size_t>(region_->end[0])};
    }

private:
    OnigRegex regex_ = nullptr;
    OnigRegion* region_ = nullptr;
};

class Re2Searcher : public Searcher {
public:
    explicit Re2Searcher(const std::string& pattern) : regex_(pattern, Options())
    {
        if (!regex_.ok()) throw EPeerCannotExpress("RE2: " + regex_.error());
    }

    std::optional<Span> Find(const std::string& text, std::size_t from) override
    {
        re2::StringPiece match;
        if (!regex_.Match(text, from, text.size(), RE2::UNANCHORED, &match, 1)) return std::nullopt;
        const auto start = static_cast<std::size_t>(match.data() - text.data());
        return Span{start, start + match.size()};
    }

private:
    static RE2::Options Options()
    {
        RE2::Options options;
        options.set_longest_match(true);
        options.set_log_errors(false);
        options.set_max_mem(std::int64_t{256} << 20);  // room for the large classes
        return options;
    }

    RE2 regex_;
};

class Pcre2DfaSearcher : public Searcher {
public:
    explicit Pcre2DfaSearcher(const std::string& pattern)
    {
        int error = 0;
        PCRE2_SIZE offset = 0;
        code_ = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(),
                              PCRE2_UTF | PCRE2_MULTILINE, &error, &offset, nullptr);
        if (code_ == nullptr) {
            PCRE2_UCHAR message[256];
            pcre2_get_error_message(error, message, sizeof message);
            throw EPeerCannotExpress("PCRE2: " + std::string(reinterpret_cast<const char*>(message)));
        }
        // One pair is enough: the DFA matcher puts the longest match first.
        data_ = pcre2_match_data_create(1, nullptr);
    }
    ~Pcre2DfaSearcher() override
    {
        pcre2_match_data_free(data_);
        pcre2_code_free(code_);
    }

    std::optional<Span> Find(const std::string& text, std::size_t from) override
    {
        for (;;) {
            // The text was checked once when it was made; checking it at every call
            // would make a walk quadratic.
            const int r = pcre2_dfa_match(code_, reinterpret_cast<PCRE2_SPTR>(text.data()), text.size(), from,
                                          PCRE2_NO_UTF_CHECK, data_, nullptr, workspace_.data(), workspace_.size());
            if (r == PCRE2_ERROR_DFA_WSSIZE) {
                workspace_.resize(workspace_.size() * 2);
                continue;
            }
            if (r == PCRE2_ERROR_NOMATCH) return std::nullopt;
            if (r < 0) throw EPeerCannotExpress("PCRE2 DFA error " + std::to_string(r));
            const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(data_);
            return Span{ovector[0], ovector[1]};
        }
    }

private:
    pcre2_code* code_ = nullptr;
    pcre2_match_data* data_ = nullptr;
    std::vector<int> workspace_ = std::vector<int>(4096);
};

}  // namespace

std::unique_ptr<Searcher> MakeOnigurumaSearcher(const std::string& sjisPattern)
{
    return std::make_unique<OnigurumaSearcher>(sjisPattern);
}

std::unique_ptr<Searcher> MakeRe2Searcher(const std::string& utf8Pattern)
{
    return std::make_unique<Re2Searcher>(utf8Pattern);
}

std::unique_ptr<Searcher> MakePcre2DfaSearcher(const std::string& utf8Pattern)
{
    return std::make_unique<Pcre2DfaSearcher>(utf8Pattern);
}
