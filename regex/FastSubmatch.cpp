// The fast engine's groups: the decisions of Submatch.h, each answered by one backward
// run of the deciding node's automaton and forward runs of its children kept to the
// states the backward run marked.
#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <utility>

#include "regex/Submatch.h"

namespace {

// Visit marks over the NFA's states, stamped so that nothing needs clearing between visits.
struct StateMarks {
    explicit StateMarks(int states) : stamps(static_cast<std::size_t>(states), 0) {}
    void NextVisit() { ++stamp; }
    // Whether state was already marked in this visit; marks it.
    bool TestAndMark(int state)
    {
        std::uint64_t& s = stamps[static_cast<std::size_t>(state)];
        if (s == stamp) return true;
        s = stamp;
        return false;
    }
    std::vector<std::uint64_t> stamps;
    std::uint64_t stamp = 0;
};

// Per place i of the match text, the states of one node (in .. out) from which the
// node can still reach its Out at place j. Kept sparse, sorted per place: few states are
// live at a place, however large the node.
class CoReachTable {
public:
    CoReachTable(const TREGroupNFA& nfa, const TREMatchText& text, StateMarks& marks, int node, int i, int j);

    bool Has(int place, int state) const
    {
        const std::size_t at = static_cast<std::size_t>(j_ - place);  // places are stored backwards
        return std::binary_search(states_.begin() + static_cast<std::ptrdiff_t>(starts_[at]),
                                  states_.begin() + static_cast<std::ptrdiff_t>(starts_[at + 1]), state);
    }

private:
    void CloseBackwards(int place, std::vector<int>& pending);

    const TREGroupNFA& nfa_;
    const TREMatchText& text_;
    int first_, last_, j_;
    std::vector<std::size_t> starts_;  // per place from j down to i, where its states begin
    std::vector<int> states_;
    StateMarks& marks_;
};

CoReachTable::CoReachTable(const TREGroupNFA& nfa, const TREMatchText& text, StateMarks& marks, int node, int i, int j)
    : nfa_(nfa), text_(text), first_(nfa.Node(node).in), last_(nfa.Node(node).out), j_(j), marks_(marks)
{
    starts_.reserve(static_cast<std::size_t>(j - i + 2));
    states_.reserve(static_cast<std::size_t>(j - i + 1) * 4);
    starts_.push_back(0);
    std::vector<int> pending{last_};
    CloseBackwards(j, pending);
    for (int place = j - 1; place >= i; --place) {
        const TRECharCode code = text.Codes[static_cast<std::size_t>(place)];
        for (std::size_t k = starts_[starts_.size() - 2]; k < starts_.back(); ++k)
            for (const TREGroupNFAEdge& e : nfa.In(states_[k]))
                if (e.kind == TREGroupNFAEdge::Char && code >= e.low && code <= e.high) pending.push_back(e.other);
        CloseBackwards(place, pending);
    }
}

// Adds the states of place: those pending and those that reach them by empty transitions.
void CoReachTable::CloseBackwards(int place, std::vector<int>& pending)
{
    const TREBoundary& boundary = text_.Boundaries[static_cast<std::size_t>(place)];
    const std::size_t begin = states_.size();
    marks_.NextVisit();
    while (!pending.empty()) {
        const int state = pending.back();
        pending.pop_back();
        if (state < first_ || state > last_ || marks_.TestAndMark(state)) continue;
        states_.push_back(state);
        for (const TREGroupNFAEdge& e : nfa_.In(state))
            if (e.kind == TREGroupNFAEdge::Empty || (e.kind == TREGroupNFAEdge::Assert && Holds(e.assertion, boundary)))
                pending.push_back(e.other);
    }
    std::sort(states_.begin() + static_cast<std::ptrdiff_t>(begin), states_.end());
    starts_.push_back(states_.size());
}

class FastExtractor {
public:
    FastExtractor(const TREGroupNFA& nfa, const TREMatchText& text)
        : nfa_(nfa), text_(text), captures_(static_cast<std::size_t>(nfa.GroupCount()) + 1), marks_(nfa.StateCount())
    {
    }

    TRECaptures Run()
    {
        Extract(nfa_.Root(), 0, text_.Length());
        captures_[0] = {0, text_.Length()};
        return std::move(captures_);  // the extractor is done with them
    }

private:
    void Extract(int id, int i, int j);
    void ExtractSequence(int id, int i, int j);
    void ExtractLoop(int id, int i, int j);
    int LongestThrough(int child, int i, const CoReachTable& table, bool nonEmpty);
    void CloseForwards(int child, int place, const CoReachTable& table, std::vector<int>& states);

    // A new iteration: the groups inside report it alone.
    void ClearCaptures(const TREGroupNode& node)
    {
        for (int g = node.firstCapture; g != 0 && g <= node.lastCapture; ++g) captures_[static_cast<std::size_t>(g)] = {};
    }

    const TREGroupNFA& nfa_;
    const TREMatchText& text_;
    TRECaptures captures_;
    StateMarks marks_;
    std::vector<int> states_, next_, pending_;  // LongestThrough's, kept between calls
};

void FastExtractor::Extract(int id, int i, int j)
{
    const TREGroupNode& node = nfa_.Node(id);
    if (node.lastCapture == 0) return;
    switch (node.kind) {
    case TREGroupNode::Group:
        if (node.iteration) ClearCaptures(node);
        if (node.capture != 0) captures_[static_cast<std::size_t>(node.capture)] = {i, j};
        return Extract(node.children[0], i, j);
    case TREGroupNode::Alternatives: {
        if (node.afterCopies && i == j) return;  // the empty alternative: no empty iteration
        const CoReachTable table(nfa_, text_, marks_, id, i, j);
        for (int c : node.children)
            if (table.Has(i, nfa_.Node(c).in)) return Extract(c, i, j);
        throw std::logic_error("group extraction: no alternative matches");
    }
    case TREGroupNode::Sequence: return ExtractSequence(id, i, j);
    case TREGroupNode::Loop: return ExtractLoop(id, i, j);
    case TREGroupNode::Leaf: return;
    }
}

void FastExtractor::ExtractSequence(int id, int i, int j)
{
    const TREGroupNode& node = nfa_.Node(id);
    const CoReachTable table(nfa_, text_, marks_, id, i, j);
    // Past the last child that captures, the split points decide no group.
    std::size_t lastCapturing = node.children.size() - 1;
    while (nfa_.Node(node.children[lastCapturing]).lastCapture == 0) --lastCapturing;
    int p = i;
    for (std::size_t t = 0; t <= lastCapturing; ++t) {
        const int child = node.children[t];
        const int k = t + 1 == node.children.size() ? j : LongestThrough(child, p, table, false);
        Extract(child, p, k);
        p = k;
    }
}

void FastExtractor::ExtractLoop(int id, int i, int j)
{
    const TREGroupNode& node = nfa_.Node(id);
    const int body = node.children[0];
    const CoReachTable table(nfa_, text_, marks_, id, i, j);
    if (i == j) {
        if (!node.afterCopies && table.Has(i, nfa_.Node(body).in) && LongestThrough(body, i, table, false) == i)
            Extract(body, i, i);
        return;
    }
    for (int p = i; p < j;) {
        const int k = LongestThrough(body, p, table, true);
        ClearCaptures(node);
        Extract(body, p, k);
        p = k;
    }
}

// The furthest place at which child, entered at place i, can be left with the rest of the
// table's node still able to finish (beyond i when nonEmpty).
int FastExtractor::LongestThrough(int child, int i, const CoReachTable& table, bool nonEmpty)
{
    const TREGroupNode& node = nfa_.Node(child);
    std::vector<int>& states = states_;
    states.assign(1, node.in);
    CloseForwards(child, i, table, states);
    int longest = -1;
    for (int place = i;; ++place) {
        if (!(nonEmpty && place == i) && std::find(states.begin(), states.end(), node.out) != states.end()) longest = place;
        if (states.empty() || place == text_.Length()) break;
        const TRECharCode code = text_.Codes[static_cast<std::size_t>(place)];
        next_.clear();
        for (int s : states)
            for (const TREGroupNFAEdge& e : nfa_.Out(s))
                if (e.kind == TREGroupNFAEdge::Char && code >= e.low && code <= e.high) next_.push_back(e.other);
        states.swap(next_);
        CloseForwards(child, place + 1, table, states);
    }
    if (longest < 0) throw std::logic_error("group extraction: the part does not match");
    return longest;
}

// The states of child reachable from states by empty transitions at place, each once,
// kept to those the table marks there.
void FastExtractor::CloseForwards(int child, int place, const CoReachTable& table, std::vector<int>& states)
{
    const TREGroupNode& node = nfa_.Node(child);
    const TREBoundary& boundary = text_.Boundaries[static_cast<std::size_t>(place)];
    marks_.NextVisit();
    std::vector<int>& pending = pending_;
    pending.assign(states.rbegin(), states.rend());
    states.clear();
    while (!pending.empty()) {
        const int state = pending.back();
        pending.pop_back();
        if (state < node.in || state > node.out || !table.Has(place, state) || marks_.TestAndMark(state)) continue;
        states.push_back(state);
        for (const TREGroupNFAEdge& e : nfa_.Out(state))
            if (e.kind == TREGroupNFAEdge::Empty || (e.kind == TREGroupNFAEdge::Assert && Holds(e.assertion, boundary)))
                pending.push_back(e.other);
    }
}

}  // namespace

TRECaptures FastCaptures(const TREGroupNFA& nfa, const TREMatchText& text) { return FastExtractor(nfa, text).Run(); }
