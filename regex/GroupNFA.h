// TREGroupNFA: the automaton of an extended pattern for what the subset automata cannot
// do: assertions anywhere in the pattern (word boundaries, "^" and "$" inside it), and
// the extraction of groups.
//
// It mirrors the pattern's structure: concatenations and unions are flattened into
// sequences and alternatives (never across parentheses), and every node owns a contiguous
// range of states, entered only at its In state and left only at its Out state. A loop
// leaves its body's range (the body's Out leads back to the loop's In), so a run kept
// within one node's range walks through that node exactly once.
#pragma once

#include <cstdint>
#include <vector>

#include "regex/MatchTypes.h"
#include "regex/Parser.h"

enum class TREAssertion : std::uint8_t { LineHead, LineTail, WordBoundary, NotWordBoundary };

// What an assertion sees at a place between two characters.
struct TREBoundary {
    TRECharCode Before = 0;  // 0: the text start
    TRECharCode After = 0;   // 0: the text end
    bool LineHead = false;
    bool LineTail = false;
};
bool Holds(TREAssertion assertion, const TREBoundary& boundary);

// A text searched from its start, which ends at its first zero byte.
struct TRESubject {
    const char* Begin = nullptr;
    TMatchCORE_LineSeparator Separator = mcls_CRLF;
    // The code of the character before p (a character start), 0 at Begin.
    TRECharCode CodeBefore(const char* p) const;
    // The boundary at p, given the codes on either side.
    TREBoundary BoundaryAt(const char* p, TRECharCode before, TRECharCode after) const;
};

struct TREGroupNFAEdge {
    enum Kind : std::uint8_t { Empty, Assert, Char } kind;
    TREAssertion assertion;
    TRECharCode low, high;
    int other;  // the target (outgoing lists) or the source (incoming lists)
};

struct TREGroupNode {
    enum Kind : std::uint8_t { Sequence, Alternatives, Loop, Group, Leaf } kind;
    int in = 0, out = 0;  // the node's states are in .. out
    std::vector<int> children;
    int capture = 0;           // Group: its number, 0 for "(?:" and copies
    bool iteration = false;    // Group: a copy of a counted repetition; resets the groups inside
    bool afterCopies = false;  // Loop, Alternatives: adds no empty iteration
    int firstCapture = 0;      // the captures inside, firstCapture .. lastCapture (0: none)
    int lastCapture = 0;
};

class TREGroupNFA {
public:
    TREGroupNFA(const TRENode* root, int groupCount);

    int StateCount() const { return static_cast<int>(out_.size()); }
    int GroupCount() const { return groupCount_; }
    const TREGroupNode& Node(int i) const { return nodes_[static_cast<std::size_t>(i)]; }
    int Root() const { return root_; }
    const std::vector<TREGroupNFAEdge>& Out(int state) const { return out_[static_cast<std::size_t>(state)]; }
    const std::vector<TREGroupNFAEdge>& In(int state) const { return in_[static_cast<std::size_t>(state)]; }

private:
    int Build(const TRENode* node);
    int BuildLeaf(const TRENode* node);
    int NewNode(TREGroupNode::Kind kind);
    int NewState();
    void Link(int from, int to, TREGroupNFAEdge edge);
    void AddCharEdges(const TRENode* node, int from, int to);

    std::vector<TREGroupNode> nodes_;
    std::vector<std::vector<TREGroupNFAEdge>> out_, in_;
    int root_ = 0;
    int groupCount_ = 0;
};
