#include "regex/Parser.h"

#include <algorithm>

#include "text/SjisLiteral.h"

namespace {

// Codes 0xFFFD-0xFFFF label the line markers and empty transitions of the automata, so a
// pattern escape for them must not produce such a label. No subject text has a code above
// 0xFCFF, so clamping them to 0xFFFC keeps them what they always were: characters that no
// text holds, matching nothing.
constexpr TRECharCode kHighestLiteralCode = 0xFFFC;

TRECharCode ClampLiteral(TRECharCode code) { return std::min(code, kHighestLiteralCode); }

bool EndsTerm(TREToken token) { return token == retk_Union || token == retk_RPar || token == retk_End; }

}  // namespace

TREParser::TREParser(std::string text, bool extended) : Scanner(std::move(text)) { Scanner.Extended = extended; }

void TREParser::Run()
{
    ParseTree.DisposeTree();
    Scanner.GetToken();
    ParseTree.Root = ParseRegex();
    if (Scanner.Token != retk_End) throw ERegExpParser("正規表現に余分な文字があります"_sj, Scanner.Position);
    ParseTree.MakeLeavesDisjoint();
}

TRENode* TREParser::ParseRegex()
{
    TRENode* left = ParseTerm();
    while (Scanner.Token == retk_Union) {
        Scanner.GetToken();
        TRENode* right = ParseTerm();
        left = ParseTree.MakeInternalNode(reop_Union, left, right);
    }
    return left;
}

TRENode* TREParser::ParseTerm()
{
    if (EndsTerm(Scanner.Token)) return ParseTree.MakeInternalNode(reop_Empty, nullptr, nullptr);
    TRENode* left = ParseFactor();
    while (!EndsTerm(Scanner.Token)) {
        TRENode* right = ParseFactor();
        left = ParseTree.MakeInternalNode(reop_Concat, left, right);
    }
    return left;
}

TRENode* TREParser::ParseFactor()
{
    TRENode* p = ParsePrimary();
    if (Scanner.Extended) {
        for (int count = 0; Scanner.Token == retk_Star || Scanner.Token == retk_Plus || Scanner.Token == retk_QMark ||
                            Scanner.Token == retk_Bound;
             ++count) {
            if (count == kMaxQuantifiers) throw ERegExpParser("繰り返しの指定が多すぎます"_sj, Scanner.TokenStart);
            p = ApplyQuantifier(p);
        }
        return p;
    }
    switch (Scanner.Token) {
    case retk_Star:
        p = ParseTree.MakeInternalNode(reop_Closure, p, nullptr);
        Scanner.GetToken();
        break;
    case retk_Plus:
        p = ParseTree.MakeInternalNode(reop_Concat, p, ParseTree.MakeInternalNode(reop_Closure, p, nullptr));
        Scanner.GetToken();
        break;
    case retk_QMark:
        p = ParseTree.MakeInternalNode(reop_Union, p, ParseTree.MakeInternalNode(reop_Empty, nullptr, nullptr));
        Scanner.GetToken();
        break;
    default: break;
    }
    return p;
}

TRENode* TREParser::ParsePrimary()
{
    TRENode* result = nullptr;
    switch (Scanner.Token) {
    case retk_Char:
        result = ParseTree.MakeLeaf(ClampLiteral(Scanner.Code), ClampLiteral(Scanner.Code));
        Scanner.GetToken();
        return result;
    case retk_LPar:
        if (Scanner.Extended) return ParseGroup();
        // Each level of parentheses is a level of recursion here; a bound keeps a hostile
        // pattern from overflowing the stack (the program's thread has 1 MB on Windows).
        if (++depth_ > kMaxGroupDepth) throw ERegExpParser("括弧の入れ子が深すぎます"_sj, Scanner.Position);
        Scanner.GetToken();
        result = ParseRegex();
        if (Scanner.Token != retk_RPar) throw ERegExpParser("右(閉じ)括弧が必要です"_sj, Scanner.Position);
        Scanner.GetToken();
        --depth_;
        return result;
    case retk_LBra:
    case retk_NegLBra:
        result = Scanner.Token == retk_LBra ? ParseCharClass(ParseTree) : ParseNegCharClass();
        if (Scanner.Token != retk_RBra) throw ERegExpParser("右ブラケット\"]\"が必要です"_sj, Scanner.Position);
        Scanner.GetToken();
        return result;
    case retk_Dot:
        result = ParseTree.MakeAnyCharNode();
        Scanner.GetToken();
        return result;
    case retk_LParNoCapture: return ParseGroup();
    case retk_Class:
        result = RangesNode(ParseTree, Scanner.ClassRanges);
        Scanner.GetToken();
        return result;
    case retk_WordBoundary:
    case retk_NotWordBoundary:
        result = ParseTree.MakeInternalNode(
            Scanner.Token == retk_WordBoundary ? reop_WordBoundary : reop_NotWordBoundary, nullptr, nullptr);
        Scanner.GetToken();
        return result;
    case retk_LHead:
        result = ParseTree.MakeLHeadNode(Scanner.Code);
        Scanner.GetToken();
        return result;
    case retk_LTail:
        result = ParseTree.MakeLTailNode(Scanner.Code);
        Scanner.GetToken();
        return result;
    default:
        throw ERegExpParser("普通の文字、または左括弧\"(\"が必要です"_sj, Scanner.Position);
    }
}

TRENode* TREParser::ParseCharClass(TREParseTree& tree)
{
    Scanner.GetToken();
    if (Scanner.Token == retk_RBra) throw ERegExpParser("不正なキャラクタクラス指定です。"_sj, Scanner.Position);
    TRENode* result = ClassItemLeaf(tree);
    Scanner.GetToken();
    while (Scanner.Token != retk_RBra) {
        result = tree.MakeInternalNode(reop_Union, result, ClassItemLeaf(tree));
        Scanner.GetToken();
    }
    return result;
}

TRENode* TREParser::ClassItemLeaf(TREParseTree& tree)
{
    if (Scanner.Token == retk_Class) return RangesNode(tree, Scanner.ClassRanges);
    const TRECharCode low = ClampLiteral(Scanner.Code);
    const TRECharCode high = Scanner.Token == retk_CharRange ? ClampLiteral(Scanner.HighCode) : low;
    return tree.MakeLeaf(low, high);
}

TRENode* TREParser::ParseNegCharClass()
{
    TREParseTree members;
    TREParseTree complement;
    members.Root = ParseCharClass(members);
    members.MakeLeavesDisjoint();
    complement.MakeAnyCharNode();
    for (const auto& leaf : members.Leaves) ExcludeRange(complement, leaf->Low, leaf->High);

    // A class that excludes every character the period matches would leave no node at
    // all, and no node kind matches nothing. Such a class is almost certainly a mistake,
    // so it is reported like the empty class rather than silently matching nothing.
    if (complement.Leaves.empty()) throw ERegExpParser("不正なキャラクタクラス指定です。"_sj, Scanner.Position);

    TRENode* result = ParseTree.MakeLeaf(complement.Leaves[0]->Low, complement.Leaves[0]->High);
    for (std::size_t i = 1; i < complement.Leaves.size(); ++i)
        result = ParseTree.MakeInternalNode(reop_Union, result,
                                            ParseTree.MakeLeaf(complement.Leaves[i]->Low, complement.Leaves[i]->High));
    return result;
}

void TREParser::ExcludeRange(TREParseTree& complement, TRECharCode low, TRECharCode high)
{
    std::size_t index = 0;
    while (index < complement.Leaves.size()) {
        TRENode* r = complement.Leaves[index].get();
        if (r->Low > high || low > r->High) {
            ++index;
            continue;
        }
        complement.MakeLeafOrNil(r->Low, low - 1);
        complement.MakeLeafOrNil(high + 1, r->High);
        complement.RemoveLeaf(r);
    }
}

// "(" or "(?:" up to its ")": a group node, numbered when it captures.
TRENode* TREParser::ParseGroup()
{
    if (++depth_ > kMaxGroupDepth) throw ERegExpParser("括弧の入れ子が深すぎます"_sj, Scanner.Position);
    const int capture = Scanner.Token == retk_LPar ? ++GroupCount : 0;
    Scanner.GetToken();
    TRENode* inside = ParseRegex();
    if (Scanner.Token != retk_RPar) throw ERegExpParser("右(閉じ)括弧が必要です"_sj, Scanner.Position);
    Scanner.GetToken();
    --depth_;
    TRENode* group = ParseTree.MakeInternalNode(reop_Group, inside, nullptr);
    group->Capture = capture;
    return group;
}

TRENode* TREParser::ApplyQuantifier(TRENode* p)
{
    const TREToken token = Scanner.Token;
    const int min = Scanner.BoundMin, max = Scanner.BoundMax;
    quantifierStart_ = Scanner.TokenStart;
    Scanner.GetToken();
    switch (token) {
    case retk_Star: return Repeat(p, 0, -1);
    case retk_Plus: return Repeat(p, 1, -1);
    case retk_QMark: return Repeat(p, 0, 1);
    default: return Repeat(p, min, max);
    }
}

// p{min,max} (max -1: no bound) as copies of p: p p ... then p* or nested (p(p)?)?. For
// the groups it stays one repetition: the whole is one part of the pattern (taking the
// longest text before what follows it), each copy is an iteration (its groups replace
// those of the copies before), and the copies after the first take no empty iteration.
TRENode* TREParser::Repeat(TRENode* p, int min, int max)
{
    if (max == 1 || (min == 0 && max < 0)) {  // "?", "{0,1}", "*", "{0,}": one node already
        TRENode* single = max < 0 ? ParseTree.MakeInternalNode(reop_Closure, p, nullptr)
                                  : ParseTree.MakeInternalNode(reop_Union, p, MakeEmpty());
        return min == 1 ? p : single;
    }
    const long copies = max < 0 ? min + 1 : max;
    if (ExpandedSize(p) * copies > kMaxRepeatedNodes)
        throw ERegExpParser("繰り返し\"{n,m}\"で正規表現が大きくなりすぎます"_sj, quantifierStart_);
    TRENode* copy = ParseTree.MakeInternalNode(reop_Group, p, nullptr);
    copy->Capture = TRENode::kIteration;
    TRENode* tail = nullptr;
    if (max < 0) {
        tail = ParseTree.MakeInternalNode(reop_Closure, copy, nullptr);
        tail->AfterCopies = true;
    }
    for (int i = max - 1; i >= min; --i) {  // the innermost optional copy first
        TRENode* more = tail == nullptr ? copy : ParseTree.MakeInternalNode(reop_Concat, copy, tail);
        tail = ParseTree.MakeInternalNode(reop_Union, more, MakeEmpty());
        tail->AfterCopies = i > 0;
    }
    TRENode* result = nullptr;
    for (int i = 0; i < min; ++i) result = result == nullptr ? copy : ParseTree.MakeInternalNode(reop_Concat, result, copy);
    if (tail != nullptr) result = result == nullptr ? tail : ParseTree.MakeInternalNode(reop_Concat, result, tail);
    if (result == nullptr) return MakeEmpty();
    return ParseTree.MakeInternalNode(reop_Group, result, nullptr);
}

// The nodes the automata lay for node, shared nodes counted each time they are used (at
// most kMaxRepeatedNodes + 1). Iterative: a long literal is a chain as deep as it is long.
long TREParser::ExpandedSize(const TRENode* root)
{
    const auto known = [this](const TRENode* n) { return n == nullptr || expandedSize_.count(n) != 0; };
    const auto size = [this](const TRENode* n) { return n == nullptr ? 0 : expandedSize_[n]; };
    std::vector<const TRENode*> pending{root};
    while (!pending.empty()) {
        const TRENode* n = pending.back();
        if (known(n)) {
            pending.pop_back();
        } else if (known(n->Left) && known(n->Right)) {
            expandedSize_[n] = std::min(1 + size(n->Left) + size(n->Right), kMaxRepeatedNodes + 1);
            pending.pop_back();
        } else {
            if (!known(n->Left)) pending.push_back(n->Left);
            if (!known(n->Right)) pending.push_back(n->Right);
        }
    }
    return size(root);
}

TRENode* TREParser::MakeEmpty() { return ParseTree.MakeInternalNode(reop_Empty, nullptr, nullptr); }

// A union of leaves for a list of ranges (never empty: the classes all hold something).
TRENode* TREParser::RangesNode(TREParseTree& tree, const TRERangeList& ranges)
{
    TRENode* result = nullptr;
    for (const auto& [low, high] : ranges) {
        TRENode* leaf = tree.MakeLeaf(ClampLiteral(low), ClampLiteral(high));
        result = result == nullptr ? leaf : tree.MakeInternalNode(reop_Union, result, leaf);
    }
    if (result == nullptr) throw ERegExpParser("不正なキャラクタクラス指定です。"_sj, Scanner.Position);
    return result;
}
