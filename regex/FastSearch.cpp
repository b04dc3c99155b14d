#include "regex/FastSearch.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "regex/CharCode.h"

namespace {

struct Thread {
    int state;
    const char* start;       // the attempt it belongs to
    const char* lastAccept;  // end of the longest accepted prefix so far, or null
};

// Only attempts that still run or have a result are kept, ordered by start, so the list
// stays as short as the thread list however long an old attempt runs.
struct Attempt {
    const char* start;
    const char* best;  // the attempt's result so far, or null
    int live;          // threads still running
};

Attempt& AttemptOf(std::vector<Attempt>& attempts, const char* start)
{
    return *std::lower_bound(attempts.begin(), attempts.end(), start,
                             [](const Attempt& a, const char* s) { return a.start < s; });
}

// Per state, the first survivor of the current step that reached it. Stamped by step, so
// nothing needs clearing between steps, even when the cache renumbers its states.
class SurvivorIndex {
public:
    void NextStep() { ++step_; }
    // The index stored for state in this step, or -1; stores index when there is none.
    int FindOrAdd(int state, int index)
    {
        const std::size_t s = static_cast<std::size_t>(state);
        if (s >= entries_.size()) entries_.resize(s + 1 + s / 2);
        Entry& e = entries_[s];
        if (e.step == step_) return e.index;
        e = {step_, index};
        return -1;
    }

private:
    struct Entry {
        std::uint64_t step = 0;
        int index = 0;
    };
    std::uint64_t step_ = 0;
    std::vector<Entry> entries_;
};

void Improve(const char*& best, const char* end)
{
    if (end != nullptr && (best == nullptr || end > best)) best = end;
}

// The first character at or after the character start p whose first byte is b (a byte
// that is no lead byte), or the terminator. The byte search may land on a trail byte: the
// bytes between the last known character start and the hit tell which it is, since a run
// of lead-valued bytes pairs up from its start.
bool StartsCharacter(const char* knownStart, const char* hit)
{
    const char* j = hit;
    while (j > knownStart && IsLeadByte(static_cast<unsigned char>(j[-1]))) --j;
    return (hit - j) % 2 == 0;
}

const char* FindCharStartingWith(const char* p, char b)
{
    for (;;) {
        const char* hit = std::strchr(p, b);
        if (hit == nullptr) return p + std::strlen(p);
        if (StartsCharacter(p, hit)) return hit;
        p = hit + 1;  // hit was a trail byte, so a character starts after it
    }
}

// A plain run of characters: the first occurrence that starts at a character boundary.
TMatchResult FindLiteral(const char* p, const std::string& literal)
{
    for (;;) {
        const char* hit = std::strstr(p, literal.c_str());
        if (hit == nullptr) return {};
        if (StartsCharacter(p, hit)) return {hit, hit + literal.size()};
        p = hit + 1;
    }
}

// Runs one thread from p until its run stops, as the reference runs the DFA from one
// start: the end of the longest accepted prefix (or lastAccept, or null), with the
// line-tail marker honoured where the run stops; p is left where it stopped. Resets the
// cache in place when needed. With a memo the run also stops where an earlier run of
// the same replace went on from the same state and position, and is recorded itself.
const char* RunToEnd(TRELazyDFA& dfa, int state, const char*& p, const char* lastAccept, TRECharCode separatorCode,
                     TSearchMemo* memo)
{
    if (memo != nullptr) memo->BeginRun(dfa);
    std::size_t bucket = SIZE_MAX;
    const char* result = nullptr;
    for (;;) {
        if (memo != nullptr && memo->BucketOf(p) != bucket) {
            bucket = memo->BucketOf(p);
            const char* known = nullptr;
            if (memo->Recall(bucket, state, p, known)) {
                Improve(lastAccept, known);
                result = lastAccept;
                break;
            }
        }
        if (dfa.Accepting(state)) lastAccept = p;
        const char* after = p;
        const TRECharCode code = NextChar(after);
        const int to = code == 0 ? TRELazyDFA::kNoState : dfa.Next(state, code);
        if (to == TRELazyDFA::kNoState) {
            const bool tail = (code == 0 || code == separatorCode) && dfa.HasLineTailTransition(state);
            result = tail ? p : lastAccept;
            break;
        }
        state = to;
        p = after;
        if (dfa.OverBudget()) {
            std::vector<int> live{state};
            dfa.Reset(live);
            state = live.front();
            if (memo != nullptr) memo->Forget(dfa);
        }
    }
    if (memo != nullptr) memo->EndRun(result);
    return result;
}

// The run of the one thread left, remembered once runs have grown long.
const char* RunLastThread(TRELazyDFA& dfa, int state, const char* p, const char* lastAccept,
                          TRECharCode separatorCode, TSearchMemo* memo)
{
    TSearchMemo* const remember = memo != nullptr && memo->Active() ? memo : nullptr;
    const char* stop = p;
    const char* result = RunToEnd(dfa, state, stop, lastAccept, separatorCode, remember);
    if (memo != nullptr && remember == nullptr) memo->CountSteps(static_cast<std::size_t>(stop - p));
    return result;
}

// The only thread of the only attempt, before any match: steps it while no other attempt
// could begin (at characters no match begins with, off line heads) and it neither
// accepts nor stops, which the general step handles. Returns whether it moved.
bool StepLoneThread(TRELazyDFA& dfa, int& state, const char*& p, bool& afterLineFeed, bool hasLineHead,
                    TRECharCode separatorCode)
{
    const auto& startable = dfa.Startable(separatorCode);
    const char* const from = p;
    for (;;) {
        const char* after = p;
        const TRECharCode code = NextChar(after);
        const int to = dfa.Next(state, code);
        if (to == TRELazyDFA::kNoState || dfa.Accepting(to)) break;
        state = to;
        p = after;
        afterLineFeed = code == 0x0A;
        if (*p == 0 || startable[static_cast<unsigned char>(*p)] || (hasLineHead && afterLineFeed) || dfa.OverBudget())
            break;
    }
    return p != from;
}

// Before any attempt runs: tries the attempt at p alone for a few characters, without the
// bookkeeping of threads. Most attempts die within them having matched nothing, and such
// an attempt leaves no trace: the next one begins at the first character after p where
// one can. Returns that position (afterLineFeed set for it), or p when the attempt lives
// on, matches or meets the end, which the general step then takes from the start.
const char* ProbeAttempt(TRELazyDFA& dfa, const char* p, bool hasLineHead, TRECharCode separatorCode,
                         bool& afterLineFeed)
{
    constexpr int kProbeSteps = 8;
    const auto& startable = dfa.Startable(separatorCode);
    int state = dfa.InitialState();
    const char* next = nullptr;  // the first place after p where an attempt can begin
    bool lineFeedBeforeNext = false;
    const char* q = p;
    for (int step = 0; step < kProbeSteps; ++step) {
        if (dfa.Accepting(state)) return p;
        const char* after = q;
        const TRECharCode code = NextChar(after);
        if (code == 0) return p;
        const int to = dfa.Next(state, code);
        if (to == TRELazyDFA::kNoState) {
            if (code == separatorCode && dfa.HasLineTailTransition(state)) return p;
            if (next == nullptr) {
                next = after;
                lineFeedBeforeNext = code == 0x0A;
            }
            afterLineFeed = lineFeedBeforeNext;
            return next;
        }
        state = to;
        q = after;
        if (next == nullptr && (startable[static_cast<unsigned char>(*q)] || (hasLineHead && code == 0x0A))) {
            next = q;
            lineFeedBeforeNext = code == 0x0A;
        }
    }
    return p;
}

}  // namespace

TMatchResult FastSearch(TRELazyDFA& dfa, const char* text, bool startIsLineHead, TMatchCORE_LineSeparator separator,
                        TSearchMemo* memo)
{
    if (!dfa.Literal().empty()) return FindLiteral(text, dfa.Literal());
    const TRECharCode separatorCode = separator == mcls_CRLF ? 0x0D : 0x0A;
    // (The one exception: an empty text searched as the rest of a text has no start.)
    if (dfa.Accepting(dfa.InitialState()) && !dfa.LineHeadUsed() && (startIsLineHead || *text != 0)) {
        // The attempt at the text start matches at once, so it is the match: only its
        // longest end is left to find, by one run.
        return {text, RunLastThread(dfa, dfa.InitialState(), text, text, separatorCode, memo)};
    }
    const bool hasLineHead = dfa.LineHeadUsed();
    // Scratch space kept between calls: GSub searches once per match.
    thread_local std::vector<Thread> threads, survivors;
    thread_local SurvivorIndex firstSurvivor;
    thread_local std::vector<Attempt> attempts;
    thread_local std::vector<int> liveStates;
    threads.clear();
    attempts.clear();
    const char* committedStart = nullptr;  // the oldest attempt known to match: no younger one counts

    // A line starts after an LF character; an LF byte that is a trail byte does not count.
    bool afterLineFeed = startIsLineHead;
    auto atLineHead = [&] { return hasLineHead && afterLineFeed; };
    auto commit = [&](const char* start) {
        if (committedStart == nullptr || start < committedStart) committedStart = start;
    };

    const char* p = text;
    while (*p != 0) {
        if (dfa.OverBudget()) {
            liveStates.clear();
            for (const Thread& t : threads) liveStates.push_back(t.state);
            dfa.Reset(liveStates);
            for (std::size_t i = 0; i < threads.size(); ++i) threads[i].state = liveStates[i];
        }
        if (committedStart != nullptr && threads.size() == 1 && attempts.size() == 1) {
            // The usual case once a match has begun: one run left. Step it without the
            // bookkeeping of many threads.
            const Thread& t = threads.front();
            Improve(attempts.front().best, RunLastThread(dfa, t.state, p, t.lastAccept, separatorCode, memo));
            return {attempts.front().start, attempts.front().best};
        }
        if (committedStart == nullptr) {
            if (threads.empty()) {
                // Nothing running: skip ahead to a character an attempt can begin with.
                const int single = dfa.SingleStartByte(separatorCode);
                if (single > 0 && !hasLineHead) {
                    p = FindCharStartingWith(p, static_cast<char>(single));
                } else if (hasLineHead && !atLineHead() && dfa.NoStartByte(separatorCode)) {
                    // Only line heads can begin a match: on to the next LF character.
                    p = FindCharStartingWith(p, '\n');
                    if (*p != 0) {
                        ++p;
                        afterLineFeed = true;
                    }
                } else {
                    // A character whose first byte can begin a match is passed over too
                    // when the first step from the initial state fails on it.
                    const auto& startable = dfa.Startable(separatorCode);
                    const int initial = dfa.InitialState();
                    while (*p != 0 && !atLineHead()) {
                        const char* after = p;
                        const TRECharCode code = NextChar(after);
                        if (startable[static_cast<unsigned char>(*p)] &&
                            (dfa.Next(initial, code) != TRELazyDFA::kNoState || dfa.Accepting(initial) ||
                             (code == separatorCode && dfa.HasLineTailTransition(initial))))
                            break;
                        afterLineFeed = code == 0x0A;
                        p = after;
                    }
                }
                if (*p == 0) break;
                if (!atLineHead()) {
                    const char* next = ProbeAttempt(dfa, p, hasLineHead, separatorCode, afterLineFeed);
                    if (next != p) {
                        p = next;
                        continue;
                    }
                }
            }
            // An attempt at a character no match can begin with would die at once: skip it.
            if (dfa.Startable(separatorCode)[static_cast<unsigned char>(*p)] || atLineHead()) {
                Attempt attempt{p, nullptr, 1};
                threads.push_back({dfa.InitialState(), p, nullptr});
                if (atLineHead() && dfa.HeadState() != TRELazyDFA::kNoState) {
                    threads.push_back({dfa.HeadState(), p, nullptr});
                    ++attempt.live;
                }
                attempts.push_back(attempt);
            }
        }

        if (committedStart == nullptr && threads.size() == 1 && attempts.size() == 1 &&
            !dfa.Accepting(threads.front().state) &&
            StepLoneThread(dfa, threads.front().state, p, afterLineFeed, hasLineHead, separatorCode))
            continue;

        const char* next = p;
        const TRECharCode code = NextChar(next);
        survivors.clear();
        // Threads are usually few, and a scan is the cheapest way to find an older one in
        // the same state; many threads (a long pattern that keeps beginning again) need
        // the index.
        const bool indexSurvivors = threads.size() > 16;
        if (indexSurvivors) firstSurvivor.NextStep();
        for (Thread t : threads) {
            if (dfa.Accepting(t.state)) {
                t.lastAccept = p;
                commit(t.start);
            }
            const int to = dfa.Next(t.state, code);
            if (to == TRELazyDFA::kNoState) {
                Attempt& a = AttemptOf(attempts, t.start);
                const char* end = t.lastAccept;
                if (code == separatorCode && dfa.HasLineTailTransition(t.state)) end = p;
                Improve(a.best, end);
                if (a.best != nullptr) commit(t.start);
                --a.live;
                continue;
            }
            t.state = to;
            Thread* older = nullptr;
            if (indexSurvivors) {
                const int olderIndex = firstSurvivor.FindOrAdd(to, static_cast<int>(survivors.size()));
                if (olderIndex >= 0) older = &survivors[static_cast<std::size_t>(olderIndex)];
            } else {
                auto it = std::find_if(survivors.begin(), survivors.end(), [to](const Thread& o) { return o.state == to; });
                if (it != survivors.end()) older = &*it;
            }
            if (older != nullptr) {
                if (older->start == t.start) {  // siblings: one future, keep the longer past
                    Improve(older->lastAccept, t.lastAccept);
                    --AttemptOf(attempts, t.start).live;
                    continue;
                }
                if (t.lastAccept == nullptr) {  // the older attempt's future covers this one
                    --AttemptOf(attempts, t.start).live;
                    continue;
                }
            }
            survivors.push_back(t);
        }
        threads.swap(survivors);

        if (committedStart != nullptr) {
            // The oldest attempt that has matched wins over every younger one.
            std::erase_if(threads, [&](const Thread& t) { return t.start > committedStart; });
            std::erase_if(attempts, [&](const Attempt& a) { return a.start > committedStart; });
        }
        std::erase_if(attempts, [](const Attempt& a) { return a.live == 0 && a.best == nullptr; });
        if (!attempts.empty() && attempts.front().live == 0) return {attempts.front().start, attempts.front().best};
        afterLineFeed = code == 0x0A;
        p = next;
    }

    const char* const textEnd = p;
    // The end of the text stops every thread still running (code 0).
    for (const Thread& t : threads) {
        Attempt& a = AttemptOf(attempts, t.start);
        Improve(a.best, dfa.Accepting(t.state) || dfa.HasLineTailTransition(t.state) ? textEnd : t.lastAccept);
    }
    for (const Attempt& a : attempts)
        if (a.best != nullptr) return {a.start, a.best};

    // Attempts at the end of the text itself.
    const int initial = dfa.InitialState();
    if (atLineHead()) {
        const int head = dfa.HeadState();
        if (head != TRELazyDFA::kNoState && (dfa.Accepting(head) || dfa.HasLineTailTransition(head)))
            return {textEnd, textEnd};
    }
    if (startIsLineHead && text == textEnd && !hasLineHead && dfa.Accepting(initial)) return {textEnd, textEnd};
    if (dfa.LineTailUsed() && dfa.HasLineTailTransition(initial)) return {textEnd, textEnd};
    return {};
}
