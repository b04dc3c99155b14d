// TRE_NFA: Thompson-style construction of an NFA with empty transitions from a parse tree.
//
// Every tree node is laid between a given "from" and "to" state. A transition label is a
// 32-bit range: low code in the lower half, high code in the upper half. Three labels are
// reserved: low 0xFFFF is an empty transition, and the line-head and line-tail marker
// codes given at construction stand for the anchors. "^" is an anchor only when laid
// from the initial state and "$" only when laid into the final state; elsewhere they are
// the literal characters.
//
// In the extended syntax group nodes are laid as their inside. A word boundary, or a "^"
// or "$" that is not laid from the initial or into the final state, is an assertion this
// automaton cannot express: it is laid as an empty transition and BoundaryAssertions is
// set, and the pattern is then matched by TREGroupNFA instead.
//
// The walk uses an explicit work stack, so a pattern as deep as it is long (a long
// literal is a left-nested chain of concatenations) cannot overflow the call stack. The
// order of the work items reproduces the recursive construction's state numbering and
// transition order exactly.
#pragma once

#include <cstdint>
#include <vector>

#include "regex/Parser.h"

using TRELabel = std::uint32_t;
constexpr TRELabel kEmptyLabel = 0xFFFFFFFFu;

constexpr TRELabel MakeLabel(TRECharCode low, TRECharCode high) { return static_cast<TRELabel>(low) | (static_cast<TRELabel>(high) << 16); }
constexpr TRECharCode LabelLow(TRELabel label) { return static_cast<TRECharCode>(label & 0xFFFF); }
constexpr TRECharCode LabelHigh(TRELabel label) { return static_cast<TRECharCode>(label >> 16); }
constexpr bool IsEmptyLabel(TRELabel label) { return LabelLow(label) == 0xFFFF; }

struct TRE_NFATransition {
    TRELabel Label;
    int Target;
};

class TRE_NFA {
public:
    TRE_NFA(const TREParser& parser, TRECharCode lineHeadCode, TRECharCode lineTailCode);

    void Run();
    int NewState();
    void AddTransition(int from, int to, TRELabel label);
    void GenerateStateList(const TRENode* node, int from, int to);
    TRELabel AnchorLabel(const TRENode* node, int from, int to);

    int StateCount() const { return static_cast<int>(States.size()); }

    // States[i] lists the transitions leaving state i, oldest first (the reverse of the
    // newest-first chain order, which readers get by walking it backwards).
    std::vector<std::vector<TRE_NFATransition>> States;
    int InitialState = 0;
    int FinalState = 0;
    bool LineHeadUsed = false;
    bool LineTailUsed = false;
    bool BoundaryAssertions = false;

    // Most states an automaton may have: a counted repetition multiplies its operand.
    static constexpr int kMaxStates = 1 << 20;

private:
    const TREParser& parser_;
    TRECharCode lineHeadCode_;
    TRECharCode lineTailCode_;
};

// The transitions leaving a set of NFA states, grouped by identical label: the input
// classes of the DFA state that set stands for. The states are visited in ascending order
// and each one's transitions newest first; groups are in order of first appearance, and
// each lists its target states in the order met. Empty transitions are left out.
struct TRE_LabelGroup {
    TRELabel Label;
    std::vector<int> Targets;
};
std::vector<TRE_LabelGroup> GroupTransitions(const TRE_NFA& nfa, const std::vector<int>& ascendingStates);

// A set of NFA state numbers as a bit array of capacity/8+1 bytes; it only grows.
class TRE_NFAStateSet {
public:
    explicit TRE_NFAStateSet(int capacity) : bytes_(static_cast<std::size_t>(capacity / 8 + 1), 0) {}

    bool Has(int i) const { return (bytes_[static_cast<std::size_t>(i / 8)] >> (i % 8)) & 1; }
    void Include(int i) { bytes_[static_cast<std::size_t>(i / 8)] |= static_cast<std::uint8_t>(1u << (i % 8)); }
    bool Equals(const TRE_NFAStateSet& other) const { return bytes_ == other.bytes_; }
    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};
