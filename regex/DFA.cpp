#include "regex/DFA.h"

#include <algorithm>

#include "text/SjisLiteral.h"

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

    std::vector<int> members;
    while (TRE_DFAState* state = NextUnmarkedState()) {
        state->Marked = true;
        members.clear();
        for (int i = 0; i < nfaStates; ++i)
            if (state->StateSet.Has(i)) members.push_back(i);
        // Targets are looked up newest group first, which fixes the numbering of new
        // states; the transitions end up oldest group first, the order the stable sort
        // then keeps among equal low bounds.
        const std::vector<TRE_LabelGroup> groups = GroupTransitions(*nfa_, members);
        for (auto group = groups.rbegin(); group != groups.rend(); ++group) {
            TRE_NFAStateSet targets(nfaStates);
            for (int t : group->Targets) targets.Include(t);
            Closure(targets);
            TRE_DFAState* target = FindOrAddState(std::move(targets));
            state->Transitions.push_back({LabelLow(group->Label), LabelHigh(group->Label), target});
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
