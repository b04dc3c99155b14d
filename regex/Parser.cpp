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

TREParser::TREParser(std::string text) : Scanner(std::move(text)) {}

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
