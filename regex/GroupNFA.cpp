#include "regex/GroupNFA.h"

#include <algorithm>
#include <string_view>

#include "regex/CharClasses.h"

bool Holds(TREAssertion assertion, const TREBoundary& b)
{
    switch (assertion) {
    case TREAssertion::LineHead: return b.LineHead;
    case TREAssertion::LineTail: return b.LineTail;
    case TREAssertion::WordBoundary: return IsWordCode(b.Before) != IsWordCode(b.After);
    case TREAssertion::NotWordBoundary: return IsWordCode(b.Before) == IsWordCode(b.After);
    }
    return false;
}

TRECharCode TRESubject::CodeBefore(const char* p) const
{
    if (p == Begin) return 0;
    const std::string_view before(Begin, static_cast<std::size_t>(p - Begin));
    const char* start = p - (before.size() >= 2 && IsTrailByte(before, before.size() - 1) ? 2 : 1);
    return NextChar(start);
}

// Today's line rules: a line starts at the text start and after an LF character; it ends
// before the separator (CR, or LF under LF separation) and at the text end.
TREBoundary TRESubject::BoundaryAt(const char* p, TRECharCode before, TRECharCode after) const
{
    const TRECharCode separator = Separator == mcls_CRLF ? 0x0D : 0x0A;
    return {before, after, p == Begin || before == 0x0A, after == 0 || after == separator};
}

TREGroupNFA::TREGroupNFA(const TRENode* root, int groupCount) : groupCount_(groupCount) { root_ = Build(root); }

int TREGroupNFA::NewNode(TREGroupNode::Kind kind)
{
    nodes_.push_back({});
    nodes_.back().kind = kind;
    return static_cast<int>(nodes_.size()) - 1;
}

int TREGroupNFA::NewState()
{
    out_.emplace_back();
    in_.emplace_back();
    return StateCount() - 1;
}

void TREGroupNFA::Link(int from, int to, TREGroupNFAEdge edge)
{
    edge.other = to;
    out_[static_cast<std::size_t>(from)].push_back(edge);
    edge.other = from;
    in_[static_cast<std::size_t>(to)].push_back(edge);
}

namespace {

// The operands of a chain of one operation (concatenation or union), left to right;
// parentheses end a chain.
std::vector<const TRENode*> Chain(const TRENode* node, TREOperation op)
{
    std::vector<const TRENode*> items, pending{node};
    while (!pending.empty()) {
        const TRENode* n = pending.back();
        pending.pop_back();
        if (n->Op == op) {
            pending.push_back(n->Right);
            pending.push_back(n->Left);
        } else {
            items.push_back(n);
        }
    }
    return items;
}

bool OnlyCharacters(const std::vector<const TRENode*>& items)
{
    return std::all_of(items.begin(), items.end(), [](const TRENode* n) { return n->Op == reop_Char; });
}

}  // namespace

// Builds the node for a parse-tree node; its states lie between its In and Out.
int TREGroupNFA::Build(const TRENode* node)
{
    if (node->Op == reop_Union && OnlyCharacters(Chain(node, reop_Union))) return BuildLeaf(node);
    const std::vector<const TRENode*> items =
        node->Op == reop_Concat || node->Op == reop_Union ? Chain(node, node->Op) : std::vector<const TRENode*>{};
    TREGroupNode::Kind kind = TREGroupNode::Leaf;
    if (node->Op == reop_Concat) kind = TREGroupNode::Sequence;
    else if (node->Op == reop_Union) kind = TREGroupNode::Alternatives;
    else if (node->Op == reop_Closure) kind = TREGroupNode::Loop;
    else if (node->Op == reop_Group) kind = TREGroupNode::Group;
    else return BuildLeaf(node);

    const int id = NewNode(kind);
    const int in = NewState();
    std::vector<int> children;
    if (items.empty()) children.push_back(Build(node->Left));
    for (const TRENode* item : items) children.push_back(Build(item));
    const int out = NewState();
    TREGroupNode& n = nodes_[static_cast<std::size_t>(id)];
    n.in = in;
    n.out = out;
    n.children = children;
    n.capture = kind == TREGroupNode::Group ? std::max(node->Capture, 0) : 0;
    n.iteration = kind == TREGroupNode::Group && node->Capture == TRENode::kIteration;
    n.afterCopies = node->AfterCopies;
    n.firstCapture = n.capture;
    for (int c : children) {
        const TREGroupNode& child = nodes_[static_cast<std::size_t>(c)];
        if (child.firstCapture != 0 && (n.firstCapture == 0 || child.firstCapture < n.firstCapture))
            n.firstCapture = child.firstCapture;
        n.lastCapture = std::max({n.lastCapture, child.lastCapture, n.capture});
    }
    const TREGroupNFAEdge empty{TREGroupNFAEdge::Empty, {}, 0, 0, 0};
    const auto childOf = [this](int c) -> const TREGroupNode& { return nodes_[static_cast<std::size_t>(c)]; };
    if (kind == TREGroupNode::Sequence) {
        Link(in, childOf(children.front()).in, empty);
        for (std::size_t i = 1; i < children.size(); ++i) Link(childOf(children[i - 1]).out, childOf(children[i]).in, empty);
        Link(childOf(children.back()).out, out, empty);
    } else if (kind == TREGroupNode::Loop) {
        Link(in, childOf(children.front()).in, empty);
        Link(childOf(children.front()).out, in, empty);
        Link(in, out, empty);
    } else {
        for (int c : children) {
            Link(in, childOf(c).in, empty);
            Link(childOf(c).out, out, empty);
        }
    }
    return id;
}

// Characters, assertions and the empty string: a node with no choice that matters to groups.
int TREGroupNFA::BuildLeaf(const TRENode* node)
{
    const int id = NewNode(TREGroupNode::Leaf);
    const int in = NewState();
    const int out = NewState();
    nodes_[static_cast<std::size_t>(id)].in = in;
    nodes_[static_cast<std::size_t>(id)].out = out;
    TREGroupNFAEdge edge{TREGroupNFAEdge::Assert, TREAssertion::LineHead, 0, 0, 0};
    switch (node->Op) {
    case reop_Char:
    case reop_Union: AddCharEdges(node, in, out); return id;
    case reop_LHead: break;
    case reop_LTail: edge.assertion = TREAssertion::LineTail; break;
    case reop_WordBoundary: edge.assertion = TREAssertion::WordBoundary; break;
    case reop_NotWordBoundary: edge.assertion = TREAssertion::NotWordBoundary; break;
    default: edge.kind = TREGroupNFAEdge::Empty; break;
    }
    Link(in, out, edge);
    return id;
}

void TREGroupNFA::AddCharEdges(const TRENode* node, int from, int to)
{
    for (const TRENode* leaf : Chain(node, reop_Union))
        Link(from, to, {TREGroupNFAEdge::Char, {}, leaf->Low, leaf->High, 0});
}
