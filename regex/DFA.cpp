#include "regex/DFA.h"

#include <algorithm>

#include "core/SjisLiteral.h"

namespace {

std::string SetKey(const TRE_NFAStateSet& set)
{
    return std::string(set.Bytes().begin(), set.Bytes().end());
}

}  // namespace

TRE_DFA::TRE_DFA(const TRE_NFA& nfa) : nfa_(&nfa) {}

void TRE_DFA::Run()
{
    LineHeadUsed = nfa_->LineHeadUsed;
    LineTailUsed = nfa_->LineTailUsed;
    MakeStateList();
    SortTransitions();
    nfa_ = nullptr;
    stateIndex_.clear();
}

void TRE_DFA::Closure(TRE_NFAStateSet& set) const
{
    std::vector<int> pending;
    for (int i = 0; i < nfa_->StateCount(); ++i)
        if (set.Has(i)) pending.push_back(i);
    while (!pending.empty()) {
        const int i = pending.back();
        pending.pop_back();
        for (const auto& t : nfa_->States[static_cast<std::size_t>(i)]) {
            if (IsEmptyLabel(t.Label) && !set.Has(t.Target)) {
                set.Include(t.Target);
                pending.push_back(t.Target);
            }
        }
    }
}

TRE_DFAState* TRE_DFA::FindOrAddState(TRE_NFAStateSet set)
{
    std::string key = SetKey(set);
    if (auto it = stateIndex_.find(key); it != stateIndex_.end()) return it->second;

    stateSetBytes_ += set.Bytes().size();
    if (States.size() >= kMaxStates || stateSetBytes_ > kMaxStateSetBytes)
        throw ERegExpParser("正規表現が複雑すぎます"_sj, 0);
    auto state = std::make_unique<TRE_DFAState>(std::move(set));
    state->Accepting = state->StateSet.Has(nfa_->FinalState);
    States.push_back(std::move(state));
    stateIndex_.emplace(std::move(key), States.back().get());
    return States.back().get();
}

TRE_DFAState* TRE_DFA::NextUnmarkedState()
{
    // States are marked strictly in list order, so the first unmarked one is a cursor.
    while (nextUnmarked_ < States.size() && States[nextUnmarked_]->Marked) ++nextUnmarked_;
    return nextUnmarked_ < States.size() ? States[nextUnmarked_].get() : nullptr;
}

void TRE_DFA::MakeStateList()
{
    const int nfaStates = nfa_->StateCount();
    TRE_NFAStateSet initial(nfaStates);
    initial.Include(nfa_->InitialState);
    Closure(initial);
    InitialState = FindOrAddState(std::move(initial));

    struct Group {
        TRELabel label;
        TRE_NFAStateSet targets;
    };
    while (TRE_DFAState* state = NextUnmarkedState()) {
        state->Marked = true;
        // Groups are kept in creation order. Targets are looked up newest group first,
        // which fixes the numbering of new states; the transitions end up oldest group
        // first, the order the stable sort then keeps among equal low bounds.
        std::vector<Group> groups;
        std::unordered_map<TRELabel, std::size_t> groupOf;
        for (int i = 0; i < nfaStates; ++i) {
            if (!state->StateSet.Has(i)) continue;
            const auto& chain = nfa_->States[static_cast<std::size_t>(i)];
            for (auto t = chain.rbegin(); t != chain.rend(); ++t) {
                if (IsEmptyLabel(t->Label)) continue;
                auto [it, added] = groupOf.try_emplace(t->Label, groups.size());
                if (added) groups.push_back({t->Label, TRE_NFAStateSet(nfaStates)});
                groups[it->second].targets.Include(t->Target);
            }
        }
        for (auto group = groups.rbegin(); group != groups.rend(); ++group) {
            Closure(group->targets);
            TRE_DFAState* target = FindOrAddState(std::move(group->targets));
            state->Transitions.push_back({LabelLow(group->label), LabelHigh(group->label), target});
        }
        std::reverse(state->Transitions.begin(), state->Transitions.end());
    }
}

void TRE_DFA::SortTransitions()
{
    for (auto& state : States)
        std::stable_sort(state->Transitions.begin(), state->Transitions.end(),
                         [](const TRE_DFATransition& a, const TRE_DFATransition& b) { return a.Low < b.Low; });
}

const TRE_DFAState* TRE_DFA::NextState(const TRE_DFAState* state, TRECharCode code) const
{
    for (const auto& t : state->Transitions) {
        if (code < t.Low) return nullptr;
        if (code <= t.High) return t.Target;
    }
    return nullptr;
}
