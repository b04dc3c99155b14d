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

// A character of the text, read once for every thread that steps over it.
struct Char {
    const char* at;
    const char* after;  // the next character (at itself at the end of the text)
    TRECharCode code;   // 0 at the end of the text
};

Char ReadChar(const char* p)
{
    Char c{p, p, 0};
    c.code = NextChar(c.after);
    return c;
}

// Where one thread goes over a character.
struct Step {
    int to;           // the next state, or kNoState where the run stops
    bool endsAtTail;  // the run stops here and the line-tail marker matches here
};

// Scratch space kept between searches on one thread: a global replace searches once per
// match, and the vectors keep their capacity.
struct Scratch {
    std::vector<Thread> threads, survivors;
    SurvivorIndex firstSurvivor;
    std::vector<Attempt> attempts;
    std::vector<int> liveStates;
};

Scratch& ThreadScratch()
{
    thread_local Scratch scratch;
    return scratch;
}

// One search of one text. Its threads and attempts live in the scratch of the calling
// thread, which the search takes and clears only when it needs threads.
class Searcher {
public:
    Searcher(TRELazyDFA& dfa, const char* text, bool startIsLineHead, TMatchCORE_LineSeparator separator,
             TSearchMemo* memo)
        : dfa_(dfa), text_(text), startIsLineHead_(startIsLineHead), hasLineHead_(dfa.LineHeadUsed()),
          separatorCode_(separator == mcls_CRLF ? 0x0D : 0x0A), memo_(memo), p_(text), afterLineFeed_(startIsLineHead)
    {
    }

    TMatchResult Search();

private:
    Step StepOver(int state, const Char& c);
    const char* RunToEnd(int state, const char*& p, const char* lastAccept, TSearchMemo* memo);
    const char* RunLastThread(int state, const char* p, const char* lastAccept);
    bool SkipToPossibleStart();
    void SkipToLineHead();
    void SkipUnstartable();
    const char* ProbeAttempt();
    void BeginAttempt();
    bool StepLoneThread();
    bool StepAllThreads(const Char& c, TMatchResult& decided);
    void StepThread(Thread t, const Char& c, bool indexSurvivors);
    Thread* OlderSurvivorIn(int state, bool indexSurvivors);
    void EndThread(const Thread& t, const char* end);
    TMatchResult FinishAtTextEnd();
    void ResetCacheIfOverBudget();
    void TakeScratch()
    {
        scratch_ = &ThreadScratch();
        scratch_->threads.clear();
        scratch_->attempts.clear();
    }

    bool AtLineHead() const { return hasLineHead_ && afterLineFeed_; }
    bool LoneThread() const { return scratch_->threads.size() == 1 && scratch_->attempts.size() == 1; }
    Attempt& AttemptOf(const char* start)
    {
        return *std::lower_bound(scratch_->attempts.begin(), scratch_->attempts.end(), start,
                                 [](const Attempt& a, const char* s) { return a.start < s; });
    }
    void Commit(const char* start)
    {
        if (committedStart_ == nullptr || start < committedStart_) committedStart_ = start;
    }

    TRELazyDFA& dfa_;
    const char* const text_;
    const bool startIsLineHead_;
    const bool hasLineHead_;
    const TRECharCode separatorCode_;
    TSearchMemo* const memo_;
    Scratch* scratch_ = nullptr;            // taken only once threads run: GSub searches once per match
    const char* p_;                         // the character every running thread steps over next
    bool afterLineFeed_;                    // p_ follows an LF character (not an LF trail byte)
    const char* committedStart_ = nullptr;  // the oldest attempt known to match: no younger one counts
};

// The one step of every path below, as the reference runs the DFA: a run stops at the end
// of the text or where no transition leads on, and where it stops before the separator or
// the end of the text, the line-tail marker matches there.
inline Step Searcher::StepOver(int state, const Char& c)
{
    Step s{c.code == 0 ? TRELazyDFA::kNoState : dfa_.Next(state, c.code), false};
    if (s.to == TRELazyDFA::kNoState && (c.code == 0 || c.code == separatorCode_))
        s.endsAtTail = dfa_.HasLineTailTransition(state);
    return s;
}

// Runs one thread from p until its run stops, as the reference runs the DFA from one
// start: the end of the longest accepted prefix (or lastAccept, or null), with the
// line-tail marker honoured where the run stops; p is left where it stopped. Resets the
// cache in place when needed. With a memo the run also stops where an earlier run of
// the same replace went on from the same state and position, and is recorded itself.
const char* Searcher::RunToEnd(int state, const char*& p, const char* lastAccept, TSearchMemo* memo)
{
    if (memo != nullptr) memo->BeginRun(dfa_);
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
        if (dfa_.Accepting(state)) lastAccept = p;
        const Char c = ReadChar(p);
        const Step s = StepOver(state, c);
        if (s.to == TRELazyDFA::kNoState) {
            result = s.endsAtTail ? p : lastAccept;
            break;
        }
        state = s.to;
        p = c.after;
        if (dfa_.OverBudget()) {
            std::vector<int> live{state};
            dfa_.Reset(live);
            state = live.front();
            if (memo != nullptr) memo->Forget(dfa_);
        }
    }
    if (memo != nullptr) memo->EndRun(result);
    return result;
}

// The run of the one thread left, remembered once runs have grown long.
const char* Searcher::RunLastThread(int state, const char* p, const char* lastAccept)
{
    TSearchMemo* const remember = memo_ != nullptr && memo_->Active() ? memo_ : nullptr;
    const char* stop = p;
    const char* result = RunToEnd(state, stop, lastAccept, remember);
    if (memo_ != nullptr && remember == nullptr) memo_->CountSteps(static_cast<std::size_t>(stop - p));
    return result;
}

// How the search runs. Every character is a possible start of an attempt; an attempt runs
// one thread (a DFA state), or two at a line head where the line-head marker applies, and
// all live threads advance together, one character per round, in order of their start.
// While nothing runs, SkipToPossibleStart jumps over text no match can begin in (by byte
// search where the first byte is known) and probes the attempt there alone for a few
// characters, since most die at once. BeginAttempt adds the attempt at p_. While one
// thread runs before any match, StepLoneThread steps it without bookkeeping until another
// attempt could begin or it accepts or stops. StepAllThreads is the general round: each
// thread records where it accepted, stops where its run stops (giving its attempt a
// result), or survives unless an older thread already reached its state, whose future
// it shares. The oldest attempt with a match commits the search: younger ones are
// dropped, none begins, and once one thread is left RunLastThread runs it out. The
// search is decided when the oldest attempt has no thread left; FinishAtTextEnd stops
// the rest with the end of the text. Every path steps by StepOver.
TMatchResult Searcher::Search()
{
    // (The one exception: an empty text searched as the rest of a text has no start.)
    if (dfa_.Accepting(dfa_.InitialState()) && !hasLineHead_ && (startIsLineHead_ || *text_ != 0)) {
        // The attempt at the text start matches at once, so it is the match: only its
        // longest end is left to find, by one run.
        return {text_, RunLastThread(dfa_.InitialState(), text_, text_)};
    }
    TakeScratch();
    while (*p_ != 0) {
        ResetCacheIfOverBudget();
        if (committedStart_ != nullptr && LoneThread()) {
            const Thread& t = scratch_->threads.front();
            Attempt& a = scratch_->attempts.front();
            Improve(a.best, RunLastThread(t.state, p_, t.lastAccept));
            return {a.start, a.best};
        }
        if (committedStart_ == nullptr) {
            if (scratch_->threads.empty() && !SkipToPossibleStart()) break;
            BeginAttempt();
            if (LoneThread() && !dfa_.Accepting(scratch_->threads.front().state) && StepLoneThread()) continue;
        }
        const Char c = ReadChar(p_);
        TMatchResult decided;
        if (StepAllThreads(c, decided)) return decided;
        afterLineFeed_ = c.code == 0x0A;
        p_ = c.after;
    }
    return FinishAtTextEnd();
}

void Searcher::ResetCacheIfOverBudget()
{
    if (!dfa_.OverBudget()) return;
    std::vector<int>& liveStates = scratch_->liveStates;
    liveStates.clear();
    for (const Thread& t : scratch_->threads) liveStates.push_back(t.state);
    dfa_.Reset(liveStates);
    for (std::size_t i = 0; i < scratch_->threads.size(); ++i) scratch_->threads[i].state = liveStates[i];
}

// Nothing running: moves p_ on to the next place an attempt may begin and survive its
// first characters. Returns false at the end of the text.
bool Searcher::SkipToPossibleStart()
{
    for (;;) {
        const int single = dfa_.SingleStartByte(separatorCode_);
        if (single > 0 && !hasLineHead_)
            p_ = FindCharStartingWith(p_, static_cast<char>(single));
        else if (hasLineHead_ && !AtLineHead() && dfa_.NoStartByte(separatorCode_))
            SkipToLineHead();
        else
            SkipUnstartable();
        if (*p_ == 0) return false;
        if (AtLineHead()) return true;
        const char* next = ProbeAttempt();
        if (next == p_) return true;
        p_ = next;
        if (*p_ == 0) return false;
        ResetCacheIfOverBudget();
    }
}

// Only line heads can begin a match: on to the next LF character.
void Searcher::SkipToLineHead()
{
    p_ = FindCharStartingWith(p_, '\n');
    if (*p_ != 0) {
        ++p_;
        afterLineFeed_ = true;
    }
}

// Passes over characters no match begins with, and those whose first byte could begin one
// but whose first step from the initial state fails.
void Searcher::SkipUnstartable()
{
    if (AtLineHead()) return;
    const auto& startable = dfa_.Startable(separatorCode_);
    const int initial = dfa_.InitialState();
    // Locals, not members: this loop runs over most of the text where matches are sparse.
    const char* p = p_;
    TRECharCode passed = 0;  // the last character passed over
    while (*p != 0) {
        const Char c = ReadChar(p);
        if (startable[static_cast<unsigned char>(*p)]) {
            if (dfa_.Accepting(initial)) break;
            const Step s = StepOver(initial, c);
            if (s.to != TRELazyDFA::kNoState || s.endsAtTail) break;
        }
        p = c.after;
        passed = c.code;
        if (hasLineHead_ && passed == 0x0A) break;
    }
    if (p != p_) afterLineFeed_ = passed == 0x0A;
    p_ = p;
}

// Before any attempt runs: tries the attempt at p_ alone for a few characters, without the
// bookkeeping of threads. Most attempts die within them having matched nothing, and such
// an attempt leaves no trace: the next one begins at the first character after p_ where
// one can. Returns that position (afterLineFeed_ set for it), or p_ when the attempt lives
// on, matches or meets the end, which the general step then takes from the start.
const char* Searcher::ProbeAttempt()
{
    constexpr int kProbeSteps = 8;
    const auto& startable = dfa_.Startable(separatorCode_);
    int state = dfa_.InitialState();
    const char* next = nullptr;  // the first place after p_ where an attempt can begin
    bool lineFeedBeforeNext = false;
    const char* q = p_;
    for (int step = 0; step < kProbeSteps; ++step) {
        if (dfa_.Accepting(state)) return p_;
        const Char c = ReadChar(q);
        const Step s = StepOver(state, c);
        if (s.to == TRELazyDFA::kNoState) {
            if (c.code == 0 || s.endsAtTail) return p_;
            if (next == nullptr) {
                next = c.after;
                lineFeedBeforeNext = c.code == 0x0A;
            }
            afterLineFeed_ = lineFeedBeforeNext;
            return next;
        }
        state = s.to;
        q = c.after;
        if (next == nullptr && (startable[static_cast<unsigned char>(*q)] || (hasLineHead_ && c.code == 0x0A))) {
            next = q;
            lineFeedBeforeNext = c.code == 0x0A;
        }
    }
    return p_;
}

// The attempt at p_, unless it would die at once at a character no match begins with.
void Searcher::BeginAttempt()
{
    if (!dfa_.Startable(separatorCode_)[static_cast<unsigned char>(*p_)] && !AtLineHead()) return;
    Attempt attempt{p_, nullptr, 1};
    scratch_->threads.push_back({dfa_.InitialState(), p_, nullptr});
    if (AtLineHead() && dfa_.HeadState() != TRELazyDFA::kNoState) {
        scratch_->threads.push_back({dfa_.HeadState(), p_, nullptr});
        ++attempt.live;
    }
    scratch_->attempts.push_back(attempt);
}

// The only thread of the only attempt, before any match: steps it while no other attempt
// could begin (at characters no match begins with, off line heads) and it neither
// accepts nor stops, which the general step handles. Returns whether it moved.
bool Searcher::StepLoneThread()
{
    const auto& startable = dfa_.Startable(separatorCode_);
    int state = scratch_->threads.front().state;
    const char* p = p_;
    bool afterLineFeed = afterLineFeed_;
    for (;;) {
        const Char c = ReadChar(p);
        const Step s = StepOver(state, c);
        if (s.to == TRELazyDFA::kNoState || dfa_.Accepting(s.to)) break;
        state = s.to;
        p = c.after;
        afterLineFeed = c.code == 0x0A;
        if (*p == 0 || startable[static_cast<unsigned char>(*p)] || (hasLineHead_ && afterLineFeed) ||
            dfa_.OverBudget())
            break;
    }
    scratch_->threads.front().state = state;
    const bool moved = p != p_;
    p_ = p;
    afterLineFeed_ = afterLineFeed;
    return moved;
}

// Steps every thread over c. Returns true with the result once the oldest attempt has no
// thread left. This and the per-thread steps below are inlined by force: called, the
// round would keep the searcher's state in memory, some 5% of a class pattern's time.
[[gnu::always_inline]] inline bool Searcher::StepAllThreads(const Char& c, TMatchResult& decided)
{
    std::vector<Thread>& threads = scratch_->threads;
    std::vector<Attempt>& attempts = scratch_->attempts;
    scratch_->survivors.clear();
    // Threads are usually few, and a scan is the cheapest way to find an older one in
    // the same state; many threads (a long pattern that keeps beginning again) need
    // the index.
    const bool indexSurvivors = threads.size() > 16;
    if (indexSurvivors) scratch_->firstSurvivor.NextStep();
    for (const Thread& t : threads) StepThread(t, c, indexSurvivors);
    threads.swap(scratch_->survivors);

    if (committedStart_ != nullptr) {
        // The oldest attempt that has matched wins over every younger one.
        std::erase_if(threads, [&](const Thread& t) { return t.start > committedStart_; });
        std::erase_if(attempts, [&](const Attempt& a) { return a.start > committedStart_; });
    }
    std::erase_if(attempts, [](const Attempt& a) { return a.live == 0 && a.best == nullptr; });
    if (attempts.empty() || attempts.front().live != 0) return false;
    decided = {attempts.front().start, attempts.front().best};
    return true;
}

[[gnu::always_inline]] inline void Searcher::StepThread(Thread t, const Char& c, bool indexSurvivors)
{
    if (dfa_.Accepting(t.state)) {
        t.lastAccept = c.at;
        Commit(t.start);
    }
    const Step s = StepOver(t.state, c);
    if (s.to == TRELazyDFA::kNoState) {
        EndThread(t, s.endsAtTail ? c.at : t.lastAccept);
        return;
    }
    t.state = s.to;
    if (Thread* older = OlderSurvivorIn(s.to, indexSurvivors)) {
        if (older->start == t.start) {  // siblings: one future, keep the longer past
            Improve(older->lastAccept, t.lastAccept);
            --AttemptOf(t.start).live;
            return;
        }
        if (t.lastAccept == nullptr) {  // the older attempt's future covers this one
            --AttemptOf(t.start).live;
            return;
        }
    }
    scratch_->survivors.push_back(t);
}

// The survivor of this round already in state, or null; with the index, records the next
// survivor as the one for state when there is none.
[[gnu::always_inline]] inline Thread* Searcher::OlderSurvivorIn(int state, bool indexSurvivors)
{
    std::vector<Thread>& survivors = scratch_->survivors;
    if (indexSurvivors) {
        const int olderIndex = scratch_->firstSurvivor.FindOrAdd(state, static_cast<int>(survivors.size()));
        return olderIndex < 0 ? nullptr : &survivors[static_cast<std::size_t>(olderIndex)];
    }
    auto it = std::find_if(survivors.begin(), survivors.end(), [state](const Thread& o) { return o.state == state; });
    return it == survivors.end() ? nullptr : &*it;
}

// A thread whose run stopped, ending at end (or null): its attempt's result so far.
[[gnu::always_inline]] inline void Searcher::EndThread(const Thread& t, const char* end)
{
    Attempt& a = AttemptOf(t.start);
    Improve(a.best, end);
    if (a.best != nullptr) Commit(t.start);
    --a.live;
}

// The end of the text stops every thread still running; then only attempts at the end of
// the text itself are left, which can match only the empty string there.
TMatchResult Searcher::FinishAtTextEnd()
{
    const Char end = ReadChar(p_);
    TMatchResult decided;
    if (StepAllThreads(end, decided)) return decided;
    if (AtLineHead()) {
        const int head = dfa_.HeadState();
        if (head != TRELazyDFA::kNoState && (dfa_.Accepting(head) || StepOver(head, end).endsAtTail))
            return {p_, p_};
    }
    if (dfa_.LineTailUsed() && StepOver(dfa_.InitialState(), end).endsAtTail) return {p_, p_};
    return {};
}

}  // namespace

TMatchResult FastSearch(TRELazyDFA& dfa, const char* text, bool startIsLineHead, TMatchCORE_LineSeparator separator,
                        TSearchMemo* memo)
{
    // A plain run of characters needs no threads, nor the searcher's set-up.
    if (!dfa.Literal().empty()) return FindLiteral(text, dfa.Literal());
    return Searcher(dfa, text, startIsLineHead, separator, memo).Search();
}
