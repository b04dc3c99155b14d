// TRE_DFA: subset construction from the NFA, then range transitions sorted per state.
//
// Transitions carry character ranges. The construction groups NFA transitions whose
// labels are identical and never splits ranges; that is sound because the parse tree's
// leaves are pairwise disjoint. The only labels that may overlap a range are the literal
// "^" and "$", and for them the lookup rule decides: the earliest range in sorted order
// that contains the code wins.
//
// The construction is bounded: a pattern such as (a|b)*a(a|b)(a|b)... has exponentially
// many DFA states, and building them all would exhaust memory and freeze the program.
// Past the bound the compilation fails with a pattern error instead.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "regex/NFA.h"

struct TRE_DFAState;

struct TRE_DFATransition {
    TRECharCode Low;
    TRECharCode High;
    TRE_DFAState* Target;
};

struct TRE_DFAState {
    explicit TRE_DFAState(TRE_NFAStateSet set) : StateSet(std::move(set)) {}

    TRE_NFAStateSet StateSet;
    bool Marked = false;
    bool Accepting = false;
    std::vector<TRE_DFATransition> Transitions;  // sorted by Low after Run
};

class TRE_DFA {
public:
    // Bounds on the subset construction: number of states, and bytes of NFA state sets.
    static constexpr std::size_t kMaxStates = 10000;
    static constexpr std::size_t kMaxStateSetBytes = std::size_t{64} << 20;

    explicit TRE_DFA(const TRE_NFA& nfa);

    void Run();
    const TRE_DFAState* NextState(const TRE_DFAState* state, TRECharCode code) const;

    std::vector<std::unique_ptr<TRE_DFAState>> States;
    TRE_DFAState* InitialState = nullptr;
    bool LineHeadUsed = false;
    bool LineTailUsed = false;

private:
    void Closure(TRE_NFAStateSet& set) const;
    TRE_DFAState* FindOrAddState(TRE_NFAStateSet set);
    TRE_DFAState* NextUnmarkedState();
    void MakeStateList();
    void SortTransitions();

    const TRE_NFA* nfa_;  // only during Run
    std::size_t nextUnmarked_ = 0;
    std::size_t stateSetBytes_ = 0;
    // Finds a state by its NFA set in constant time; the answer is the one a scan of the
    // state list would give, since no two states share a set.
    std::unordered_map<std::string, TRE_DFAState*> stateIndex_;
};
