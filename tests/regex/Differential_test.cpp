// The fast engine against the reference: the same Match and GSub results on random
// patterns and CP932 texts, under both line separators and with the fuzzy dictionary.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <utility>
#include <vector>

#include "regex/FastSearch.h"
#include "regex/RegExp.h"

namespace {

class Generator {
public:
    explicit Generator(unsigned seed) : random_(seed) {}

    std::string Pattern(int depth = 0)
    {
        std::string s;
        const int terms = 1 + Pick(3);
        for (int i = 0; i < terms; ++i) {
            if (i > 0 && Pick(4) == 0) s += '|';
            s += Factor(depth);
        }
        return s;
    }

    std::string Text()
    {
        static const char* const pieces[] = {"a", "b", "A", "\r", "\n", "\r\n", "^", "$", "\x83\x41" /* ア */,
                                             "\x83\x5C" /* ソ */, "\\", "x", " ", "\x82\xA0" /* あ */, "B",
                                             "\x93\n" /* lead byte, then an LF as its trail byte */};
        std::string s;
        const int n = Pick(14);
        for (int i = 0; i < n; ++i) s += pieces[Pick(static_cast<int>(std::size(pieces)))];
        if (Pick(8) == 0) s += "\x83";  // a lone lead byte at the end
        return s;
    }

private:
    int Pick(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }

    std::string Factor(int depth)
    {
        static const char* const atoms[] = {"a", "b", "A", ".", "[ab]", "[^a]", "[a-z]", "\\\\", "\x83\x41",
                                            "\x83\x5C", "\\r", "\\n", "^", "$", "x", "[\\x83\\x40-\\x83\\x60]"};
        std::string s;
        if (depth < 2 && Pick(5) == 0) s = "(" + Pattern(depth + 1) + ")";
        else s = atoms[Pick(static_cast<int>(std::size(atoms)))];
        switch (Pick(6)) {
        case 0: s += '*'; break;
        case 1: s += '+'; break;
        case 2: s += '?'; break;
        default: break;
        }
        return s;
    }

    std::mt19937 random_;
};

TEST(FastEngine, AgreesWithTheReference)
{
    Generator gen(20261208);
    int compared = 0;
    for (int round = 0; round < 3000; ++round) {
        const std::string pattern = gen.Pattern();
        const bool fuzzy = round % 5 == 0;
        const auto separator = round % 2 == 0 ? mcls_CRLF : mcls_LF;
        TAWKStr fast(TREEngine::Fast), reference(TREEngine::Reference);
        for (TAWKStr* awk : {&fast, &reference}) {
            awk->SetLineSeparator(separator);
            awk->SetUseFuzzyCharDic(fuzzy);
        }
        bool fastFailed = false, referenceFailed = false;
        try { fast.SetRegExp(pattern); } catch (const ERegExpParser&) { fastFailed = true; }
        try { reference.SetRegExp(pattern); } catch (const ERegExpParser&) { referenceFailed = true; }
        ASSERT_EQ(fastFailed, referenceFailed) << pattern;
        if (fastFailed) continue;
        for (int t = 0; t < 8; ++t) {
            const std::string text = gen.Text();
            int fs = 0, fl = 0, rs = 0, rl = 0;
            fast.Match(text, fs, fl);
            reference.Match(text, rs, rl);
            ASSERT_EQ(fs, rs) << "pattern " << pattern << " text " << text << " fuzzy " << fuzzy << " sep " << int(separator);
            ASSERT_EQ(fl, rl) << "pattern " << pattern << " text " << text << " fuzzy " << fuzzy << " sep " << int(separator);
            std::string fastText = text, referenceText = text;
            const int fc = fast.GSub("<&>", fastText);
            const int rc = reference.GSub("<&>", referenceText);
            ASSERT_EQ(fc, rc) << "pattern " << pattern << " text " << text << " fuzzy " << fuzzy << " sep " << int(separator);
            ASSERT_EQ(fastText, referenceText) << "pattern " << pattern << " text " << text;
            ++compared;
        }
    }
    EXPECT_GT(compared, 10000);
}

}  // namespace

namespace {

// With a budget of a few states the lazy DFA forgets its cache again and again in the
// middle of searches; the results must not change.
TEST(FastEngine, AgreesWhenTheCacheIsResetDuringSearches)
{
    Generator gen(7);
    int resets = 0;
    for (int round = 0; round < 400; ++round) {
        const std::string pattern = gen.Pattern();
        TAWKStr reference(TREEngine::Reference);
        try {
            reference.SetRegExp(pattern);
        } catch (const ERegExpParser&) {
            continue;
        }
        TREParser parser(pattern);
        parser.Run();
        auto nfa = std::make_unique<TRE_NFA>(parser, 0xFFFD, 0xFFFE);
        nfa->Run();
        TRELazyDFA lazy(std::move(nfa), 0xFFFD, 0xFFFE, 1);  // over budget from the first state on
        for (int t = 0; t < 4; ++t) {
            const std::string text = gen.Text() + gen.Text() + gen.Text();
            for (bool lineHead : {true, false}) {
                const TMatchResult want = lineHead ? reference.SearchLineAware(text.c_str()) : reference.SearchRest(text.c_str());
                const TMatchResult got = FastSearch(lazy, text.c_str(), lineHead, mcls_CRLF);
                ASSERT_EQ(got.Start == nullptr, want.Start == nullptr) << pattern << " on " << text;
                if (want.Start != nullptr) {
                    ASSERT_EQ(got.Start - text.c_str(), want.Start - text.c_str()) << pattern << " on " << text;
                    ASSERT_EQ(got.End - text.c_str(), want.End - text.c_str()) << pattern << " on " << text;
                }
            }
        }
        resets += static_cast<int>(lazy.ResetCount());
    }
    EXPECT_GT(resets, 100);
}

// Runs that reach the end of long lines again and again make the fast engine remember
// where they went (a replace of ".*[^A-Z]|[A-Z]" over capitals is the classic case); a run
// that joins a remembered one takes its result, which must be the reference's.
TEST(FastEngine, AgreesOnReplacesThatRememberTheirRuns)
{
    Generator gen(42);
    int compared = 0;
    for (int round = 0; round < 600; ++round) {
        const std::string pattern = ".*" + gen.Pattern() + "|" + gen.Pattern();
        const auto separator = round % 2 == 0 ? mcls_CRLF : mcls_LF;
        TAWKStr fast(TREEngine::Fast), reference(TREEngine::Reference);
        try {
            for (TAWKStr* awk : {&fast, &reference}) {
                awk->SetLineSeparator(separator);
                awk->SetUseFuzzyCharDic(round % 5 == 0);
                awk->SetRegExp(pattern);
            }
        } catch (const ERegExpParser&) {
            continue;
        }
        std::string text;
        while (text.size() < 300) text += gen.Text();
        std::string fastText = text, referenceText = text;
        ASSERT_EQ(fast.GSub("<&>", fastText), reference.GSub("<&>", referenceText)) << pattern << " on " << text;
        ASSERT_EQ(fastText, referenceText) << pattern << " on " << text;
        ++compared;
    }
    EXPECT_GT(compared, 300);
}

// The searches of one replace share a memo; the walk here moves on as a replace does.
std::vector<std::pair<std::ptrdiff_t, std::ptrdiff_t>> WalkMatches(const std::string& text,
                                                                   const std::function<TMatchResult(const char*, bool)>& search)
{
    std::vector<std::pair<std::ptrdiff_t, std::ptrdiff_t>> found;
    const char* p = text.c_str();
    bool lineHead = true;
    while (*p != 0) {
        const TMatchResult m = search(p, lineHead);
        if (!m.Found()) break;
        found.emplace_back(m.Start - text.c_str(), m.End - text.c_str());
        const char* next = m.End > m.Start ? m.End : StepChar(m.Start);
        if (*m.Start == 0) break;
        lineHead = next[-1] == '\n';
        p = next;
    }
    return found;
}

TEST(FastEngine, RemembersRunsOnTheClassicCaseAndAgreesAcrossCacheResets)
{
    std::string capitals;
    for (int i = 0; i < 500; ++i) capitals += static_cast<char>('A' + i * 7 % 26);
    const struct {
        const char* pattern;
        std::string text;
        std::size_t budget;
    } cases[] = {
        {".*[^A-Z]|[A-Z]", capitals, TRELazyDFA::kDefaultBudgetBytes},
        {".*[^A-Z]|[A-Z]", capitals, 1},
        {"(.*\\r|A)|[A-Z]", capitals + "\r" + capitals, 1},
        {".*Q$|[A-Z]", capitals + "Q\n" + capitals, 1},
    };
    for (const auto& c : cases) {
        TAWKStr reference(TREEngine::Reference);
        reference.SetRegExp(c.pattern);
        TREParser parser(c.pattern);
        parser.Run();
        auto nfa = std::make_unique<TRE_NFA>(parser, 0xFFFD, 0xFFFE);
        nfa->Run();
        TRELazyDFA lazy(std::move(nfa), 0xFFFD, 0xFFFE, c.budget);
        TSearchMemo memo(c.text.c_str(), c.text.c_str() + c.text.size());
        const auto fast = WalkMatches(c.text, [&](const char* p, bool lineHead) {
            return FastSearch(lazy, p, lineHead, mcls_CRLF, &memo);
        });
        EXPECT_TRUE(memo.Active()) << c.pattern;
        const auto want = WalkMatches(c.text, [&](const char* p, bool lineHead) {
            return lineHead ? reference.SearchLineAware(p) : reference.SearchRest(p);
        });
        EXPECT_EQ(fast, want) << c.pattern << " budget " << c.budget;
    }
}

// A long pattern over text that keeps beginning it again holds many attempts alive at
// once, each in a state of its own.
TEST(FastEngine, AgreesWithManyLiveAttempts)
{
    auto repeat = [](const std::string& s, int n) {
        std::string r;
        for (int i = 0; i < n; ++i) r += s;
        return r;
    };
    const struct {
        std::string pattern;
        std::string text;
    } cases[] = {
        {repeat("abc", 40) + "d", repeat("abc", 45) + "d" + repeat("abc", 50)},
        {repeat("ab", 30) + "$|b", repeat("ab", 70) + "\r\n" + repeat("ab", 20)},
        {"(" + repeat("a.", 25) + ")+x|ba", repeat("ab", 90) + "x"},
        {repeat("[ab]a", 20) + "c", repeat("aa", 60) + "c"},
    };
    for (const auto& c : cases) {
        for (bool fuzzy : {false, true}) {
            TAWKStr fast(TREEngine::Fast), reference(TREEngine::Reference);
            for (TAWKStr* awk : {&fast, &reference}) {
                awk->SetUseFuzzyCharDic(fuzzy);
                awk->SetRegExp(c.pattern);
            }
            std::string fastText = c.text, referenceText = c.text;
            EXPECT_EQ(fast.GSub("<&>", fastText), reference.GSub("<&>", referenceText)) << c.pattern;
            EXPECT_EQ(fastText, referenceText) << c.pattern << " fuzzy " << fuzzy;
        }
    }
}

}  // namespace
