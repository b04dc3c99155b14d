#include "core/SortProcess.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <type_traits>
#include <utility>
#include <vector>

#include "text/SplitLines.h"

namespace {

// A sort holds every line at once, and a text of short lines has nearly as many lines as
// bytes: each line is kept as its place in the text in 8 bytes, half a view, where the
// text allows 32-bit offsets.
struct CompactLine {
    std::uint32_t start;
    std::uint32_t length;
};

// The lines with their order prefixes: most comparisons end at the prefix, and the
// collation runs only for lines whose starts weigh the same.
template <class Line>
class Lines {
public:
    Lines(std::string_view text, const ILineComparer& comparer, const TStandInMap* standIns)
        : text_(text), comparer_(comparer), standIns_(standIns)
    {
        std::size_t count = 0;
        ForEachLine(text, [&](std::string_view) { ++count; });
        items_.reserve(count);
        ForEachLine(text, [&](std::string_view line) {
            const std::uint64_t prefix = comparer.OrderPrefix(line, standIns);
            if constexpr (std::is_same_v<Line, CompactLine>)
                items_.push_back({{static_cast<std::uint32_t>(line.data() - text.data()), static_cast<std::uint32_t>(line.size())}, prefix});
            else
                items_.push_back({line, prefix});
        });
    }
    std::string_view operator[](std::size_t i) const
    {
        if constexpr (std::is_same_v<Line, CompactLine>) return text_.substr(items_[i].line.start, items_[i].line.length);
        else return items_[i].line;
    }
    int Compare(std::size_t a, std::size_t b) const
    {
        const std::uint64_t x = items_[a].prefix, y = items_[b].prefix;
        if (x != y) return x < y ? -1 : 1;
        return comparer_.Compare((*this)[a], (*this)[b], standIns_);
    }
    std::size_t size() const { return items_.size(); }
    void Swap(std::size_t a, std::size_t b) { std::swap(items_[a], items_[b]); }
    void Reverse() { std::reverse(items_.begin(), items_.end()); }

private:
    struct Item {
        Line line;
        std::uint64_t prefix;
    };
    std::string_view text_;
    const ILineComparer& comparer_;
    const TStandInMap* standIns_;
    std::vector<Item> items_;
};

// Quicksort with a middle pivot and this exact partition scheme: lines that compare equal
// must come out in the same order on every system, since descending order is the exact
// reverse of it. The pivot index follows the pivot line when it is exchanged.
//
// The scheme partitions sorted, reversed and all-equal input evenly, so those stay
// O(n log n). Unlike a plain recursion on the left part, the smaller part is the one
// sorted recursively and the larger one is carried on in the loop: the parts are disjoint,
// so the result is the same, and the stack depth stays logarithmic even on input that
// splits badly.
template <class Line>
void QuickSort(Lines<Line>& lines, std::ptrdiff_t low, std::ptrdiff_t high)
{
    auto at = [](std::ptrdiff_t i) { return static_cast<std::size_t>(i); };
    while (low < high) {
        std::ptrdiff_t i = low;
        std::ptrdiff_t j = high;
        std::ptrdiff_t pivot = (low + high) / 2;
        do {
            while (lines.Compare(at(i), at(pivot)) < 0) ++i;
            while (lines.Compare(at(j), at(pivot)) > 0) --j;
            if (i <= j) {
                lines.Swap(at(i), at(j));
                if (pivot == i) pivot = j;
                else if (pivot == j) pivot = i;
                ++i;
                --j;
            }
        } while (i <= j);

        if (j - low < high - i) {
            QuickSort(lines, low, j);
            low = i;
        } else {
            QuickSort(lines, i, high);
            high = j;
        }
    }
}

template <class Line>
std::string SortLines(std::string_view text, const EditSet& set, const ILineComparer& comparer, const TStandInMap* standIns)
{
    Lines<Line> lines(text, comparer, standIns);
    // A SortMethod that names no order can only come from a hand-edited settings file; it
    // is taken as ascending, the default.
    const bool reverse = set.SortMethod == SortOrder::Reverse;
    if (!reverse && lines.size() >= 2) QuickSort(lines, 0, static_cast<std::ptrdiff_t>(lines.size()) - 1);
    if (reverse || set.SortMethod == SortOrder::Descending) lines.Reverse();
    return JoinLines(lines);
}

}  // namespace

std::string ProcessSort(const std::string& text, const EditSet& set, const ILineComparer& comparer, const TStandInMap* standIns)
{
    if (text.size() <= std::numeric_limits<std::uint32_t>::max()) return SortLines<CompactLine>(text, set, comparer, standIns);
    return SortLines<std::string_view>(text, set, comparer, standIns);
}
