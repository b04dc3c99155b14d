// The line sort process: the three methods, the fixed order of equal lines, the line rule,
// and that the quicksort stays O(n log n) on sorted, reversed and all-equal input.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "core/PortableLineComparer.h"
#include "text/SjisLiteral.h"
#include "core/SortProcess.h"
#include "text/SplitLines.h"

namespace {

enum SortMethod { Ascending = 0, Descending = 1, Reverse = 2 };

std::string Sort(const std::string& text, int method, const ILineComparer& comparer = PortableLineComparer())
{
    EditSet set;
    set.SortMethod = static_cast<SortOrder>(method);
    return ProcessSort(text, set, comparer);
}

struct SortCase {
    const char* name;
    int method;
    std::string text;
    std::string expected;
};

TEST(SortProcess, SortsOrReversesLines)
{
    const SortCase cases[] = {
        {"ascending", Ascending, "pear\r\napple\r\nfig\r\n", "apple\r\nfig\r\npear"},
        {"descending", Descending, "pear\r\napple\r\nfig\r\n", "pear\r\nfig\r\napple"},
        {"reverse order", Reverse, "pear\r\napple\r\nfig\r\n", "fig\r\napple\r\npear"},
        {"case ties ascending", Ascending, "B\r\na\r\nA", "A\r\na\r\nB"},
        {"case ties descending", Descending, "B\r\na\r\nA", "B\r\na\r\nA"},
        {"all equal ascending", Ascending, "apple\r\nApple\r\nAPPLE", "APPLE\r\nApple\r\napple"},
        {"all equal descending", Descending, "apple\r\nApple\r\nAPPLE", "apple\r\nApple\r\nAPPLE"},
        {"all equal reverse", Reverse, "apple\r\nApple\r\nAPPLE", "APPLE\r\nApple\r\napple"},
        {"single line ascending", Ascending, "one\r\n", "one"},
        {"single line descending", Descending, "one\r\n", "one"},
        {"single line reverse", Reverse, "one\r\n", "one"},
        {"empty text ascending", Ascending, "", ""},
        {"empty text descending", Descending, "", ""},
        {"empty text reverse", Reverse, "", ""},
        {"one break alone", Ascending, "\r\n", ""},
        {"one break alone reversed", Reverse, "\r\n", ""},
        {"lone LF and CR", Ascending, "c\nb\ra", "a\r\nb\r\nc"},
        {"LF CR makes an empty line", Reverse, "a\n\rb", "b\r\n\r\na"},
        {"empty lines to the top", Ascending, "b\r\n\r\na\r\n\r\n-", "\r\n\r\n-\r\na\r\nb"},
        {"empty lines to the bottom", Descending, "b\r\n\r\na\r\n\r\n-", "b\r\na\r\n-\r\n\r\n"},
        {"symbols, digits, letters", Ascending, "b\r\n2\r\n#\r\nA\r\n1", "#\r\n1\r\n2\r\nA\r\nb"},
        {"hyphenated word beside its plain form", Ascending, "cop\r\nco-op\r\ncoop", "coop\r\nco-op\r\ncop"},
        {"text after a zero byte is gone", Ascending, std::string("b\na\0z\nc", 7), "a\r\nb"},
        {"double-byte lines after single-byte ones", Ascending,
         std::string("ソ"_sj) + "\r\n" + std::string("ア"_sj) + "\r\nz\r\n\xB1",
         "z\r\n\xB1\r\n" + std::string("ア"_sj) + "\r\n" + std::string("ソ"_sj)},
        {"unknown method sorts ascending", 9, "b\r\na", "a\r\nb"},
    };
    for (const auto& c : cases) EXPECT_EQ(Sort(c.text, c.method), c.expected) << c.name;
}

// Orders lines by their first byte only, so that most lines tie; counts its calls.
class FirstByteComparer : public ILineComparer {
public:
    using ILineComparer::Compare;
    int Compare(std::string_view a, std::string_view b, const TStandInMap*) const override
    {
        ++calls;
        const int x = a.empty() ? -1 : static_cast<unsigned char>(a[0]);
        const int y = b.empty() ? -1 : static_cast<unsigned char>(b[0]);
        return x - y;
    }
    mutable long calls = 0;
};

// The partition scheme written out as it is usually given: recursion on the left part,
// iteration on the right part. The process sorts the smaller part first instead; the
// parts are disjoint, so the order of equal lines must come out the same.
void ReferenceQuickSort(std::vector<std::string>& v, int l, int r, const ILineComparer& cmp)
{
    int i;
    do {
        i = l;
        int j = r;
        int p = (l + r) / 2;
        do {
            while (cmp.Compare(v[i], v[p]) < 0) ++i;
            while (cmp.Compare(v[j], v[p]) > 0) --j;
            if (i <= j) {
                std::swap(v[i], v[j]);
                if (p == i) p = j;
                else if (p == j) p = i;
                ++i;
                --j;
            }
        } while (i <= j);
        if (l < j) ReferenceQuickSort(v, l, j, cmp);
        l = i;
    } while (i < r);
}

TEST(SortProcess, EqualLinesComeOutInThePartitionSchemesOrder)
{
    std::mt19937 random(12345);
    const FirstByteComparer comparer;
    for (int round = 0; round < 200; ++round) {
        // Few distinct first bytes and a serial number: many ties, each line identifiable.
        const int count = 2 + static_cast<int>(random() % 60);
        std::vector<std::string> lines;
        for (int k = 0; k < count; ++k)
            lines.push_back(std::string(1, static_cast<char>('a' + random() % 4)) + std::to_string(k));
        std::vector<std::string> expected = lines;
        ReferenceQuickSort(expected, 0, count - 1, comparer);
        EXPECT_EQ(Sort(JoinLines(lines), Ascending, comparer), JoinLines(expected)) << "round " << round;
    }
}

TEST(SortProcess, DescendingIsTheExactReverseOfAscending)
{
    const std::string text = "b1\r\na1\r\nb2\r\na2\r\na3\r\nc1\r\nb3";
    const FirstByteComparer comparer;
    std::vector<std::string> ascending = SplitLines(Sort(text, Ascending, comparer));
    std::reverse(ascending.begin(), ascending.end());
    EXPECT_EQ(Sort(text, Descending, comparer), JoinLines(ascending));
}

struct ShapeCase {
    const char* name;
    std::vector<std::string> lines;
};

TEST(SortProcess, StaysNLogNOnOrderedAndEqualInput)
{
    const int n = 4096;  // log2 n = 12
    std::vector<std::string> sorted, reversed, equal, twoKeys;
    for (int k = 0; k < n; ++k) {
        std::string key(1, static_cast<char>(0x20 + k / 32));  // 128 distinct first bytes, no breaks
        sorted.push_back(key);
        reversed.insert(reversed.begin(), key);
        equal.push_back("x");
        twoKeys.push_back(k % 2 ? "a" : "b");
    }
    const ShapeCase cases[] = {
        {"sorted", sorted}, {"reversed", reversed}, {"all equal", equal}, {"alternating two keys", twoKeys}};
    for (const auto& c : cases) {
        const FirstByteComparer comparer;
        Sort(JoinLines(c.lines), Ascending, comparer);
        EXPECT_LT(comparer.calls, 4L * n * 12) << c.name;  // quadratic would be about n * n / 2
    }
}

}  // namespace
