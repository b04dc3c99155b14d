// Throughput of an edit set with every process enabled, and the line sort's growth on
// sorted, reversed, all-equal and random input. Each sort case runs beside std::sort
// with the same comparer as the peer, so the ratio (not the absolute time) is the claim.
//
//   cmake -B build -DMORVANE_BUILD_BENCH=ON && cmake --build build --target morvane_bench
//   ./build/bench/morvane_bench
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "core/NMURL.h"
#include "text/StandIns.h"
#include "core/PortableLineComparer.h"
#include "text/SjisLiteral.h"
#include "core/SortProcess.h"
#include "text/SplitLines.h"
#include "core/TextProcesses.h"
#include "regex/RegExp.h"

namespace {

// Mixed CP932 lines: ASCII words, kana, kanji, half-width kana, digits.
std::string GenerateText(std::size_t lines, std::size_t bytesPerLine)
{
    const std::string_view pieces[] = {"alpha ", "Beta=", "ソフト"_sj, "ｶﾀｶﾅ"_sj, "漢字"_sj, "123 ", "key=value ", "ア"_sj};
    std::mt19937 random(42);
    std::string text;
    text.reserve(lines * (bytesPerLine + 8));
    for (std::size_t i = 0; i < lines; ++i) {
        std::size_t start = text.size();
        while (text.size() - start < bytesPerLine) text += pieces[random() % std::size(pieces)];
        text += "\r\n";
    }
    return text;
}

EditSet EverythingEnabled()
{
    EditSet set;
    set.IfExec.fill(true);
    set.Cond[0] = {"alpha", "ALPHA", false};
    set.Cond[1] = {"beta", "&&", true};
    set.Cond[2] = {"[0-9]+", "<&>", false};
    set.CaseMethod = CaseConversion::Lower;
    set.KanaMethod = KanaConversion::ToKatakana;
    set.ZnHnMethod = WidthConversion::ToFullWidth;
    set.RLCenter.assign(1, '=');  // assign(): GCC 12 warns falsely on = "="
    set.EnDeCd = URLDirection::Encode;
    return set;
}

void RunPipeline(benchmark::State& state, std::size_t lines, std::size_t bytesPerLine)
{
    const std::string text = GenerateText(lines, bytesPerLine);
    const EditSet set = EverythingEnabled();
    TAWKStr awk;
    TNMURL url;
    PortableLineComparer comparer;
    TStandInMap standIns;
    ProcessServices services{awk, url, comparer, standIns};
    for (auto _ : state) benchmark::DoNotOptimize(RunEditSet(text, set, ProcessRunnerFor(services)));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
    state.counters["lines"] = static_cast<double>(lines);
}

void BM_AllProcesses_10MB(benchmark::State& state) { RunPipeline(state, 10 * 1024 * 1024 / 200, 200); }
void BM_AllProcesses_200kLines(benchmark::State& state) { RunPipeline(state, 200000, 30); }
BENCHMARK(BM_AllProcesses_10MB)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_AllProcesses_200kLines)->Unit(benchmark::kMillisecond)->Iterations(1);

enum class Shape { Sorted, Reversed, Equal, Random };

std::vector<std::string> MakeLines(Shape shape, std::size_t n)
{
    std::vector<std::string> lines;
    lines.reserve(n);
    std::mt19937 random(7);
    for (std::size_t i = 0; i < n; ++i) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "line %09zu", shape == Shape::Random ? random() % n : i);
        lines.push_back(shape == Shape::Equal ? std::string("same line") : std::string(buf));
    }
    if (shape == Shape::Reversed) std::reverse(lines.begin(), lines.end());
    return lines;
}

void SortWithProcess(benchmark::State& state, Shape shape)
{
    const std::string text = JoinLines(MakeLines(shape, static_cast<std::size_t>(state.range(0))));
    EditSet set;
    set.SortMethod = SortOrder::Ascending;
    PortableLineComparer comparer;
    for (auto _ : state) benchmark::DoNotOptimize(ProcessSort(text, set, comparer));
    state.SetComplexityN(state.range(0));
}

void SortWithStdSort(benchmark::State& state, Shape shape)
{
    const std::string text = JoinLines(MakeLines(shape, static_cast<std::size_t>(state.range(0))));
    PortableLineComparer comparer;
    for (auto _ : state) {
        std::vector<std::string> lines = SplitLines(text);
        std::sort(lines.begin(), lines.end(),
                  [&](const std::string& a, const std::string& b) { return comparer.Compare(a, b) < 0; });
        benchmark::DoNotOptimize(JoinLines(lines));
    }
    state.SetComplexityN(state.range(0));
}

#define MORVANE_SORT_BENCH(shape)                                                                       \
    void BM_ProcessSort_##shape(benchmark::State& s) { SortWithProcess(s, Shape::shape); }             \
    void BM_StdSortPeer_##shape(benchmark::State& s) { SortWithStdSort(s, Shape::shape); }             \
    BENCHMARK(BM_ProcessSort_##shape)->RangeMultiplier(4)->Range(1 << 12, 1 << 18)->Complexity(benchmark::oNLogN)->Unit(benchmark::kMillisecond); \
    BENCHMARK(BM_StdSortPeer_##shape)->RangeMultiplier(4)->Range(1 << 12, 1 << 18)->Complexity(benchmark::oNLogN)->Unit(benchmark::kMillisecond);

MORVANE_SORT_BENCH(Sorted)
MORVANE_SORT_BENCH(Reversed)
MORVANE_SORT_BENCH(Equal)
MORVANE_SORT_BENCH(Random)

}  // namespace
