#include "regex/RegularExpression.h"

TRegularExpression::TRegularExpression(TREEngine engine) : engine_(engine), preprocessor_("")
{
    cache_.push_back({"", nullptr, nullptr});
    current_ = 0;
    Compile(cache_[0].Pattern);
}

void TRegularExpression::SetUseFuzzyCharDic(bool value)
{
    preprocessor_.UseFuzzyCharDic = value;
    SetRegExp(FRegExp);
}

void TRegularExpression::SetUseSynonymDic(bool value)
{
    preprocessor_.UseSynonymDic = value;
    SetRegExp(FRegExp);
}

int TRegularExpression::IndexOfPattern(const std::string& key) const
{
    for (std::size_t i = 0; i < cache_.size(); ++i)
        if (cache_[i].Pattern == key) return static_cast<int>(i);
    return -1;
}

void TRegularExpression::SetRegExp(const std::string& value)
{
    // A preprocessor error leaves the pattern and the current entry as they were.
    preprocessor_.SetRegExpStr(value);
    preprocessor_.Process();
    const std::string key = preprocessor_.ProcessedRegExpStr;
    try {
        current_ = IndexOfPattern(key);
        if (current_ < 0) {
            if (static_cast<int>(cache_.size()) >= kCacheCapacity) cache_.pop_back();
            cache_.insert(cache_.begin() + 1, CacheEntry{key, nullptr, nullptr});
            current_ = 1;
            Compile(key);
        }
        FRegExp = value;
    } catch (...) {
        current_ = 0;
        FRegExp.clear();
        throw;
    }
}

void TRegularExpression::Compile(const std::string& text)
{
    try {
        TREParser parser(text);
        parser.Run();
        auto nfa = std::make_unique<TRE_NFA>(parser, LineHeadCode(), LineTailCode());
        nfa->Run();
        auto& entry = cache_[static_cast<std::size_t>(current_)];
        if (engine_ == TREEngine::Reference) {
            entry.DFA = std::make_unique<TRE_DFA>(*nfa);
            entry.DFA->Run();
        } else {
            entry.Lazy = std::make_unique<TRELazyDFA>(std::move(nfa), LineHeadCode(), LineTailCode());
        }
    } catch (...) {
        // The entry 0 (empty pattern) always compiles, so a failure is never at index 0.
        cache_.erase(cache_.begin() + current_);
        current_ = 0;
        throw;
    }
}

bool TRegularExpression::HasLineHead() const
{
    return engine_ == TREEngine::Reference ? CurrentDFA().LineHeadUsed : CurrentLazyDFA().LineHeadUsed();
}

bool TRegularExpression::HasLineTail() const
{
    return engine_ == TREEngine::Reference ? CurrentDFA().LineTailUsed : CurrentLazyDFA().LineTailUsed();
}
