// TRegularExpression: the current pattern, its compilation pipeline and a cache of the
// compiled automata of the last 30 distinct patterns.
//
// A pattern goes through the preprocessor (fuzzy-character and synonym widening), the
// parser, the NFA and the DFA construction. The cache is keyed by the preprocessed text,
// so the same pattern with the fuzzy dictionary on and off is two entries. Entry 0 always
// holds the empty pattern and is current after a failed compilation. A hit does not
// reorder entries, so a full cache evicts the entry inserted longest ago.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "regex/DFA.h"
#include "regex/GroupNFA.h"
#include "regex/LazyDFA.h"
#include "regex/PreProcessor.h"

// Which automaton a pattern is compiled into. The reference builds the whole DFA at once
// (bounded, so some patterns fail to compile) and is searched from every start; the fast
// engine builds it lazily and searches in one pass. Both give the same results.
enum class TREEngine { Fast, Reference };

class TRegularExpression {
public:
    static constexpr int kCacheCapacity = 30;

    explicit TRegularExpression(TREEngine engine = TREEngine::Fast);
    virtual ~TRegularExpression() = default;
    TRegularExpression(const TRegularExpression&) = delete;
    TRegularExpression& operator=(const TRegularExpression&) = delete;

    const std::string& RegExp() const { return FRegExp; }
    virtual void SetRegExp(const std::string& value);

    bool UseFuzzyCharDic() const { return preprocessor_.UseFuzzyCharDic; }
    void SetUseFuzzyCharDic(bool value);
    bool UseSynonymDic() const { return preprocessor_.UseSynonymDic; }
    void SetUseSynonymDic(bool value);
    // The extended syntax (captures, counted repetition, class escapes, assertions
    // anywhere); off, the classic one. It governs the patterns set after it: a switch
    // makes the empty pattern current.
    bool Extended() const { return extended_; }
    void SetExtended(bool value);
    std::vector<const TREDictionary*>& FuzzyCharDic() { return preprocessor_.FuzzyCharDicList; }
    std::vector<const TREDictionary*>& SynonymDic() { return preprocessor_.SynonymDicList; }

    virtual TRECharCode LineHeadCode() const { return 0xFFFD; }
    virtual TRECharCode LineTailCode() const { return 0xFFFE; }

    TREEngine Engine() const { return engine_; }
    // The compiled form of the current pattern: CurrentDFA for the reference engine,
    // CurrentLazyDFA for the fast one.
    const TRE_DFA& CurrentDFA() const { return *cache_[static_cast<std::size_t>(current_)].DFA; }
    TRELazyDFA& CurrentLazyDFA() const { return *cache_[static_cast<std::size_t>(current_)].Lazy; }
    bool HasLineHead() const;
    bool HasLineTail() const;
    // The extended syntax's automaton for groups, or null; with BoundarySearch it is also
    // what searches (the pattern has assertions the subset automata cannot express).
    const TREGroupNFA* CurrentGroupNFA() const { return cache_[static_cast<std::size_t>(current_)].Groups.get(); }
    bool BoundarySearch() const { return cache_[static_cast<std::size_t>(current_)].Boundary; }
    int GroupCount() const { return CurrentGroupNFA() == nullptr ? 0 : CurrentGroupNFA()->GroupCount(); }

    // The cache as it stands, for inspection: preprocessed pattern texts, newest at 1.
    int CacheCount() const { return static_cast<int>(cache_.size()); }
    const std::string& CachedPattern(int index) const { return cache_[static_cast<std::size_t>(index)].Pattern; }
    int CurrentIndex() const { return current_; }

protected:
    virtual void Compile(const std::string& text);

private:
    struct CacheEntry {
        std::string Pattern;
        std::unique_ptr<TRE_DFA> DFA;
        std::unique_ptr<TRELazyDFA> Lazy;
        bool Extended = false;
        std::unique_ptr<TREGroupNFA> Groups;
        bool Boundary = false;
    };

    int IndexOfPattern(const std::string& key) const;
    bool extended_ = false;

    TREEngine engine_;
    std::string FRegExp;
    std::vector<CacheEntry> cache_;
    int current_ = 0;
    TREPreProcessor preprocessor_;
};
