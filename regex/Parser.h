// TREParser: recursive-descent parser from pattern text to a TREParseTree.
//
// Grammar, lowest precedence first:
//   regex   = term { "|" term }
//   term    = nothing | factor { factor }
//   factor  = primary [ "*" | "+" | "?" ]
//   primary = char | "(" regex ")" | "[" members "]" | "[^" members "]" | "." | "^" | "$"
// Unions and concatenations nest to the left; "x+" is concat(x, closure(x)) sharing x.
#pragma once

#include <string>

#include "regex/ParseTree.h"
#include "regex/Scanner.h"

class TREParser {
public:
    // Deepest nesting of parentheses accepted.
    static constexpr int kMaxGroupDepth = 1000;

    explicit TREParser(std::string text);

    void Run();

    TREParseTree ParseTree;
    TREScanner Scanner;

private:
    int depth_ = 0;

    TRENode* ParseRegex();
    TRENode* ParseTerm();
    TRENode* ParseFactor();
    TRENode* ParsePrimary();
    TRENode* ParseCharClass(TREParseTree& tree);
    TRENode* ParseNegCharClass();
    TRENode* ClassItemLeaf(TREParseTree& tree);
    static void ExcludeRange(TREParseTree& complement, TRECharCode low, TRECharCode high);
};
