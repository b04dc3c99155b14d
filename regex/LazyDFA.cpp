#include "regex/LazyDFA.h"

#include <algorithm>

#include "text/Cp932.h"

TRELazyDFA::TRELazyDFA(std::unique_ptr<TRE_NFA> nfa, TRECharCode lineHeadCode, TRECharCode lineTailCode,
                       std::size_t budgetBytes)
    : nfa_(std::move(nfa)),
      lineHeadCode_(lineHeadCode),
      lineTailCode_(lineTailCode),
      lineHeadUsed_(nfa_->LineHeadUsed),
      lineTailUsed_(nfa_->LineTailUsed),
      budgetBytes_(budgetBytes),
      mark_(static_cast<std::size_t>(nfa_->StateCount()), 0)
{
    initial_ = FindOrAdd(Closure({nfa_->InitialState}));
}

std::size_t TRELazyDFA::SetHash::operator()(const std::vector<int>& v) const
{
    std::size_t h = v.size();
    for (int x : v) h = h * 1000003u ^ static_cast<std::size_t>(x);
    return h;
}

std::vector<int> TRELazyDFA::Closure(const std::vector<int>& seeds)
{
    if (++stamp_ == 0) {  // the stamps wrapped: start afresh
        std::fill(mark_.begin(), mark_.end(), 0);
        stamp_ = 1;
    }
    std::vector<int> result;
    std::vector<int> pending;
    for (int s : seeds) {
        if (mark_[static_cast<std::size_t>(s)] == stamp_) continue;
        mark_[static_cast<std::size_t>(s)] = stamp_;
        pending.push_back(s);
    }
    while (!pending.empty()) {
        const int s = pending.back();
        pending.pop_back();
        result.push_back(s);
        for (const auto& t : nfa_->States[static_cast<std::size_t>(s)]) {
            if (!IsEmptyLabel(t.Label) || mark_[static_cast<std::size_t>(t.Target)] == stamp_) continue;
            mark_[static_cast<std::size_t>(t.Target)] = stamp_;
            pending.push_back(t.Target);
        }
    }
    std::sort(result.begin(), result.end());
    return result;
}

int TRELazyDFA::FindOrAdd(std::vector<int> closure)
{
    if (auto it = index_.find(closure); it != index_.end()) return it->second;
    State state;
    accepting_.push_back(std::binary_search(closure.begin(), closure.end(), nfa_->FinalState) ? 1 : 0);
    single_.resize(single_.size() + 256, kUnknown);
    leadTables_.resize(leadTables_.size() + kLeadBytes, -1);
    bytesUsed_ += sizeof(State) + (256 + kLeadBytes) * sizeof(int) + 2 * closure.size() * sizeof(int) + 64;
    state.nfaStates = closure;
    const int id = static_cast<int>(states_.size());
    states_.push_back(std::move(state));
    index_.emplace(std::move(closure), id);
    return id;
}

void TRELazyDFA::BuildGroups(State& state)
{
    for (TRE_LabelGroup& g : GroupTransitions(*nfa_, state.nfaStates))
        state.groups.push_back({LabelLow(g.Label), LabelHigh(g.Label), std::move(g.Targets)});
    std::stable_sort(state.groups.begin(), state.groups.end(),
                     [](const Group& a, const Group& b) { return a.low < b.low; });
    for (const auto& g : state.groups) bytesUsed_ += sizeof(Group) + g.targets.size() * sizeof(int);
    state.groupsBuilt = true;
}

int TRELazyDFA::Compute(int stateId, TRECharCode code)
{
    State& state = states_[static_cast<std::size_t>(stateId)];
    if (!state.groupsBuilt) BuildGroups(state);
    for (const Group& g : state.groups) {
        if (code < g.low) return kNoState;
        if (code <= g.high) {
            std::vector<int> targets = g.targets;  // copied: FindOrAdd may move states_
            return FindOrAdd(Closure(targets));
        }
    }
    return kNoState;
}

int TRELazyDFA::NextSlow(int stateId, TRECharCode code)
{
    const std::size_t s = static_cast<std::size_t>(stateId);
    const int lead = code < 256 || code >= 0xFD00 ? -1 : kLeadIndex[code >> 8];
    // Marker codes and codes no text holds are never cached.
    if (code >= 256 && lead < 0) return Compute(stateId, code);
    const int next = Compute(stateId, code);
    if (code < 256) {
        single_[s * 256 + code] = next;
    } else {
        int& table = leadTables_[s * kLeadBytes + static_cast<std::size_t>(lead)];
        if (table < 0) {
            table = static_cast<int>(trails_.size() / 256);
            trails_.resize(trails_.size() + 256, kUnknown);
            bytesUsed_ += 256 * sizeof(int);
        }
        trails_[static_cast<std::size_t>(table) * 256 + (code & 0xFF)] = next;
    }
    return next;
}

bool TRELazyDFA::HasLineTailTransition(int state)
{
    int& cached = states_[static_cast<std::size_t>(state)].lineTail;
    if (cached == kUnknown) {
        const int target = Compute(state, lineTailCode_);
        states_[static_cast<std::size_t>(state)].lineTail = target;  // Compute may have moved states_
        return target != kNoState;
    }
    return cached != kNoState;
}

int TRELazyDFA::HeadState()
{
    if (headState_ == kUnknown) headState_ = Next(initial_, lineHeadCode_);
    return headState_;
}

void TRELazyDFA::Reset(std::vector<int>& live)
{
    std::vector<std::vector<int>> keep;
    keep.reserve(live.size());
    for (int s : live) keep.push_back(states_[static_cast<std::size_t>(s)].nfaStates);
    std::vector<int> initialSet = states_[static_cast<std::size_t>(initial_)].nfaStates;
    states_.clear();
    accepting_.clear();
    single_.clear();
    leadTables_.clear();
    trails_.clear();
    index_.clear();
    bytesUsed_ = 0;
    ++resets_;
    headState_ = kUnknown;
    startableFor_ = -1;
    initial_ = FindOrAdd(std::move(initialSet));
    for (std::size_t i = 0; i < live.size(); ++i) live[i] = FindOrAdd(std::move(keep[i]));
}

void TRELazyDFA::ComputeStartable(TRECharCode separator)
{
    const bool acceptsEmpty = Accepting(initial_);
    const bool tailAtSeparator = HasLineTailTransition(initial_);
    if (!states_[static_cast<std::size_t>(initial_)].groupsBuilt) BuildGroups(states_[static_cast<std::size_t>(initial_)]);
    // Copied: Next below may add states and move states_.
    std::vector<std::pair<unsigned, unsigned>> ranges;
    for (const Group& g : states_[static_cast<std::size_t>(initial_)].groups) ranges.emplace_back(g.low, g.high);
    for (int b = 0; b < 256; ++b) {
        bool startable = acceptsEmpty || (b == separator && tailAtSeparator);
        if (IsLeadByte(static_cast<unsigned char>(b))) {
            // A lead byte starts the codes b*256 .. b*256+255 (and itself, at the very end).
            const unsigned low = static_cast<unsigned>(b) * 256, high = low + 255;
            for (const auto& [rangeLow, rangeHigh] : ranges)
                if (rangeLow <= high && rangeHigh >= low) startable = true;
        }
        startable_[static_cast<std::size_t>(b)] =
            startable || Next(initial_, static_cast<TRECharCode>(b)) != kNoState;
    }
    startableFor_ = static_cast<int>(separator);
    singleStartByte_ = -1;
    startableCount_ = std::count(startable_.begin(), startable_.end(), true);
    if (startableCount_ == 1)
        singleStartByte_ = static_cast<int>(std::find(startable_.begin(), startable_.end(), true) - startable_.begin());
}
