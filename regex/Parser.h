// TREParser: recursive-descent parser from pattern text to a TREParseTree.
//
// Grammar, lowest precedence first:
//   regex   = term { "|" term }
//   term    = nothing | factor { factor }
//   factor  = primary [ "*" | "+" | "?" ]
//   primary = char | "(" regex ")" | "[" members "]" | "[^" members "]" | "." | "^" | "$"
// Unions and concatenations nest to the left; "x+" is concat(x, closure(x)) sharing x.
//
// In the extended syntax parentheses become group nodes (capturing ones numbered by their
// opening parenthesis), a factor may take several quantifiers, "{n,m}" is expanded into
// copies (shared nodes), and class escapes and word boundaries are primaries.
#pragma once

#include <string>
#include <unordered_map>

#include "regex/ParseTree.h"
#include "regex/Scanner.h"

class TREParser {
public:
    // Deepest nesting of parentheses accepted.
    static constexpr int kMaxGroupDepth = 1000;

    // Most quantifiers one atom may take in a row ("a*{2}"): each nests the tree deeper.
    static constexpr int kMaxQuantifiers = 8;
    // Most nodes a counted repetition may expand to, its operand's own expansion counted:
    // "(.{1000}){1000}" would make automata of millions of states.
    static constexpr long kMaxRepeatedNodes = 100'000;

    explicit TREParser(std::string text, bool extended = false);

    void Run();

    TREParseTree ParseTree;
    TREScanner Scanner;
    int GroupCount = 0;  // capturing groups of the extended syntax

private:
    int depth_ = 0;
    int quantifierStart_ = 0;  // where the quantifier being applied begins
    std::unordered_map<const TRENode*, long> expandedSize_;

    TRENode* ParseGroup();
    TRENode* ApplyQuantifier(TRENode* p);
    TRENode* Repeat(TRENode* p, int min, int max);
    TRENode* MakeEmpty();
    long ExpandedSize(const TRENode* node);
    TRENode* RangesNode(TREParseTree& tree, const TRERangeList& ranges);
    TRENode* ParseRegex();
    TRENode* ParseTerm();
    TRENode* ParseFactor();
    TRENode* ParsePrimary();
    TRENode* ParseCharClass(TREParseTree& tree);
    TRENode* ParseNegCharClass();
    TRENode* ClassItemLeaf(TREParseTree& tree);
    static void ExcludeRange(TREParseTree& complement, TRECharCode low, TRECharCode high);
};
