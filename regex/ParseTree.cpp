#include "regex/ParseTree.h"

#include <algorithm>
#include <stdexcept>

#include "text/SjisLiteral.h"

TRENode* TREParseTree::MakeInternalNode(TREOperation op, TRENode* left, TRENode* right)
{
    auto node = std::make_unique<TRENode>();
    node->Op = op;
    node->Left = left;
    node->Right = right;
    Nodes.push_back(std::move(node));
    return Nodes.back().get();
}

TRENode* TREParseTree::MakeLeaf(TRECharCode low, TRECharCode high)
{
    const auto key = std::make_pair(low, high);
    if (auto it = leafIndex_.find(key); it != leafIndex_.end()) return it->second;
    auto leaf = std::make_unique<TRENode>();
    leaf->Op = reop_Char;
    leaf->Low = low;
    leaf->High = high;
    Leaves.push_back(std::move(leaf));
    leafIndex_.emplace(key, Leaves.back().get());
    return Leaves.back().get();
}

TRENode* TREParseTree::MakeLeafOrNil(int low, int high)
{
    // Bounds come in as plain integers so that "code - 1" and "code + 1" never wrap.
    if (high < low || low < 0 || high > 0xFFFF) return nullptr;
    return MakeLeaf(static_cast<TRECharCode>(low), static_cast<TRECharCode>(high));
}

TRENode* TREParseTree::MakeLHeadNode(TRECharCode code)
{
    TRENode* node = MakeInternalNode(reop_LHead, nullptr, nullptr);
    node->Low = node->High = code;
    return node;
}

TRENode* TREParseTree::MakeLTailNode(TRECharCode code)
{
    TRENode* node = MakeInternalNode(reop_LTail, nullptr, nullptr);
    node->Low = node->High = code;
    return node;
}

TRENode* TREParseTree::MakeAnyCharNode()
{
    // Any character but code 0, LF, CR and codes above the highest CP932 double-byte code.
    TRENode* vtAndFf = MakeLeaf(11, 12);
    TRENode* controls = MakeLeaf(1, 9);
    TRENode* low = MakeInternalNode(reop_Union, controls, vtAndFf);
    TRENode* rest = MakeLeaf(14, 0xFCFC);
    return MakeInternalNode(reop_Union, low, rest);
}

std::unique_ptr<TRENode> TREParseTree::TakeLeaf(TRENode* leaf)
{
    auto it = std::find_if(Leaves.begin(), Leaves.end(), [leaf](const auto& p) { return p.get() == leaf; });
    std::unique_ptr<TRENode> owned = std::move(*it);
    Leaves.erase(it);
    leafIndex_.erase({leaf->Low, leaf->High});
    return owned;
}

void TREParseTree::ConvertToUnion(TRENode* leaf, TRENode* left, TRENode* right)
{
    if (left == nullptr || right == nullptr) throw std::runtime_error(std::string("TREParseTree : 致命的エラー"_sj));
    std::unique_ptr<TRENode> node = TakeLeaf(leaf);
    node->Op = reop_Union;
    node->Left = left;
    node->Right = right;
    Nodes.push_back(std::move(node));
}

void TREParseTree::RemoveLeaf(TRENode* leaf) { TakeLeaf(leaf); }

bool TREParseTree::SplitOverlap(TRENode* x, TRENode* y)
{
    TRENode* a = x;
    TRENode* b = y;
    if (y->Low < x->Low) std::swap(a, b);
    if (b->Low > a->High) return false;
    if (a->Low == b->Low && a->High == b->High) return false;

    const int lo = std::min(a->High, b->High);
    const int hi = std::max(a->High, b->High);
    const bool aIsLonger = a->High == hi;
    TRENode* before = MakeLeafOrNil(a->Low, b->Low - 1);
    TRENode* overlap = MakeLeafOrNil(b->Low, lo);
    TRENode* after = MakeLeafOrNil(lo + 1, hi);

    if (before == nullptr) {
        // Both start at the same code: the longer one splits into the shorter one and the rest.
        ConvertToUnion(aIsLonger ? a : b, overlap, after);
    } else if (after == nullptr) {
        ConvertToUnion(a, before, overlap);
    } else if (aIsLonger) {
        TRENode* u = MakeInternalNode(reop_Union, before, overlap);
        ConvertToUnion(a, u, after);
    } else {
        ConvertToUnion(a, before, overlap);
        ConvertToUnion(b, overlap, after);
    }
    return true;
}

void TREParseTree::MakeLeavesDisjoint()
{
    std::size_t i = 0;
    while (i < Leaves.size()) {
        bool changed = false;
        for (std::size_t j = i + 1; j < Leaves.size(); ++j) {
            if (SplitOverlap(Leaves[j].get(), Leaves[i].get())) {
                changed = true;
                break;
            }
        }
        if (!changed) ++i;
    }
}

void TREParseTree::DisposeTree()
{
    Nodes.clear();
    Leaves.clear();
    leafIndex_.clear();
    Root = nullptr;
}
