// TREParseTree: the syntax tree of one pattern.
//
// Characters are stored as character-range leaves (a single character is a range of one
// code), and each range occurs once per tree. After parsing, MakeLeavesDisjoint splits
// overlapping leaves until every leaf is an input class that no other leaf intersects; a
// split leaf becomes, in place, a union of its pieces, so every reference to it still
// means the same set of codes. The automata stages rely on that disjointness.
//
// The structure is a DAG: leaves are shared, "x+" uses x twice, and a piece can belong to
// two unions. The tree owns every record through its two lists; child links do not own.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "regex/CharCode.h"

enum TREOperation : std::uint8_t {
    reop_Char = 0,
    reop_LHead = 1,
    reop_LTail = 2,
    reop_Concat = 3,
    reop_Union = 4,
    reop_Closure = 5,
    reop_Empty = 6,
    // The extended syntax only:
    reop_Group = 7,  // parentheses: Left is the inside, Capture its number (0: no capture)
    reop_WordBoundary = 8,
    reop_NotWordBoundary = 9,
};

struct TRENode {
    TREOperation Op = reop_Empty;
    TRENode* Left = nullptr;   // internal nodes
    TRENode* Right = nullptr;
    TRECharCode Low = 0;       // leaves and anchors
    TRECharCode High = 0;
    // reop_Group: its number, 0 for no capture, kIteration for one copy of a counted
    // repetition (no capture; the groups inside report that copy).
    int Capture = 0;
    static constexpr int kIteration = -1;
    // reop_Closure, and reop_Union of an optional copy: part of a repetition after copies
    // of its operand. Matching nothing, it adds no empty iteration: the copies before it
    // already took part.
    bool AfterCopies = false;
};

class TREParseTree {
public:
    TREParseTree() = default;
    TREParseTree(const TREParseTree&) = delete;
    TREParseTree& operator=(const TREParseTree&) = delete;
    virtual ~TREParseTree() = default;

    TRENode* MakeInternalNode(TREOperation op, TRENode* left, TRENode* right);
    TRENode* MakeLeaf(TRECharCode low, TRECharCode high);
    TRENode* MakeLeafOrNil(int low, int high);
    TRENode* MakeLHeadNode(TRECharCode code);
    TRENode* MakeLTailNode(TRECharCode code);
    virtual TRENode* MakeAnyCharNode();
    void ConvertToUnion(TRENode* leaf, TRENode* left, TRENode* right);
    bool SplitOverlap(TRENode* x, TRENode* y);
    void MakeLeavesDisjoint();
    void RemoveLeaf(TRENode* leaf);  // frees a leaf no node refers to
    void DisposeTree();

    TRENode* Root = nullptr;
    std::vector<std::unique_ptr<TRENode>> Nodes;
    std::vector<std::unique_ptr<TRENode>> Leaves;

private:
    std::unique_ptr<TRENode> TakeLeaf(TRENode* leaf);
    // Leaf lookup by range; the list order stays that of Leaves.
    std::map<std::pair<TRECharCode, TRECharCode>, TRENode*> leafIndex_;
};
