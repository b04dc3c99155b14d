// Clipboard texts no one should send, through every text process and the pipeline: texts
// of lone CRs or lone LFs, and every byte value at every position of a short text. Each
// process gives a result, and the line-based ones keep every line's bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/NMURL.h"
#include "text/StandIns.h"
#include "core/PortableLineComparer.h"
#include "text/SjisLiteral.h"
#include "text/SplitLines.h"
#include "core/TextProcesses.h"
#include "support/ProcessOrder.h"
#include "regex/RegExp.h"

namespace {

// A literal's CP932 bytes as a string; clang 14 crashes on std::string("..."_sj) in
// some declarations.
std::string Sj(std::string_view bytes) { return std::string(bytes); }

// One typical setting of each process.
EditSet SetFor(ProcessKind kind)
{
    EditSet set;
    set.IfExec[KindIndex(kind)] = true;
    set.Cond[0] = {"a", "<&>", true};
    set.CaseMethod = CaseConversion::Upper;
    set.CaseInitial = true;
    set.KanaMethod = KanaConversion::ToKatakana;
    set.ZnHnMethod = WidthConversion::ToHalfWidth;
    set.SortMethod = SortOrder::Ascending;
    set.RLCenter = "=";
    set.EnDeCd = URLDirection::Encode;
    return set;
}

std::vector<std::string> Sorted(std::vector<std::string> lines)
{
    std::sort(lines.begin(), lines.end());
    return lines;
}

// The lines a line-based process joined: every CR LF separates two, so an empty line that
// ends up last is still counted (the text then ends in CR LF).
std::vector<std::string> JoinedLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", start)) {
        lines.push_back(text.substr(start, at - start));
        start = at + 2;
    }
    lines.push_back(text.substr(start));
    return lines;
}

struct Services {
    TAWKStr awk;
    TNMURL url;
    PortableLineComparer comparer;
    TStandInMap standIns;
    ProcessServices services{awk, url, comparer, standIns};
};

TEST(HostileText, LoneLineBreaksGiveOneLinePerBreak)
{
    const struct {
        const char* name;
        std::string text;
        std::vector<std::string> lines;
    } rows[] = {
        {"CR-only lines", "b=1\ra=2\r\rc\r", {"b=1", "a=2", "", "c"}},
        {"LF-only lines", "b=1\na=2\n\nc", {"b=1", "a=2", "", "c"}},
        {"only CRs", std::string(1000, '\r'), std::vector<std::string>(1000)},
        {"only LFs", std::string(1000, '\n'), std::vector<std::string>(1000)},
        {"LF then CR LF then CR", "\n\r\n\r", {"", "", ""}},
    };
    Services s;
    for (const auto& row : rows) {
        ASSERT_EQ(SplitLines(row.text), row.lines) << row.name;
        const std::string joined = JoinLines(row.lines);
        // Sorting and reversing move lines but lose none of their bytes.
        for (const SortOrder method : {SortOrder::Ascending, SortOrder::Descending, SortOrder::Reverse}) {
            EditSet set = SetFor(ProcessKind::Sort);
            set.SortMethod = method;
            const std::string sorted = RunTextProcess(ProcessKind::Sort, row.text, set, s.services);
            EXPECT_EQ(Sorted(JoinedLines(sorted)), Sorted(row.lines)) << row.name << " sort " << static_cast<int>(method);
            EXPECT_EQ(sorted.size(), joined.size()) << row.name << " sort " << static_cast<int>(method);
        }
        // Every line-based process keeps the number of lines and joins them with CR LF.
        for (const ProcessKind kind : {ProcessKind::LineNo, ProcessKind::Case, ProcessKind::Swap, ProcessKind::URL}) {
            const std::string result = RunTextProcess(kind, row.text, SetFor(kind), s.services);
            EXPECT_EQ(JoinedLines(result).size(), row.lines.size()) << row.name << " process " << kind;
            EXPECT_EQ(std::count(result.begin(), result.end(), '\r'), std::count(result.begin(), result.end(), '\n'))
                << row.name << " process " << kind;
        }
        // Replacing and converting keep the breaks as they are.
        for (const ProcessKind kind : {ProcessKind::Replace, ProcessKind::Convert}) {
            const std::string result = RunTextProcess(kind, row.text, SetFor(kind), s.services);
            EXPECT_EQ(std::count(result.begin(), result.end(), '\r'), std::count(row.text.begin(), row.text.end(), '\r'))
                << row.name << " process " << kind;
        }
        // The whole pipeline, every process once.
        EditSet all = SetFor(ProcessKind::Replace);
        all.IfExec.fill(true);
        const std::string piped = RunEditSet(row.text, all, ProcessRunnerFor(s.services));
        EXPECT_EQ(JoinedLines(piped).size(), row.lines.size()) << row.name << " pipeline";
    }
}

// A line that is no CP932 text decodes to nothing it could stand for, so it stays encoded.
bool IsCp932Text(const std::string& line)
{
    try {
        Cp932ToUtf8(line);
        return true;
    } catch (const EEncodingError&) {
        return false;
    }
}

// URL encoding and decoding undo each other on every line that is CP932 text, whatever
// its bytes.
TEST(HostileText, EveryByteAtEveryPositionPassesEveryProcess)
{
    const std::string base = "a=" + Sj("あ表"_sj) + "b\r\n" + Sj("ｶ"_sj) + "%4";
    Services s;
    EditSet decode = SetFor(ProcessKind::URL);
    decode.EnDeCd = URLDirection::Decode;
    for (std::size_t at = 0; at < base.size(); ++at) {
        for (int b = 0; b < 256; ++b) {
            std::string text = base;
            text[at] = static_cast<char>(b);
            const std::string label = "byte " + std::to_string(b) + " at " + std::to_string(at);
            for (const ProcessKind kind : kProcessKinds)
                EXPECT_NO_THROW(RunTextProcess(kind, text, SetFor(kind), s.services)) << label << " process " << kind;

            const std::string sorted = RunTextProcess(ProcessKind::Sort, text, SetFor(ProcessKind::Sort), s.services);
            const std::vector<std::string> lines = SplitLines(text);
            if (!lines.empty()) {
                ASSERT_EQ(Sorted(JoinedLines(sorted)), Sorted(lines)) << label;
            }
            const std::string encoded = RunTextProcess(ProcessKind::URL, text, SetFor(ProcessKind::URL), s.services);
            const std::vector<std::string> encodedLines = SplitLines(encoded);
            std::vector<std::string> expected;
            for (std::size_t i = 0; i < lines.size(); ++i)
                expected.push_back(IsCp932Text(lines[i]) ? lines[i] : encodedLines[i]);
            ASSERT_EQ(RunTextProcess(ProcessKind::URL, encoded, decode, s.services), JoinLines(expected)) << label;
        }
    }
}

}  // namespace
