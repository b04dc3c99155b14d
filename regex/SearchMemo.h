// What the single runs of one global replace found, kept so that a later run that reaches
// the same lazy-DFA state at the same position stops at once with the known result: the
// DFA is deterministic, so the rest of its run is the same. Without it a pattern such as
// ".*[^A-Z]|[A-Z]" on a long line of capitals runs to the line end once per match.
//
// One entry per 32-byte bucket of the subject holds the first (position, state) a run
// met in that bucket. Runs step over the same character boundaries, so a run that joins
// an earlier one meets the earlier entry in the next bucket at the latest. The memo costs
// three quarters of a byte per subject byte and is made only once runs have stepped over the subject
// twice, which ordinary patterns never do.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class TRELazyDFA;

class TSearchMemo {
public:
    TSearchMemo(const char* subjectBegin, const char* subjectEnd);

    // Counts the steps of an unremembered run; remembering starts once it pays. Inline:
    // a replace with a match at every character calls it once per character.
    void CountSteps(std::size_t steps)
    {
        unrememberedSteps_ += steps;
        if (unrememberedSteps_ > 2 * length_) Start();
    }
    bool Active() const { return !buckets_.empty(); }

    // Starts a remembered run; forgets every entry if the DFA renumbered its states.
    void BeginRun(const TRELazyDFA& dfa);
    // After a reset of the DFA in the middle of a run: the entries name old states.
    void Forget(const TRELazyDFA& dfa);
    // The result of a run from state at p, if an earlier run passed there; records this
    // run there otherwise. Checked when p enters a new bucket, the one BucketOf(p) gives.
    bool Recall(std::size_t bucket, int state, const char* p, const char*& known);
    // The run's result, null when it found nothing, for the entries it made.
    void EndRun(const char* result);

    std::size_t BucketOf(const char* p) const { return static_cast<std::size_t>(p - begin_) >> kBucketShift; }

private:
    static constexpr int kBucketShift = 5;
    void Start();
    struct Entry {
        std::int64_t offset = -1;
        const char* result = nullptr;
        int state = 0;
    };

    const char* begin_;
    std::size_t length_;
    std::size_t unrememberedSteps_ = 0;
    std::size_t resetCount_ = 0;
    std::vector<Entry> buckets_;
    std::vector<std::size_t> runBuckets_;  // the entries the current run made
};
