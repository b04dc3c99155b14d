// TRELazyDFA: the DFA of a pattern built on demand, state by state and transition by
// transition, under a memory budget.
//
// Its states and transitions are exactly those the eager subset construction makes: a
// state is the empty-transition closure of a set of NFA states; NFA transitions are
// grouped by identical label; and a code takes the first group in ascending order of low
// bound (groups with equal low bounds in creation order) whose range holds it. Only
// states and transitions a search actually reaches are built, so patterns whose full
// DFA is exponential can still be searched.
//
// Transitions are cached per state: one 256-entry table for single-byte codes and, per
// lead byte met, one 256-entry table indexed by the trail byte. When the cache
// passes its budget the searcher calls Reset at a step boundary, handing in the states
// it still holds; they are rebuilt and everything else is forgotten.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "text/Cp932.h"
#include "regex/NFA.h"

class TRELazyDFA {
public:
    static constexpr int kNoState = -1;
    static constexpr std::size_t kDefaultBudgetBytes = std::size_t{32} << 20;

    TRELazyDFA(std::unique_ptr<TRE_NFA> nfa, TRECharCode lineHeadCode, TRECharCode lineTailCode,
               std::size_t budgetBytes = kDefaultBudgetBytes);

    int InitialState() { return initial_; }
    int Next(int state, TRECharCode code)
    {
        // The cached transition, inline: the searches call this once per character.
        const std::size_t s = static_cast<std::size_t>(state);
        if (code < 256) {
            const int to = single_[s * 256 + code];
            if (to != kUnknown) return to;
        } else if (code < 0xFD00) {
            const int lead = kLeadIndex[code >> 8];
            const int table = lead < 0 ? -1 : leadTables_[s * kLeadBytes + static_cast<std::size_t>(lead)];
            if (table >= 0) {
                const int to = trails_[static_cast<std::size_t>(table) * 256 + (code & 0xFF)];
                if (to != kUnknown) return to;
            }
        }
        return NextSlow(state, code);
    }
    bool Accepting(int state) const { return accepting_[static_cast<std::size_t>(state)] != 0; }
    // Whether the state has a line-tail marker transition.
    bool HasLineTailTransition(int state);
    // The state after the line-head marker from the initial state, or kNoState.
    int HeadState();

    // A pattern that is a plain run of characters: its text, searched for as a string.
    void SetLiteral(std::string literal) { literal_ = std::move(literal); }
    const std::string& Literal() const { return literal_; }

    bool LineHeadUsed() const { return lineHeadUsed_; }
    bool LineTailUsed() const { return lineTailUsed_; }

    // Per lead or single byte: whether a match attempt can begin at a character starting
    // with it (a transition, acceptance, or the line-tail marker at the separator given).
    const std::array<bool, 256>& Startable(TRECharCode separator)
    {
        if (startableFor_ != static_cast<int>(separator)) ComputeStartable(separator);
        return startable_;
    }
    // The one byte an attempt can begin with, or -1 when there are several or none.
    int SingleStartByte(TRECharCode separator) { return Startable(separator), singleStartByte_; }
    // Whether no byte can begin an attempt (one may still begin at a line head).
    bool NoStartByte(TRECharCode separator) { return Startable(separator), startableCount_ == 0; }

    bool OverBudget() const { return bytesUsed_ > budgetBytes_; }
    // Forgets every state and transition but those of live (renumbered in place).
    void Reset(std::vector<int>& live);
    std::size_t StateCount() const { return states_.size(); }
    std::size_t ResetCount() const { return resets_; }

private:
    static constexpr int kUnknown = -2;
    // CP932 has 60 lead bytes; each numbered here, other bytes -1.
    static constexpr std::size_t kLeadBytes = 60;
    static constexpr std::array<int, 256> kLeadIndex = [] {
        std::array<int, 256> index{};
        int next = 0;
        for (int b = 0; b < 256; ++b)
            index[static_cast<std::size_t>(b)] = IsLeadByte(static_cast<unsigned char>(b)) ? next++ : -1;
        return index;
    }();
    static_assert(kLeadIndex[0xFC] == static_cast<int>(kLeadBytes) - 1);

    struct Group {
        TRECharCode low;
        TRECharCode high;
        std::vector<int> targets;  // NFA states before closure
    };
    struct State {
        std::vector<int> nfaStates;  // sorted closure
        bool groupsBuilt = false;
        int lineTail = kUnknown;  // the line-tail marker transition, once looked up
        std::vector<Group> groups;  // sorted by low, stable
    };
    struct SetHash {
        std::size_t operator()(const std::vector<int>& v) const;
    };

    int FindOrAdd(std::vector<int> closure);
    std::vector<int> Closure(const std::vector<int>& seeds);
    void BuildGroups(State& state);
    int Compute(int state, TRECharCode code);
    int NextSlow(int state, TRECharCode code);
    void ComputeStartable(TRECharCode separator);

    std::unique_ptr<TRE_NFA> nfa_;
    std::string literal_;
    TRECharCode lineHeadCode_;
    TRECharCode lineTailCode_;
    bool lineHeadUsed_;
    bool lineTailUsed_;
    std::size_t budgetBytes_;
    std::size_t bytesUsed_ = 0;
    std::size_t resets_ = 0;
    int initial_ = kNoState;
    int headState_ = kUnknown;
    // The cache, in flat arrays indexed by state, kept apart from the State records so
    // that a state costs little and a step touches only what it reads.
    std::vector<State> states_;
    std::vector<std::uint8_t> accepting_;  // per state
    std::vector<int> single_;              // per state, 256 single-byte codes
    std::vector<int> leadTables_;          // per state and lead byte: a table of trails_, or -1
    std::vector<int> trails_;              // tables of 256 transitions by trail byte
    std::array<bool, 256> startable_{};
    int startableFor_ = -1;  // the separator startable_ was computed for
    int singleStartByte_ = -1;
    long startableCount_ = 0;
    std::unordered_map<std::vector<int>, int, SetHash> index_;
    std::vector<std::uint32_t> mark_;  // closure visit stamps, one per NFA state
    std::uint32_t stamp_ = 0;
};
