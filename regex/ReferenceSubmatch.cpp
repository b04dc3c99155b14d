// The reference's groups: the decisions of Submatch.h, each answered by memoised
// recursion over the pattern's nodes ("node matches text[i, j)").
#include <map>
#include <stdexcept>
#include <tuple>
#include <utility>

#include "regex/Submatch.h"

namespace {

class ReferenceExtractor {
public:
    ReferenceExtractor(const TREGroupNFA& nfa, const TREMatchText& text)
        : nfa_(nfa), text_(text), captures_(static_cast<std::size_t>(nfa.GroupCount()) + 1)
    {
    }

    TRECaptures Run()
    {
        Extract(nfa_.Root(), 0, text_.Length());
        captures_[0] = {0, text_.Length()};
        return std::move(captures_);  // the extractor is done with them
    }

private:
    // Whether the children from..end of a node (a sequence; a loop with from 0 meaning
    // "the loop again") match text[i, j).
    bool Matches(int node, int i, int j) { return Rest(node, -1, i, j); }

    bool Rest(int node, int from, int i, int j)
    {
        const auto key = std::make_tuple(node, from, i, j);
        if (auto it = memo_.find(key); it != memo_.end()) return it->second;
        const bool result = Compute(node, from, i, j);
        memo_[key] = result;
        return result;
    }

    bool Compute(int id, int from, int i, int j)
    {
        const TREGroupNode& node = nfa_.Node(id);
        switch (node.kind) {
        case TREGroupNode::Leaf: return LeafMatches(node, i, j);
        case TREGroupNode::Group: return Matches(node.children[0], i, j);
        case TREGroupNode::Alternatives:
            for (int c : node.children)
                if (Matches(c, i, j)) return true;
            return false;
        case TREGroupNode::Loop:
            if (i == j) return true;
            for (int k = i + 1; k <= j; ++k)
                if (Matches(node.children[0], i, k) && Rest(id, -1, k, j)) return true;
            return false;
        case TREGroupNode::Sequence: {
            const std::size_t first = from < 0 ? 0 : static_cast<std::size_t>(from);
            if (first == node.children.size()) return i == j;
            for (int k = i; k <= j; ++k)
                if (Matches(node.children[first], i, k) && Rest(id, static_cast<int>(first) + 1, k, j)) return true;
            return false;
        }
        }
        return false;
    }

    bool LeafMatches(const TREGroupNode& node, int i, int j) const
    {
        for (const TREGroupNFAEdge& e : nfa_.Out(node.in)) {
            if (e.kind == TREGroupNFAEdge::Empty && i == j) return true;
            if (e.kind == TREGroupNFAEdge::Assert && i == j &&
                Holds(e.assertion, text_.Boundaries[static_cast<std::size_t>(i)]))
                return true;
            if (e.kind == TREGroupNFAEdge::Char && j == i + 1) {
                const TRECharCode code = text_.Codes[static_cast<std::size_t>(i)];
                if (code >= e.low && code <= e.high) return true;
            }
        }
        return false;
    }

    void Extract(int id, int i, int j)
    {
        const TREGroupNode& node = nfa_.Node(id);
        if (node.lastCapture == 0) return;
        switch (node.kind) {
        case TREGroupNode::Group:
            if (node.iteration) ClearCaptures(node);
        if (node.capture != 0) captures_[static_cast<std::size_t>(node.capture)] = {i, j};
            Extract(node.children[0], i, j);
            return;
        case TREGroupNode::Alternatives:
            if (node.afterCopies && i == j) return;  // the empty alternative: no empty iteration
            for (int c : node.children)
                if (Matches(c, i, j)) return Extract(c, i, j);
            return;
        case TREGroupNode::Sequence: {
            int p = i;
            for (std::size_t t = 0; t < node.children.size(); ++t) {
                int k = j;
                while (k >= p && !(Matches(node.children[t], p, k) && Rest(id, static_cast<int>(t) + 1, k, j))) --k;
                if (k < p) throw std::logic_error("group extraction: the sequence does not match");
                Extract(node.children[t], p, k);
                p = k;
            }
            return;
        }
        case TREGroupNode::Loop: return ExtractLoop(id, i, j);
        case TREGroupNode::Leaf: return;
        }
    }

    void ExtractLoop(int id, int i, int j)
    {
        const TREGroupNode& node = nfa_.Node(id);
        const int body = node.children[0];
        if (i == j) {
            if (!node.afterCopies && Matches(body, i, i)) Extract(body, i, i);
            return;
        }
        for (int p = i; p < j;) {
            int k = j;
            while (k > p && !(Matches(body, p, k) && Rest(id, -1, k, j))) --k;
            if (k == p) throw std::logic_error("group extraction: the loop does not match");
            ClearCaptures(node);
            Extract(body, p, k);
            p = k;
        }
    }

    // A new iteration: the groups inside report it alone.
    void ClearCaptures(const TREGroupNode& node)
    {
        for (int g = node.firstCapture; g != 0 && g <= node.lastCapture; ++g) captures_[static_cast<std::size_t>(g)] = {};
    }

    const TREGroupNFA& nfa_;
    const TREMatchText& text_;
    TRECaptures captures_;
    std::map<std::tuple<int, int, int, int>, bool> memo_;
};

}  // namespace

TRECaptures ReferenceCaptures(const TREGroupNFA& nfa, const TREMatchText& text)
{
    return ReferenceExtractor(nfa, text).Run();
}
