#include "regex/NFA.h"

#include <stdexcept>
#include <unordered_map>

#include "text/SjisLiteral.h"

TRE_NFA::TRE_NFA(const TREParser& parser, TRECharCode lineHeadCode, TRECharCode lineTailCode)
    : parser_(parser), lineHeadCode_(lineHeadCode), lineTailCode_(lineTailCode) {}

void TRE_NFA::Run()
{
    InitialState = NewState();
    FinalState = NewState();
    GenerateStateList(parser_.ParseTree.Root, InitialState, FinalState);
}

int TRE_NFA::NewState()
{
    if (StateCount() >= kMaxStates) throw ERegExpParser("正規表現が大きすぎます"_sj, 0);
    States.emplace_back();
    return StateCount() - 1;
}

void TRE_NFA::AddTransition(int from, int to, TRELabel label)
{
    // Appended, so each list is oldest first; readers walk it backwards for newest first.
    States[static_cast<std::size_t>(from)].push_back({label, to});
}

// A line-head mark at the start of the whole pattern, or a line-tail mark at its end, is
// the code the matcher gives those places; anywhere else it is the node's own range.
TRELabel TRE_NFA::AnchorLabel(const TRENode* node, int from, int to)
{
    if (node->Op == reop_LHead && from == InitialState) {
        LineHeadUsed = true;
        return MakeLabel(lineHeadCode_, lineHeadCode_);
    }
    if (node->Op == reop_LTail && to == FinalState) {
        LineTailUsed = true;
        return MakeLabel(lineTailCode_, lineTailCode_);
    }
    if (parser_.Scanner.Extended) BoundaryAssertions = true;
    return MakeLabel(node->Low, node->High);
}

void TRE_NFA::GenerateStateList(const TRENode* root, int rootFrom, int rootTo)
{
    // A work item either lays a node between two states or adds one empty transition.
    struct Work {
        const TRENode* node;  // nullptr: add an empty transition from -> to
        int from;
        int to;
    };
    std::vector<Work> stack{{root, rootFrom, rootTo}};
    while (!stack.empty()) {
        const Work w = stack.back();
        stack.pop_back();
        if (w.node == nullptr) {
            AddTransition(w.from, w.to, kEmptyLabel);
            continue;
        }
        const TRENode* node = w.node;
        switch (node->Op) {
        case reop_Char:
            AddTransition(w.from, w.to, MakeLabel(node->Low, node->High));
            break;
        case reop_LHead:
        case reop_LTail:
            AddTransition(w.from, w.to, AnchorLabel(node, w.from, w.to));
            break;
        case reop_Concat: {
            const int m = NewState();
            // Pushed in reverse: the left side is laid first.
            stack.push_back({node->Right, m, w.to});
            stack.push_back({node->Left, w.from, m});
            break;
        }
        case reop_Union:
            stack.push_back({node->Right, w.from, w.to});
            stack.push_back({node->Left, w.from, w.to});
            break;
        case reop_Closure: {
            const int p = NewState();
            const int q = NewState();
            AddTransition(w.from, p, kEmptyLabel);
            stack.push_back({nullptr, p, w.to});
            stack.push_back({nullptr, q, p});
            stack.push_back({node->Left, p, q});
            break;
        }
        case reop_Group:
            stack.push_back({node->Left, w.from, w.to});
            break;
        case reop_WordBoundary:
        case reop_NotWordBoundary:
            BoundaryAssertions = true;
            [[fallthrough]];
        case reop_Empty:
            AddTransition(w.from, w.to, kEmptyLabel);
            break;
        default:
            throw std::runtime_error("This cannot happen in TRE_NFA.GenerateStateList");
        }
    }
}

std::vector<TRE_LabelGroup> GroupTransitions(const TRE_NFA& nfa, const std::vector<int>& ascendingStates)
{
    std::vector<TRE_LabelGroup> groups;
    std::unordered_map<TRELabel, std::size_t> groupOf;
    for (int s : ascendingStates) {
        const auto& chain = nfa.States[static_cast<std::size_t>(s)];
        for (auto t = chain.rbegin(); t != chain.rend(); ++t) {
            if (IsEmptyLabel(t->Label)) continue;
            auto [it, added] = groupOf.try_emplace(t->Label, groups.size());
            if (added) groups.push_back({t->Label, {}});
            groups[it->second].Targets.push_back(t->Target);
        }
    }
    return groups;
}
