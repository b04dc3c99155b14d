#include "regex/SearchMemo.h"

#include <algorithm>

#include "regex/LazyDFA.h"

TSearchMemo::TSearchMemo(const char* subjectBegin, const char* subjectEnd)
    : begin_(subjectBegin), length_(static_cast<std::size_t>(subjectEnd - subjectBegin))
{
}

void TSearchMemo::Start()
{
    buckets_.resize((length_ >> kBucketShift) + 1);
}

void TSearchMemo::BeginRun(const TRELazyDFA& dfa)
{
    if (dfa.ResetCount() != resetCount_) Forget(dfa);
    runBuckets_.clear();
}

void TSearchMemo::Forget(const TRELazyDFA& dfa)
{
    std::fill(buckets_.begin(), buckets_.end(), Entry{});
    runBuckets_.clear();
    resetCount_ = dfa.ResetCount();
}

bool TSearchMemo::Recall(std::size_t bucket, int state, const char* p, const char*& known)
{
    Entry& entry = buckets_[bucket];
    const std::int64_t offset = p - begin_;
    if (entry.offset == offset && entry.state == state) {
        // The earlier run's result counts from here only if it was found at p or later.
        known = entry.result != nullptr && entry.result >= p ? entry.result : nullptr;
        return true;
    }
    entry = {offset, nullptr, state};
    runBuckets_.push_back(bucket);
    return false;
}

void TSearchMemo::EndRun(const char* result)
{
    for (std::size_t bucket : runBuckets_) buckets_[bucket].result = result;
    runBuckets_.clear();
}
