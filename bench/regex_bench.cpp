// Our regular-expression engine (fast and reference) beside Oniguruma, RE2, PCRE2's DFA
// matcher and GNU sed on real Japanese and English text, printed as Markdown tables.
//
//   scripts/regex-bench.sh            (builds, makes the texts, runs, writes bench/RESULTS.md)
//   ./build-bench/bench/morvane_regex_bench CORPUS_DIR [--quick]
//
// Every engine is first checked to give our number of matches on the pattern and text
// (walked by GSub's rule, see GSubWalk.h) and is left out of the row, with a note, when it
// cannot express the pattern or disagrees. Times are the best of several runs. A run that
// the next smaller text suggests would pass kRunLimitSeconds is not made but estimated
// (linearly by size); one that might is made in a child process and stopped at the limit,
// since some searches are quadratic. Throughput is in MB (10^6 bytes) of the CP932 text per
// second for every engine, also for those that read the UTF-8 twin, so that a ratio is a
// ratio of times over the same characters. --quick leaves out the 10 MB texts.
#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <malloc.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include "bench/PatternTranslation.h"
#include "bench/PeerSearchers.h"
#include "bench/SedProcess.h"
#include "text/SjisLiteral.h"
#include "regex/RegExp.h"

namespace {

constexpr double kRunLimitSeconds = 20.0;
constexpr double kMeasureSeconds = 0.2;  // repeat a run until this much time is spent

enum Engine { eOursFast, eOursReference, eOniguruma, eRe2, ePcre2, eSed, eEngineCount };
constexpr std::array<const char*, eEngineCount> kEngineNames = {"ours fast", "ours reference", "Oniguruma",
                                                                "RE2",       "PCRE2 DFA",      "GNU sed"};

enum Model { mCount, mReplace, mModelCount };
constexpr std::array<const char*, mModelCount> kModelTitles = {
    "Count: all non-overlapping leftmost-longest matches", "Global replace with \"<&>\""};

struct TextKind {
    const char* Name;
    TMatchCORE_LineSeparator Separator;
    std::vector<const char*> Sizes;
};

const std::vector<TextKind> kTextKinds = {
    {"ja-crlf", mcls_CRLF, {"1k", "100k", "10m"}},
    {"ja-lf", mcls_LF, {"1k", "100k", "10m"}},
    {"en-lf", mcls_LF, {"1k", "100k", "10m"}},
    {"caps", mcls_LF, {"1k", "16k", "128k", "1m"}},
    {"ab", mcls_LF, {"1k", "100k", "10m"}},
};

struct BenchCase {
    const char* Name;
    std::string Pattern;  // CP932
    bool Fuzzy;
    std::vector<const char*> Texts;
};

std::vector<BenchCase> Cases()
{
    const std::string ab = "(a|b)";
    std::string blowup = ab + "*a";
    for (int i = 0; i < 10; ++i) blowup += ab;
    return {
        {"ASCII literal", "option", false, {"ja-crlf", "ja-lf", "en-lf"}},
        {"kanji literal", std::string("表示"_sj), false, {"ja-crlf", "ja-lf"}},
        {"kanji class", std::string("[一-龠]+"_sj), false, {"ja-crlf", "ja-lf"}},
        {"negated class", "[^ -~]+", false, {"ja-crlf", "ja-lf", "en-lf"}},
        {"word alternation", std::string("ファイル|ディレクトリ|コマンド|オプション"_sj), false, {"ja-crlf", "ja-lf"}},
        {"ASCII alternation", "file|directory|command|option", false, {"en-lf"}},
        {"whole lines", std::string("^.*[.。]$"_sj), false, {"ja-crlf", "ja-lf", "en-lf"}},
        {"x*", "x*", false, {"ja-crlf", "ja-lf", "en-lf"}},
        {"fuzzy word", std::string("ファイル"_sj), true, {"ja-crlf", "ja-lf"}},
        {"backslash", "\\\\", false, {"ja-crlf", "ja-lf"}},
        {"capitals", ".*[^A-Z]|[A-Z]", false, {"caps"}},
        {"DFA blow-up", blowup, false, {"ab"}},
    };
}

const TextKind& KindNamed(const std::string& name)
{
    return *std::find_if(kTextKinds.begin(), kTextKinds.end(), [&](const TextKind& k) { return name == k.Name; });
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path + " (run scripts/make-bench-corpus.py)");
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

double Seconds(const std::function<void()>& run)
{
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The best time of run, given the time of a first run already made. Anything under a
// second runs at least three times: the first runs may pay for memory the allocator has
// not yet got (a replaced text that outgrows its first buffer needs a larger one while
// the last result is still held), which the engine measured next finds ready.
double Best(double first, const std::function<double()>& run)
{
    double best = first;
    double total = first;
    for (int runs = 1; runs < 200 && (runs < 3 || total < kMeasureSeconds) && first < 1.0; ++runs) {
        const double t = run();
        best = std::min(best, t);
        total += t;
    }
    return best;
}

struct Timed {
    std::size_t Count;
    double Seconds;
};

// Runs run in a child process and stops it after limit seconds: a search that turns out
// quadratic on a large text must not hold up the whole benchmark. None when stopped.
std::optional<Timed> RunInChild(const std::function<std::size_t()>& run, double limit)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) throw std::runtime_error("pipe failed");
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        close(pipeEnds[0]);
        Timed result{0, 0};
        result.Seconds = Seconds([&] { result.Count = run(); });
        const bool written = write(pipeEnds[1], &result, sizeof result) == static_cast<ssize_t>(sizeof result);
        _exit(written ? 0 : 1);
    }
    close(pipeEnds[1]);
    pollfd wait{pipeEnds[0], POLLIN, 0};
    Timed result{0, 0};
    const bool done = poll(&wait, 1, static_cast<int>(limit * 1000)) == 1 &&
                      read(pipeEnds[0], &result, sizeof result) == static_cast<ssize_t>(sizeof result);
    if (!done) kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    close(pipeEnds[0]);
    if (!done) return std::nullopt;
    return result;
}

enum class CellKind { Empty, Measured, Estimated, Stopped };

struct Cell {
    CellKind Kind = CellKind::Empty;
    double Seconds = 0;
    int Note = 0;  // 1-based into the notes, 0 for none
};

struct Row {
    std::string Case;
    std::string Text;
    std::string Size;
    double Bytes = 0;
    std::size_t Matches = 0;
    std::array<std::array<Cell, eEngineCount>, mModelCount> Cells;
};

using SizeHistory = std::array<std::array<Cell, eEngineCount>, mModelCount>;

class Bench {
public:
    Bench(std::string corpusDir, bool quick) : dir_(std::move(corpusDir)), quick_(quick), sed_(SedAvailable()) {}

    void Run()
    {
        for (const BenchCase& c : Cases()) {
            MeasureCompile(c);
            for (const char* kindName : c.Texts) {
                const TextKind& kind = KindNamed(kindName);
                SizeHistory previous{};
                double previousBytes = 0;
                for (const char* size : kind.Sizes) {
                    if (quick_ && std::string(size) == "10m") continue;
                    std::fprintf(stderr, "%s / %s-%s\n", c.Name, kind.Name, size);
                    const Row& row = MeasureRow(c, kind, size, previous, previousBytes);
                    previous = row.Cells;
                    previousBytes = row.Bytes;
                }
            }
        }
    }

    void Print(std::ostream& out) const
    {
        for (int model = 0; model < mModelCount; ++model) PrintModel(out, static_cast<Model>(model));
        PrintCompile(out);
        out << "\n### Notes\n\n";
        for (std::size_t i = 0; i < notes_.size(); ++i) out << "[" << i + 1 << "] " << notes_[i] << "  \n";
        if (!disagreements_.empty()) {
            out << "\n### Disagreements between our fast and reference engines\n\n";
            for (const std::string& d : disagreements_) out << "- " << d << "\n";
        }
    }

private:
    struct Texts {
        std::string Sjis;
        std::string Utf8;
        std::string SjisPath;
        std::string Utf8Path;
    };

    const Texts& Load(const std::string& name)
    {
        auto it = texts_.find(name);
        if (it != texts_.end()) return it->second;
        if (texts_.size() > 4) texts_.clear();  // keep the 10 MB texts from piling up
        Texts t;
        t.SjisPath = dir_ + "/" + name + ".sjis";
        t.Utf8Path = dir_ + "/" + name + ".utf8";
        t.Sjis = ReadFile(t.SjisPath);
        t.Utf8 = ReadFile(t.Utf8Path);
        return texts_[name] = std::move(t);
    }

    int Note(const std::string& text)
    {
        auto it = std::find(notes_.begin(), notes_.end(), text);
        if (it != notes_.end()) return static_cast<int>(it - notes_.begin()) + 1;
        notes_.push_back(text);
        return static_cast<int>(notes_.size());
    }

    static std::unique_ptr<TAWKStr> MakeOurs(const BenchCase& c, Engine engine, TMatchCORE_LineSeparator separator)
    {
        auto awk = std::make_unique<TAWKStr>(engine == eOursFast ? TREEngine::Fast : TREEngine::Reference);
        awk->SetLineSeparator(separator);
        awk->SetUseFuzzyCharDic(c.Fuzzy);
        awk->SetRegExp(c.Pattern);
        return awk;
    }

    // Our pattern as the preprocessor hands it on, for the peers to translate.
    static std::string Expanded(const BenchCase& c)
    {
        if (!c.Fuzzy) return c.Pattern;
        TREPreProcessor preprocessor(c.Pattern);
        preprocessor.FuzzyCharDicList.push_back(&DefaultFuzzyCharDic());
        preprocessor.UseFuzzyCharDic = true;
        preprocessor.Process();
        return preprocessor.ProcessedRegExpStr;
    }

    static std::unique_ptr<Searcher> MakePeer(Engine engine, const std::string& pattern, TMatchCORE_LineSeparator sep)
    {
        switch (engine) {
        case eOniguruma: return MakeOnigurumaSearcher(TranslatePattern(pattern, PeerSyntax::OnigurumaSjis, sep));
        case eRe2: return MakeRe2Searcher(TranslatePattern(pattern, PeerSyntax::Re2Utf8, sep));
        case ePcre2: return MakePcre2DfaSearcher(TranslatePattern(pattern, PeerSyntax::Pcre2Utf8, sep));
        default: return nullptr;
        }
    }

    void MeasureCompile(const BenchCase& c)
    {
        std::array<Cell, eEngineCount> cells{};
        const std::string pattern = Expanded(c);
        for (int e = 0; e < eSed; ++e) {
            const auto engine = static_cast<Engine>(e);
            auto compile = [&] {
                if (engine != eOursFast && engine != eOursReference)
                    return Seconds([&] { MakePeer(engine, pattern, mcls_CRLF); });
                TAWKStr awk(engine == eOursFast ? TREEngine::Fast : TREEngine::Reference);
                awk.SetUseFuzzyCharDic(c.Fuzzy);
                return Seconds([&] { awk.SetRegExp(c.Pattern); });
            };
            try {
                cells[e] = {CellKind::Measured, Best(compile(), compile), 0};
            } catch (const std::exception& error) {
                cells[e].Note = Note(std::string(kEngineNames[e]) + " cannot compile \"" + c.Name + "\": " +
                                     Cp932ToUtf8(error.what()));
            }
        }
        compile_.emplace_back(c.Name, cells);
    }

    // Measures one engine and model on a row: the first run gives the count (in a child
    // process under a time limit when the smaller text suggests a long run), more runs
    // the best time. The count, or none when the run was estimated or stopped.
    std::optional<std::size_t> Measure(Row& row, Engine e, Model m, const SizeHistory& previous, double scale,
                                       const std::function<std::size_t()>& run)
    {
        Cell& cell = row.Cells[m][e];
        const Cell& before = previous[m][e];
        if (before.Kind == CellKind::Stopped || before.Kind == CellKind::Estimated) {
            cell = {before.Kind, before.Seconds * scale, Note("not run: it did not finish on the smaller text")};
            return std::nullopt;
        }
        const double estimate = before.Kind == CellKind::Measured ? before.Seconds * scale : 0;
        if (estimate > kRunLimitSeconds) {
            cell = {CellKind::Estimated, estimate,
                    Note("not run: estimated from its time on the next smaller text, scaled by size")};
            return std::nullopt;
        }
        std::optional<Timed> first;
        if (estimate > 0.25) {
            first = RunInChild(run, kRunLimitSeconds);
        } else {
            first = Timed{0, 0};
            first->Seconds = Seconds([&] { first->Count = run(); });
        }
        if (!first) {
            cell = {CellKind::Stopped, kRunLimitSeconds, Note("stopped after 20 s")};
            return std::nullopt;
        }
        cell = {CellKind::Measured, Best(first->Seconds, [&] { return Seconds([&] { run(); }); }), 0};
        return first->Count;
    }

    const Row& MeasureRow(const BenchCase& c, const TextKind& kind, const std::string& size,
                          const SizeHistory& previous, double previousBytes)
    {
        const Texts& t = Load(std::string(kind.Name) + "-" + size);
        Row& row = rows_.emplace_back(Row{c.Name, kind.Name, size, static_cast<double>(t.Sjis.size()), 0, {}});
        const double scale = previousBytes > 0 ? row.Bytes / previousBytes : 0;
        const TMatchCORE_LineSeparator separator = kind.Separator;

        // Ours first: the fast engine's count (the reference's where the fast one did not
        // finish) is the one every other engine must give.
        std::optional<std::size_t> fastCount;
        std::string fastOutput;
        try {
            auto awk = MakeOurs(c, eOursFast, separator);
            fastCount = MeasureOurs(*awk, t.Sjis, separator, row, eOursFast, previous, scale, fastOutput);
        } catch (const std::exception& error) {
            row.Cells[mCount][eOursFast].Note = Note(std::string("ours fast failed: ") + Cp932ToUtf8(error.what()));
        }
        std::optional<std::size_t> referenceCount;
        try {
            auto awk = MakeOurs(c, eOursReference, separator);
            std::string output;
            referenceCount = MeasureOurs(*awk, t.Sjis, separator, row, eOursReference, previous, scale, output);
            const bool outputsDiffer = !output.empty() && !fastOutput.empty() && output != fastOutput;
            if ((fastCount && referenceCount && *fastCount != *referenceCount) || outputsDiffer) {
                disagreements_.push_back(std::string(c.Name) + " on " + kind.Name + "-" + size + ": fast " +
                                         std::to_string(*fastCount) + " matches, reference " +
                                         std::to_string(referenceCount.value_or(0)) +
                                         (outputsDiffer ? ", replaced texts differ" : ""));
                row.Cells[mCount][eOursReference].Note = Note("disagrees with ours fast (a bug; see below)");
            }
        } catch (const std::exception& error) {
            row.Cells[mCount][eOursReference].Note =
                Note(std::string("ours reference cannot compile: ") + Cp932ToUtf8(error.what()));
        }
        if (!fastCount && !referenceCount) {
            for (Engine e : {eOniguruma, eRe2, ePcre2, eSed})
                row.Cells[mCount][e].Note = Note("not run: no count of ours to check it against");
            return row;
        }
        row.Matches = fastCount ? *fastCount : *referenceCount;

        const std::string expanded = Expanded(c);
        for (Engine e : {eOniguruma, eRe2, ePcre2}) {
            try {
                auto peer = MakePeer(e, expanded, separator);
                const bool sjis = e == eOniguruma;
                MeasurePeer(*peer, sjis ? t.Sjis : t.Utf8, sjis ? TextEncoding::Cp932 : TextEncoding::Utf8, separator,
                            row, e, previous, scale);
            } catch (const EPeerCannotExpress& error) {
                row.Cells[mCount][e].Note = Note(std::string(kEngineNames[e]) + ": " + error.what());
            }
        }
        MeasureSed(expanded, kind, t, row, previous, scale);
        return row;
    }

    // The number of matches; none when the engine was not run to the end. output receives
    // GSub's result when it ran in this process.
    std::optional<std::size_t> MeasureOurs(TAWKStr& awk, const std::string& text, TMatchCORE_LineSeparator separator,
                                           Row& row, Engine e, const SizeHistory& previous, double scale,
                                           std::string& output)
    {
        OurSearcher searcher(awk);
        const auto count = Measure(row, e, mCount, previous, scale, [&] {
            return CountMatches(searcher, text, TextEncoding::Cp932, separator);
        });
        if (!count) return std::nullopt;
        const auto gsubCount = Measure(row, e, mReplace, previous, scale, [&] {
            output = text;
            return static_cast<std::size_t>(awk.GSub("<&>", output));
        });
        if (gsubCount && *gsubCount != *count)
            row.Cells[mReplace][e].Note = Note("GSub's count differs from the count's walk (a harness bug)");
        return count;
    }

    void MeasurePeer(Searcher& searcher, const std::string& text, TextEncoding encoding,
                     TMatchCORE_LineSeparator separator, Row& row, Engine e, const SizeHistory& previous,
                     double scale)
    {
        const auto count = Measure(row, e, mCount, previous, scale,
                                   [&] { return CountMatches(searcher, text, encoding, separator); });
        if (!count) return;
        if (*count != row.Matches) {
            row.Cells[mCount][e] = {CellKind::Empty, 0,
                                    Note(std::string(kEngineNames[e]) + " disagrees on \"" + row.Case + "\" (" +
                                         std::to_string(*count) + " matches, ours " + std::to_string(row.Matches) +
                                         " on " + row.Text + "-" + row.Size + ")")};
            return;
        }
        Measure(row, e, mReplace, previous, scale, [&] {
            std::size_t replaced = 0;
            ReplaceMatches(searcher, text, encoding, separator, replaced);
            return replaced;
        });
    }

    void MeasureSed(const std::string& pattern, const TextKind& kind, const Texts& t, Row& row,
                    const SizeHistory& previous, double scale)
    {
        Cell& countCell = row.Cells[mCount][eSed];
        if (!sed_) {
            countCell.Note = Note("GNU sed is not installed");
            return;
        }
        if (row.Size == "1k") {
            countCell.Note = Note("GNU sed left out at 1 KB: its process start would be all it measures");
            return;
        }
        // Its checking run has no time limit: not on a text whose smaller size it could not finish.
        const CellKind before = previous[mCount][eSed].Kind;
        if (before == CellKind::Stopped || before == CellKind::Estimated) {
            countCell = {before, previous[mCount][eSed].Seconds * scale, Note("not run: it did not finish on the smaller text")};
            return;
        }
        std::string sedPattern;
        try {
            sedPattern = TranslatePattern(pattern, PeerSyntax::SedUtf8, kind.Separator);
        } catch (const EPeerCannotExpress& error) {
            countCell.Note = Note(std::string("GNU sed: ") + error.what());
            return;
        }
        // An ASCII pattern over an ASCII text runs on the bytes in the C locale.
        const bool ascii = std::string(kind.Name).rfind("ja-", 0) != 0 &&
                           std::all_of(sedPattern.begin(), sedPattern.end(),
                                       [](char ch) { return static_cast<unsigned char>(ch) < 0x80; });
        const std::string& input = ascii ? t.SjisPath : t.Utf8Path;
        const std::string locale = ascii ? "C" : "C.UTF-8";
        try {
            // The count: a marker byte before every match, counted in the output.
            const std::string marked = dir_ + "/sed-output";
            RunSed(SedSubstitution(sedPattern, "\x02&"), input, marked, locale);
            const std::string output = ReadFile(marked);
            const auto count = static_cast<std::size_t>(std::count(output.begin(), output.end(), '\x02'));
            if (count != row.Matches) {
                countCell.Note = Note("GNU sed disagrees on \"" + row.Case + "\" (" + std::to_string(count) +
                                      " matches, ours " + std::to_string(row.Matches) + " on " + row.Text + "-" +
                                      row.Size + ")");
                return;
            }
            for (int m = 0; m < mModelCount; ++m) {
                const std::string script = SedSubstitution(sedPattern, m == mCount ? "&" : "<&>");
                Measure(row, eSed, static_cast<Model>(m), previous, scale, [&] {
                    RunSed(script, input, "/dev/null", locale);
                    return std::size_t{0};
                });
            }
        } catch (const std::runtime_error& error) {
            countCell.Note = Note(std::string("GNU sed: ") + error.what());
        }
    }

    static std::string Format(double value, int digits)
    {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.*f", digits, value);
        return buffer;
    }

    static std::string Ratio(double ratio) { return Format(ratio, ratio < 10 ? 2 : ratio < 100 ? 1 : 0); }

    static std::string Throughput(double megabytesPerSecond)
    {
        return Format(megabytesPerSecond, megabytesPerSecond < 10 ? 2 : megabytesPerSecond < 100 ? 1 : 0);
    }

    void PrintModel(std::ostream& out, Model m) const
    {
        out << "\n### " << kModelTitles[m]
            << "\n\nMB/s of CP932 text (×: time relative to the fastest in the row; ~: estimated; <: stopped)\n\n"
            << "| pattern | text | size | matches |";
        for (const char* name : kEngineNames) out << " " << name << " |";
        out << "\n|---|---|---|---:|";
        for (int e = 0; e < eEngineCount; ++e) out << "---:|";
        out << "\n";
        std::array<double, eEngineCount> logVsFastest{};
        std::array<double, eEngineCount> logVsFast{};
        std::array<int, eEngineCount> runs{};
        std::array<int, eEngineCount> runsWithFast{};
        for (const Row& row : rows_) {
            const auto& cells = row.Cells[m];
            double fastest = 0;
            for (const Cell& cell : cells)
                if (cell.Kind == CellKind::Measured && (fastest == 0 || cell.Seconds < fastest)) fastest = cell.Seconds;
            out << "| " << row.Case << " | " << row.Text << " | " << row.Size << " | " << row.Matches << " |";
            for (int e = 0; e < eEngineCount; ++e) {
                const Cell& cell = cells[e];
                const int note = cell.Note != 0 ? cell.Note : row.Cells[mCount][e].Note;
                out << " ";
                switch (cell.Kind) {
                case CellKind::Empty: out << "–"; break;
                case CellKind::Estimated: out << "~" << Throughput(row.Bytes / cell.Seconds / 1e6); break;
                case CellKind::Stopped: out << "<" << Throughput(row.Bytes / cell.Seconds / 1e6); break;
                case CellKind::Measured: {
                    const double ratio = cell.Seconds / fastest;
                    out << Throughput(row.Bytes / cell.Seconds / 1e6) << " ×" << Ratio(ratio);
                    logVsFastest[e] += std::log(ratio);
                    ++runs[e];
                    if (cells[eOursFast].Kind == CellKind::Measured) {
                        logVsFast[e] += std::log(cell.Seconds / cells[eOursFast].Seconds);
                        ++runsWithFast[e];
                    }
                    break;
                }
                }
                if (note != 0) out << " [" << note << "]";
                out << " |";
            }
            out << "\n";
        }
        out << "\nGeometric means of time ratios over the rows each engine ran (estimated and stopped runs left "
               "out):\n\n| engine | rows | × the fastest | × ours fast (rows both ran) |\n|---|---:|---:|---:|\n";
        for (int e = 0; e < eEngineCount; ++e) {
            out << "| " << kEngineNames[e] << " | " << runs[e] << " | "
                << (runs[e] ? Ratio(std::exp(logVsFastest[e] / runs[e])) : "–") << " | "
                << (runsWithFast[e] ? Ratio(std::exp(logVsFast[e] / runsWithFast[e])) : "–") << " |\n";
        }
    }

    void PrintCompile(std::ostream& out) const
    {
        out << "\n### Compile\n\nMicroseconds to compile the pattern (×: relative to the fastest). Our fast engine "
               "builds its automaton lazily during the search, so most of its work is not here.\n\n| pattern |";
        for (int e = 0; e < eSed; ++e) out << " " << kEngineNames[e] << " |";
        out << "\n|---|";
        for (int e = 0; e < eSed; ++e) out << "---:|";
        out << "\n";
        for (const auto& [name, cells] : compile_) {
            double fastest = 0;
            for (const Cell& cell : cells)
                if (cell.Kind == CellKind::Measured && (fastest == 0 || cell.Seconds < fastest)) fastest = cell.Seconds;
            out << "| " << name << " |";
            for (int e = 0; e < eSed; ++e) {
                if (cells[e].Kind == CellKind::Measured) {
                    out << " " << Format(cells[e].Seconds * 1e6, 1) << " ×" << Ratio(cells[e].Seconds / fastest);
                } else {
                    out << " – [" << cells[e].Note << "]";
                }
                out << " |";
            }
            out << "\n";
        }
    }

    std::string dir_;
    bool quick_;
    bool sed_;
    std::map<std::string, Texts> texts_;
    std::vector<std::string> notes_;
    std::vector<std::string> disagreements_;
    std::vector<Row> rows_;
    std::vector<std::pair<std::string, std::array<Cell, eEngineCount>>> compile_;
};

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3 || (argc == 3 && std::string_view(argv[2]) != "--quick")) {
        std::fprintf(stderr, "usage: morvane_regex_bench CORPUS_DIR [--quick]\n");
        return 1;
    }
    // Freed memory stays with the allocator, so no engine pays the kernel for fresh pages
    // each time it builds a replaced text (on a virtual machine that can cost more than
    // the search); every engine runs under the same setting.
    mallopt(M_MMAP_MAX, 0);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    try {
        Bench bench(argv[1], argc == 3);
        bench.Run();
        std::ostringstream out;
        bench.Print(out);
        std::fputs(out.str().c_str(), stdout);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "error: %s\n", error.what());
        return 1;
    }
    return 0;
}
