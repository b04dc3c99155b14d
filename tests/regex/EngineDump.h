// Compact text dumps of engine structures, so that tests can state whole trees and
// automata in one line.
#pragma once

#include <cstdio>
#include <string>

#include "regex/RegExp.h"

inline std::string DumpCode(TRECharCode c)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "%x", c);
    return buf;
}

inline std::string DumpRange(TRECharCode low, TRECharCode high)
{
    return low == high ? DumpCode(low) : DumpCode(low) + "-" + DumpCode(high);
}

// leaf: 61 or 61-7a; cat{x,y}; alt{x,y}; star{x}; emp; ^; $; grp1{x} (grp{x}: no capture); \b; \B
inline std::string DumpTree(const TRENode* n)
{
    if (n == nullptr) return "null";
    switch (n->Op) {
    case reop_Char: return DumpRange(n->Low, n->High);
    case reop_LHead: return "^";
    case reop_LTail: return "$";
    case reop_Concat: return "cat{" + DumpTree(n->Left) + "," + DumpTree(n->Right) + "}";
    case reop_Union: return "alt{" + DumpTree(n->Left) + "," + DumpTree(n->Right) + "}";
    case reop_Closure: return "star{" + DumpTree(n->Left) + "}";
    case reop_Empty: return "emp";
    case reop_Group: return "grp" + (n->Capture > 0 ? std::to_string(n->Capture) : "") + "{" + DumpTree(n->Left) + "}";
    case reop_WordBoundary: return "\\b";
    case reop_NotWordBoundary: return "\\B";
    }
    return "?";
}

inline std::string DumpLeaves(const TREParseTree& tree)
{
    std::string s;
    for (const auto& leaf : tree.Leaves) s += (s.empty() ? "" : " ") + DumpRange(leaf->Low, leaf->High);
    return s;
}

// One entry per DFA state in list order: "*" when accepting, then its sorted transitions
// as range>target; states separated by " | ". Example for a*: "*61>1 | *61>1".
inline std::string DumpDFA(const TRE_DFA& dfa)
{
    std::string s;
    for (const auto& state : dfa.States) {
        if (!s.empty()) s += " | ";
        s += state->Accepting ? "*" : "";
        bool first = true;
        for (const auto& t : state->Transitions) {
            std::size_t target = 0;
            while (dfa.States[target].get() != t.Target) ++target;
            s += (first ? "" : " ") + DumpRange(t.Low, t.High) + ">" + std::to_string(target);
            first = false;
        }
    }
    return s;
}
