#include "regex/RegularExpression.h"

namespace {

// The text a pattern matches when it is a plain run of characters (no classes, anchors,
// operators): the fast engine then searches for it as a string. Empty when it is not one,
// or when a character is one no text holds in that form (a lone lead byte, or a code
// whose high byte is no lead byte).
std::string LiteralOf(const TRENode* root)
{
    std::vector<const TRENode*> leaves;
    const TRENode* node = root;
    while (node != nullptr && node->Op == reop_Concat) {
        leaves.push_back(node->Right);
        node = node->Left;
    }
    leaves.push_back(node);
    std::string literal;
    for (auto it = leaves.rbegin(); it != leaves.rend(); ++it) {
        const TRENode* leaf = *it;
        if (leaf == nullptr || leaf->Op != reop_Char || leaf->Low != leaf->High) return {};
        const TRECharCode code = leaf->Low;
        const bool single = code > 0 && code < 0x100 && !IsLeadByte(static_cast<unsigned char>(code));
        const bool pair = code >= 0x100 && IsLeadByte(static_cast<unsigned char>(code >> 8)) && (code & 0xFF) != 0;
        if (!single && !pair) return {};
        literal += CharToStr(code);
    }
    return literal;
}

}  // namespace

TRegularExpression::TRegularExpression(TREEngine engine) : engine_(engine), preprocessor_("")
{
    cache_.push_back({"", nullptr, nullptr, false, nullptr, false});
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

void TRegularExpression::SetExtended(bool value)
{
    if (value == extended_) return;
    extended_ = value;
    preprocessor_.SetExtended(value);
    // The current pattern may mean something else, or nothing, in the other syntax: the
    // empty pattern stands until the caller sets one.
    current_ = 0;
    FRegExp.clear();
}

int TRegularExpression::IndexOfPattern(const std::string& key) const
{
    // Entry 0, the empty pattern, serves both syntaxes.
    for (std::size_t i = 0; i < cache_.size(); ++i)
        if (cache_[i].Pattern == key && (i == 0 || cache_[i].Extended == extended_)) return static_cast<int>(i);
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
            cache_.insert(cache_.begin() + 1, CacheEntry{key, nullptr, nullptr, extended_, nullptr, false});
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
        TREParser parser(text, extended_ && current_ != 0);
        parser.Run();
        auto nfa = std::make_unique<TRE_NFA>(parser, LineHeadCode(), LineTailCode());
        nfa->Run();
        auto& entry = cache_[static_cast<std::size_t>(current_)];
        if (parser.Scanner.Extended) {
            entry.Groups = std::make_unique<TREGroupNFA>(parser.ParseTree.Root, parser.GroupCount);
            entry.Boundary = nfa->BoundaryAssertions;
            if (entry.Boundary) return;
        }
        if (engine_ == TREEngine::Reference) {
            entry.DFA = std::make_unique<TRE_DFA>(*nfa);
            entry.DFA->Run();
        } else {
            entry.Lazy = std::make_unique<TRELazyDFA>(std::move(nfa), LineHeadCode(), LineTailCode());
            entry.Lazy->SetLiteral(LiteralOf(parser.ParseTree.Root));
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
    if (BoundarySearch()) return false;
    return engine_ == TREEngine::Reference ? CurrentDFA().LineHeadUsed : CurrentLazyDFA().LineHeadUsed();
}

bool TRegularExpression::HasLineTail() const
{
    if (BoundarySearch()) return false;
    return engine_ == TREEngine::Reference ? CurrentDFA().LineTailUsed : CurrentLazyDFA().LineTailUsed();
}
