#include "regex/FastSearch.h"

#include <algorithm>
#include <deque>
#include <vector>

#include "regex/CharCode.h"

namespace {

struct Thread {
    int state;
    std::size_t attempt;         // absolute attempt number
    const char* lastAccept;      // end of the longest accepted prefix so far, or null
};

struct Attempt {
    const char* start;
    const char* best = nullptr;  // the attempt's result so far
    int live = 0;                // threads still running
};

}  // namespace

TMatchResult FastSearch(TRELazyDFA& dfa, const char* text, bool startIsLineHead, TMatchCORE_LineSeparator separator)
{
    const TRECharCode separatorCode = separator == mcls_CRLF ? 0x0D : 0x0A;
    const bool hasLineHead = dfa.LineHeadUsed();
    // Scratch space kept between calls: GSub searches once per match.
    thread_local std::vector<Thread> threads, survivors;
    thread_local std::deque<Attempt> attempts;  // attempts[0] has absolute number firstAttempt
    thread_local std::vector<int> liveStates;
    threads.clear();
    attempts.clear();
    std::size_t firstAttempt = 0;
    bool committed = false;  // some attempt has matched: begin no more

    auto isLineHead = [&](const char* p) {
        return hasLineHead && (p == text ? startIsLineHead : p[-1] == '\n');
    };

    const char* p = text;
    while (*p != 0) {
        if (dfa.OverBudget()) {
            liveStates.clear();
            for (const Thread& t : threads) liveStates.push_back(t.state);
            dfa.Reset(liveStates);
            for (std::size_t i = 0; i < threads.size(); ++i) threads[i].state = liveStates[i];
        }
        if (!committed) {
            if (threads.empty()) {
                // Nothing running: skip ahead to a character an attempt can begin with.
                const auto& startable = dfa.Startable(separatorCode);
                while (*p != 0 && !startable[static_cast<unsigned char>(*p)] && !isLineHead(p)) p = StepChar(p);
                if (*p == 0) break;
            }
            Attempt attempt{p};
            const std::size_t number = firstAttempt + attempts.size();
            threads.push_back({dfa.InitialState(), number, nullptr});
            ++attempt.live;
            if (isLineHead(p) && dfa.HeadState() != TRELazyDFA::kNoState) {
                threads.push_back({dfa.HeadState(), number, nullptr});
                ++attempt.live;
            }
            attempts.push_back(attempt);
        }

        const char* next = p;
        const TRECharCode code = NextChar(next);
        survivors.clear();
        for (Thread t : threads) {
            Attempt& a = attempts[t.attempt - firstAttempt];
            if (dfa.Accepting(t.state)) t.lastAccept = p;
            const int to = dfa.Next(t.state, code);
            if (to == TRELazyDFA::kNoState) {
                const char* end = t.lastAccept;
                if (code == separatorCode && dfa.HasLineTailTransition(t.state)) end = p;
                if (end != nullptr && (a.best == nullptr || end > a.best)) a.best = end;
                --a.live;
                continue;
            }
            t.state = to;
            // Live threads are few (at most one per distinct state): a scan beats a map.
            auto older_it = std::find_if(survivors.begin(), survivors.end(), [to](const Thread& o) { return o.state == to; });
            if (older_it != survivors.end()) {
                Thread& older = *older_it;
                if (older.attempt == t.attempt) {  // siblings: one future, keep the longer past
                    if (t.lastAccept != nullptr && (older.lastAccept == nullptr || t.lastAccept > older.lastAccept))
                        older.lastAccept = t.lastAccept;
                    --a.live;
                    continue;
                }
                if (t.lastAccept == nullptr) {  // the older attempt's future covers this one
                    --a.live;
                    continue;
                }
            }
            survivors.push_back(t);
        }
        threads.swap(survivors);

        // The oldest attempt that has matched wins over every younger one.
        for (std::size_t i = 0; i < attempts.size(); ++i) {
            bool matched = attempts[i].best != nullptr;
            for (const Thread& t : threads)
                if (t.attempt == firstAttempt + i && t.lastAccept != nullptr) matched = true;
            if (!matched) continue;
            committed = true;
            attempts.resize(i + 1);
            const std::size_t limit = firstAttempt + i;
            std::erase_if(threads, [&](const Thread& t) { return t.attempt > limit; });
            break;
        }
        while (!attempts.empty() && attempts.front().live == 0) {
            if (attempts.front().best != nullptr) return {attempts.front().start, attempts.front().best};
            attempts.pop_front();
            ++firstAttempt;
        }
        p = next;
    }

    const char* const textEnd = p;
    // The end of the text stops every thread still running (code 0).
    for (const Thread& t : threads) {
        Attempt& a = attempts[t.attempt - firstAttempt];
        const char* end = dfa.Accepting(t.state) ? textEnd : t.lastAccept;
        if (dfa.HasLineTailTransition(t.state)) end = textEnd;
        if (end != nullptr && (a.best == nullptr || end > a.best)) a.best = end;
    }
    for (const Attempt& a : attempts)
        if (a.best != nullptr) return {a.start, a.best};
    if (committed) return {};  // cannot happen: a committed attempt has a result

    // Attempts at the end of the text itself.
    const int initial = dfa.InitialState();
    if (isLineHead(textEnd)) {
        const int head = dfa.HeadState();
        if (head != TRELazyDFA::kNoState && (dfa.Accepting(head) || dfa.HasLineTailTransition(head)))
            return {textEnd, textEnd};
    }
    if (startIsLineHead && text == textEnd && !hasLineHead && dfa.Accepting(initial)) return {textEnd, textEnd};
    if (dfa.LineTailUsed() && dfa.HasLineTailTransition(initial)) return {textEnd, textEnd};
    return {};
}
