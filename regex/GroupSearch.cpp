#include "regex/GroupSearch.h"

#include <cstdint>
#include <vector>

namespace {

struct Thread {
    int state;
    const char* start;
};

// The empty-transition closure of threads, in order, at one boundary: each state keeps
// the first thread that reaches it.
class ClosureBuilder {
public:
    explicit ClosureBuilder(const TREGroupNFA& nfa) : nfa_(nfa), mark_(static_cast<std::size_t>(nfa.StateCount()), 0) {}

    void Begin(const TREBoundary& boundary)
    {
        boundary_ = boundary;
        ++stamp_;
        result_.clear();
    }
    void Add(Thread seed)
    {
        pending_.push_back(seed);
        while (!pending_.empty()) {
            const Thread t = pending_.back();
            pending_.pop_back();
            if (mark_[static_cast<std::size_t>(t.state)] == stamp_) continue;
            mark_[static_cast<std::size_t>(t.state)] = stamp_;
            result_.push_back(t);
            const auto& edges = nfa_.Out(t.state);
            for (auto e = edges.rbegin(); e != edges.rend(); ++e) {
                if (e->kind == TREGroupNFAEdge::Empty ||
                    (e->kind == TREGroupNFAEdge::Assert && Holds(e->assertion, boundary_)))
                    pending_.push_back({e->other, t.start});
            }
        }
    }
    const std::vector<Thread>& Result() const { return result_; }

private:
    const TREGroupNFA& nfa_;
    std::vector<std::uint64_t> mark_;
    std::uint64_t stamp_ = 0;
    TREBoundary boundary_;
    std::vector<Thread> result_, pending_;
};

// The threads after one character: each thread's character transitions, in order.
void StepOver(const TREGroupNFA& nfa, const std::vector<Thread>& threads, TRECharCode code, const char* oldest,
              std::vector<Thread>& next)
{
    next.clear();
    for (const Thread& t : threads) {
        if (oldest != nullptr && t.start > oldest) continue;
        for (const TREGroupNFAEdge& e : nfa.Out(t.state))
            if (e.kind == TREGroupNFAEdge::Char && code >= e.low && code <= e.high) next.push_back({e.other, t.start});
    }
}

TMatchResult SearchAllTogether(const TREGroupNFA& nfa, const TRESubject& subject, const char* from)
{
    const int initial = nfa.Node(nfa.Root()).in, final = nfa.Node(nfa.Root()).out;
    ClosureBuilder closure(nfa);
    std::vector<Thread> seeds, next;
    TMatchResult best;
    TRECharCode before = subject.CodeBefore(from);
    for (const char* p = from;;) {
        const char* after = p;
        const TRECharCode code = NextChar(after);
        closure.Begin(subject.BoundaryAt(p, before, code));
        for (const Thread& t : seeds) closure.Add(t);
        if (!best.Found()) closure.Add({initial, p});
        for (const Thread& t : closure.Result()) {
            if (t.state != final) continue;
            if (!best.Found() || t.start < best.Start || (t.start == best.Start && p > best.End)) best = {t.start, p};
            break;  // the first final thread has the oldest start
        }
        if (code == 0) break;
        StepOver(nfa, closure.Result(), code, best.Start, next);
        if (next.empty() && best.Found()) break;
        seeds.swap(next);
        before = code;
        p = after;
    }
    return best;
}

// The end of the longest match that starts at start, or null.
const char* LongestFrom(const TREGroupNFA& nfa, const TRESubject& subject, const char* start)
{
    const int initial = nfa.Node(nfa.Root()).in, final = nfa.Node(nfa.Root()).out;
    ClosureBuilder closure(nfa);
    std::vector<Thread> seeds{{initial, start}}, next;
    const char* longest = nullptr;
    TRECharCode before = subject.CodeBefore(start);
    for (const char* p = start; !seeds.empty();) {
        const char* after = p;
        const TRECharCode code = NextChar(after);
        closure.Begin(subject.BoundaryAt(p, before, code));
        for (const Thread& t : seeds) closure.Add(t);
        for (const Thread& t : closure.Result())
            if (t.state == final) longest = p;
        if (code == 0) break;
        StepOver(nfa, closure.Result(), code, nullptr, next);
        seeds.swap(next);
        before = code;
        p = after;
    }
    return longest;
}

}  // namespace

TMatchResult GroupNFASearch(const TREGroupNFA& nfa, const TRESubject& subject, const char* from, TREEngine engine)
{
    if (engine == TREEngine::Fast) return SearchAllTogether(nfa, subject, from);
    for (const char* p = from;; p = StepChar(p)) {
        if (const char* end = LongestFrom(nfa, subject, p)) return {p, end};
        if (*p == 0) return {};
    }
}
