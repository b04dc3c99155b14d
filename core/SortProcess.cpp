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

template <class Line>
class Lines {
public:
    explicit Lines(std::string_view text) : text_(text)
    {
        std::size_t count = 0;
        ForEachLine(text, [&](std::string_view) { ++count; });
        lines_.reserve(count);
        ForEachLine(text, [&](std::string_view line) {
            if constexpr (std::is_same_v<Line, CompactLine>)
                lines_.push_back({static_cast<std::uint32_t>(line.data() - text.data()), static_cast<std::uint32_t>(line.size())});
            else
                lines_.push_back(line);
        });
    }
    std::string_view operator[](std::size_t i) const
    {
        if constexpr (std::is_same_v<Line, CompactLine>) return text_.substr(lines_[i].start, lines_[i].length);
        else return lines_[i];
    }
    std::size_t size() const { return lines_.size(); }
    std::vector<Line>& Items() { return lines_; }

private:
    std::string_view text_;
    std::vector<Line> lines_;
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
void QuickSort(Lines<Line>& lines, std::ptrdiff_t low, std::ptrdiff_t high, const ILineComparer& comparer, const TStandInMap* standIns)
{
    auto& items = lines.Items();
    while (low < high) {
        std::ptrdiff_t i = low;
        std::ptrdiff_t j = high;
        std::ptrdiff_t pivot = (low + high) / 2;
        do {
            while (comparer.Compare(lines[static_cast<std::size_t>(i)], lines[static_cast<std::size_t>(pivot)], standIns) < 0) ++i;
            while (comparer.Compare(lines[static_cast<std::size_t>(j)], lines[static_cast<std::size_t>(pivot)], standIns) > 0) --j;
            if (i <= j) {
                std::swap(items[static_cast<std::size_t>(i)], items[static_cast<std::size_t>(j)]);
                if (pivot == i) pivot = j;
                else if (pivot == j) pivot = i;
                ++i;
                --j;
            }
        } while (i <= j);

        if (j - low < high - i) {
            QuickSort(lines, low, j, comparer, standIns);
            low = i;
        } else {
            QuickSort(lines, i, high, comparer, standIns);
            high = j;
        }
    }
}

template <class Line>
std::string SortLines(std::string_view text, const EditSet& set, const ILineComparer& comparer, const TStandInMap* standIns)
{
    Lines<Line> lines(text);
    auto& items = lines.Items();
    // A SortMethod other than 1 or 2 can only come from a hand-edited settings file; it is
    // taken as ascending, the default.
    if (set.SortMethod != 2 && items.size() >= 2)
        QuickSort(lines, 0, static_cast<std::ptrdiff_t>(items.size()) - 1, comparer, standIns);
    if (set.SortMethod == 1 || set.SortMethod == 2) std::reverse(items.begin(), items.end());
    return JoinLines(lines);
}

}  // namespace

std::string ProcessSort(const std::string& text, const EditSet& set, const ILineComparer& comparer, const TStandInMap* standIns)
{
    if (text.size() <= std::numeric_limits<std::uint32_t>::max()) return SortLines<CompactLine>(text, set, comparer, standIns);
    return SortLines<std::string_view>(text, set, comparer, standIns);
}
