// A 100 MB clipboard text through every text process and a four-condition replace, with
// the peak of live heap memory counted by replacing the global operator new and delete.
// Each row prints its time and its peak as a multiple of the text's size, and fails when
// that multiple passes the bound. Run the binary directly to see the numbers.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <new>
#include <string>
#include <vector>

#include "core/EditDriver.h"
#include "text/StandIns.h"
#include "core/NMURL.h"
#include "core/PortableLineComparer.h"
#include "text/SjisLiteral.h"
#include "core/TextProcesses.h"
#include "regex/RegExp.h"

namespace {

// A literal's CP932 bytes as a string; clang 14 crashes on std::string("..."_sj) in
// some declarations.
std::string Sj(std::string_view bytes) { return std::string(bytes); }

// Live bytes and their peak. Each block carries its size in a header in front of it, so
// that delete knows how much it gives back whichever form of delete is called.
std::size_t liveBytes = 0;
std::size_t peakBytes = 0;
constexpr std::size_t kHeader = alignof(std::max_align_t);

void* Allocate(std::size_t size)
{
    void* block = std::malloc(size + kHeader);
    if (block == nullptr) throw std::bad_alloc();
    *static_cast<std::size_t*>(block) = size;
    liveBytes += size;
    peakBytes = std::max(peakBytes, liveBytes);
    return static_cast<char*>(block) + kHeader;
}

void Release(void* p) noexcept
{
    if (p == nullptr) return;
    void* block = static_cast<char*>(p) - kHeader;
    liveBytes -= *static_cast<std::size_t*>(block);
    std::free(block);
}

}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, std::size_t) noexcept { Release(p); }
void operator delete[](void* p, std::size_t) noexcept { Release(p); }

namespace {

constexpr std::size_t kTextBytes = std::size_t{100} << 20;
constexpr std::size_t kBreaksBytes = std::size_t{16} << 20;
constexpr double kMaxMultiple = 8.0;

// Lines as a clipboard holds them: Japanese and ASCII mixed, of varied lengths, CR LF
// separated, some repeated so that the sort meets equal lines.
std::string TypicalText()
{
    const std::string pieces[] = {
        Sj("東京都千代田区 "_sj), "Hello, World! ", Sj("ｶﾀｶﾅ ｶﾞｷﾞ "_sj),
        Sj("ひらがなの文 "_sj), "https://example.com/a?b=c&d=e ", "100% done ",
        Sj("全角ＡＢＣ１２３ "_sj), "key = value ", "tab\there ",
    };
    std::string text;
    text.reserve(kTextBytes + 256);
    unsigned seed = 12345;
    while (text.size() < kTextBytes) {
        seed = seed * 1103515245u + 12345u;
        const int count = 1 + static_cast<int>((seed >> 16) % 6);
        for (int i = 0; i < count; ++i) text += pieces[(seed >> (i + 3)) % std::size(pieces)];
        text += std::to_string((seed >> 8) % 1000);
        text += "\r\n";
    }
    return text;
}

// A text of nothing but line breaks: every byte is a line of its own, the case where
// holding lines costs the most. Lone LF, lone CR and CR LF mixed.
std::string BreaksOnly()
{
    std::string text;
    text.reserve(kBreaksBytes + 2);
    while (text.size() < kBreaksBytes) text += text.size() % 3 == 0 ? "\r\n" : (text.size() % 3 == 1 ? "\n" : "\r");
    return text;
}

struct Row {
    const char* name;
    ProcessKind kind;
    std::function<void(EditSet&)> configure;
    // Over a text of breaks only the result can be several times the text (a number for
    // every empty line), so the bound is taken of input and result together.
    bool breaksOnly = false;
};

}  // namespace

int main()
{
    const std::string text = TypicalText();
    const std::string breaks = BreaksOnly();
    TAWKStr awk;
    TNMURL url;
    PortableLineComparer comparer;
    TStandInMap standIns;
    ProcessServices services{awk, url, comparer, standIns};

    EditSet encoded;
    encoded.EnDeCd = URLDirection::Encode;
    // The decode row works on an encoded text, which is about three times as long.
    const std::string encodedText = RunTextProcess(ProcessKind::URL, text, encoded, services);

    const Row rows[] = {
        {"replace, one condition", ProcessKind::Replace, [](EditSet& s) { s.Cond[0] = {"World", "Earth", false}; }},
        {"replace, four conditions", ProcessKind::Replace,
         [](EditSet& s) {
             s.Cond[0] = {Sj("東京"_sj), Sj("大阪"_sj), false};
             s.Cond[1] = {"hello", "<&>", true};  // ignores case, width and kana kind
             s.Cond[2] = {Sj("カタカナ"_sj), "[&]", true};
             s.Cond[3] = {"[0-9]+$", "#&", false};
         }},
        {"line numbers", ProcessKind::LineNo, [](EditSet&) {}},
        {"upper case, initials", ProcessKind::Case, [](EditSet& s) { s.CaseMethod = CaseConversion::Upper; s.CaseInitial = true; }},
        {"katakana, full width", ProcessKind::Convert, [](EditSet& s) { s.KanaMethod = KanaConversion::ToKatakana; s.ZnHnMethod = WidthConversion::ToHalfWidth; s.IfHnKn = true; }},
        {"sort ascending", ProcessKind::Sort, [](EditSet& s) { s.SortMethod = SortOrder::Ascending; }},
        {"sort descending", ProcessKind::Sort, [](EditSet& s) { s.SortMethod = SortOrder::Descending; }},
        {"swap sides", ProcessKind::Swap, [](EditSet& s) { s.RLCenter = " = "; }},
        {"URL encode", ProcessKind::URL, [](EditSet& s) { s.EnDeCd = URLDirection::Encode; }},
        {"URL decode", ProcessKind::URL, [](EditSet& s) { s.EnDeCd = URLDirection::Decode; }},
        {"breaks only: replace", ProcessKind::Replace, [](EditSet& s) { s.Cond[0] = {"^", "-", false}; }, true},
        {"breaks only: line numbers", ProcessKind::LineNo, [](EditSet&) {}, true},
        {"breaks only: initials", ProcessKind::Case, [](EditSet& s) { s.CaseInitial = true; }, true},
        {"breaks only: sort", ProcessKind::Sort, [](EditSet& s) { s.SortMethod = SortOrder::Ascending; }, true},
        {"breaks only: swap sides", ProcessKind::Swap, [](EditSet& s) { s.RLCenter = " = "; }, true},
        {"breaks only: URL encode", ProcessKind::URL, [](EditSet& s) { s.EnDeCd = URLDirection::Encode; }, true},
    };

    std::printf("%-28s %10s %10s\n", "row (peak/text; breaks only: peak/(text+result))", "seconds", "peak");
    int failures = 0;
    for (const Row& row : rows) {
        EditSet set;
        row.configure(set);
        const std::string& input = row.breaksOnly ? breaks : row.kind == ProcessKind::URL && set.EnDeCd == URLDirection::Decode ? encodedText : text;
        // The peak counts the input, which the caller holds, and everything the process adds.
        const std::size_t before = liveBytes;
        peakBytes = liveBytes;
        const auto start = std::chrono::steady_clock::now();
        std::size_t resultSize = 0;
        {
            const std::string result = RunTextProcess(row.kind, input, set, services);
            resultSize = result.size();
        }
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const double measure = static_cast<double>(input.size() + (row.breaksOnly ? resultSize : 0));
        const double multiple = static_cast<double>(peakBytes - before + input.size()) / measure;
        const bool ok = multiple <= kMaxMultiple && resultSize > 0;
        std::printf("%-28s %10.2f %10.2f%s\n", row.name, seconds, multiple, ok ? "" : "  FAILED");
        std::fflush(stdout);
        if (!ok) ++failures;
    }
    return failures == 0 ? 0 : 1;
}
