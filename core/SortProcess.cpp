#include "core/SortProcess.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "core/SplitLines.h"

namespace {

// Quicksort with a middle pivot and this exact partition scheme: lines that compare equal
// must come out in the same order on every system, since descending order is the exact
// reverse of it. The pivot index follows the pivot line when it is exchanged.
//
// The scheme partitions sorted, reversed and all-equal input evenly, so those stay
// O(n log n). Unlike a plain recursion on the left part, the smaller part is the one
// sorted recursively and the larger one is carried on in the loop: the parts are disjoint,
// so the result is the same, and the stack depth stays logarithmic even on input that
// splits badly.
void QuickSort(std::vector<std::string>& lines, std::ptrdiff_t low, std::ptrdiff_t high, const ILineComparer& comparer)
{
    while (low < high) {
        std::ptrdiff_t i = low;
        std::ptrdiff_t j = high;
        std::ptrdiff_t pivot = (low + high) / 2;
        do {
            while (comparer.Compare(lines[i], lines[pivot]) < 0) ++i;
            while (comparer.Compare(lines[j], lines[pivot]) > 0) --j;
            if (i <= j) {
                std::swap(lines[i], lines[j]);
                if (pivot == i) pivot = j;
                else if (pivot == j) pivot = i;
                ++i;
                --j;
            }
        } while (i <= j);

        if (j - low < high - i) {
            QuickSort(lines, low, j, comparer);
            low = i;
        } else {
            QuickSort(lines, i, high, comparer);
            high = j;
        }
    }
}

}  // namespace

std::string ProcessSort(const std::string& text, const EditSet& set, const ILineComparer& comparer)
{
    std::vector<std::string> lines = SplitLines(text);
    // A SortMethod other than 1 or 2 can only come from a hand-edited settings file; it is
    // taken as ascending, the default.
    if (set.SortMethod != 2 && lines.size() >= 2)
        QuickSort(lines, 0, static_cast<std::ptrdiff_t>(lines.size()) - 1, comparer);
    if (set.SortMethod == 1 || set.SortMethod == 2) std::reverse(lines.begin(), lines.end());
    return JoinLines(lines);
}
