// morvane-cli: the engine and the edit sets from the command line, for scripts and tests.
// The text is read whole from standard input; the result goes to standard output byte
// for byte. Exit status: 0 success, 1 usage, 2 pattern or template error, 3 encoding
// error, 4 a file named on the command line cannot be read, 5 check found problems in the
// settings file, 70 an internal error (out of memory, a failing file system), which is
// never reported as a pattern error.
#include <cerrno>
#include <cstdio>
#include <sys/stat.h>
#include <filesystem>
#include <new>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "cli/CheckIni.h"
#include "cli/CliArguments.h"
#include "cli/TraceRun.h"
#include "text/StandIns.h"
#include "text/Cp932.h"
#include "core/KeyNames.h"
#include "core/NMURL.h"
#include "core/PortableLineComparer.h"
#include "core/EditTrace.h"
#include "core/SettingsCheck.h"
#include "core/SettingsFile.h"
#include "core/TextProcesses.h"
#include "regex/RegExp.h"

namespace {

constexpr const char* kUsage =
    "usage: morvane-cli [--encoding=cp932|utf-8] [--reference] COMMAND [OPTIONS] [--] ARGS...\n"
    "\n"
    "The text is read from standard input; the result is written to standard output.\n"
    "\n"
    "commands:\n"
    "  gsub [-E] [--fuzzy] [--lf] [--count] PATTERN TEMPLATE\n"
    "                                                     replace every match (\"&\" is the match)\n"
    "  match [-E] [--groups] [--fuzzy] [--lf] PATTERN     print START LENGTH of the first match (0 0: none)\n"
    "  expand [-E] [--fuzzy] PATTERN                      print the pattern as the fuzzy dictionary widens it\n"
    "  run --ini FILE [--group G] --set S [--lf] [--trace[=text]]\n"
    "                                                     run edit set S (1-4) of group G (1-4, default:\n"
    "                                                     the file's active group) of a settings file;\n"
    "                                                     --trace: each step on standard error, =text\n"
    "                                                     with the text after it\n"
    "  check --ini FILE                                   list the problems of a settings file, one a line\n"
    "\n"
    "options:\n"
    "  --encoding=cp932|utf-8  encoding of arguments, input and output (default: from the locale)\n"
    "  --reference             use the reference matcher (slow; for comparison)\n"
    "  -E, --extended          the extended syntax: ( ) captures, (?: ), {n,m}, \\d \\w \\s, \\b, [[:alpha:]],\n"
    "                          \\p{Hiragana|Katakana|Han}, ^ $ anywhere; in TEMPLATE \\1-\\9, $1-$9, ${n}\n"
    "  --groups                print the match and each group as 0-based spans: (0,4)(0,1)(?,?), or NOMATCH\n"
    "  --fuzzy                 ignore case, width and kana kind through the fuzzy-character dictionary\n"
    "  --lf                    \"$\" ends lines at LF instead of CR\n"
    "  --count                 write the number of replacements to standard error\n"
    "  --help, --version\n"
    "\n"
    "exit status: 0 success, 1 usage error, 2 pattern or template error,\n"
    "             3 encoding error, 4 unreadable file, 5 check found problems,\n"
    "             70 internal error\n";

// A file named on the command line that cannot be read: exit status 4.
class EFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A match and its groups as 0-based, end-exclusive byte spans: "(0,4)(0,1)(?,?)", or
// "NOMATCH" (--groups needs no extended syntax: a classic pattern has no groups).
std::string SpansReport(const std::string& text, const std::vector<TMatchResult>& groups, int groupCount)
{
    if (groups.empty()) return "NOMATCH\n";
    std::string report;
    for (int g = 0; g <= groupCount; ++g) {
        const TMatchResult& m = groups[static_cast<std::size_t>(g)];
        if (!m.Found()) {
            report += "(?,?)";
            continue;
        }
        report += '(';
        report += std::to_string(m.Start - text.c_str());
        report += ',';
        report += std::to_string(m.End - text.c_str());
        report += ')';
    }
    return report + "\n";
}

int GroupOrSetNumber(const CliArguments& args, const std::string& option, int fallback)
{
    const auto it = args.Values.find(option);
    if (it == args.Values.end()) {
        if (fallback > 0) return fallback;
        throw EUsageError("run needs " + option + " N");
    }
    const std::string& v = it->second;
    if (v.size() != 1 || v[0] < '1' || v[0] > '4') throw EUsageError(option + " must be 1, 2, 3 or 4");
    return v[0] - '0';
}

class Session {
public:
    explicit Session(const CliArguments& args) : args_(args) {}

    // In UTF-8 mode the input and the arguments share one stand-in map, so a character
    // beyond CP932 in a pattern finds itself in the text.
    // Texts are handed over: in CP932 mode they pass through without a copy.
    std::string ToInternal(std::string s)
    {
        if (args_.Encoding == CliEncoding::Utf8) return Utf8ToCp932(s, standIns_);
        return s;
    }
    std::string ToExternal(std::string s) const
    {
        if (args_.Encoding == CliEncoding::Utf8) return Cp932ToUtf8(s, standIns_);
        return s;
    }
    // A conversion message for standard error, naming its character where it can be shown.
    std::string EncodingMessage(const EEncodingError& e) const
    {
        if (args_.Encoding != CliEncoding::Utf8) return e.what();
        if (e.Character() == 0) return Cp932ToUtf8(e.what());
        std::string shown;
        AppendUtf8(shown, e.Character());
        return Cp932ToUtf8(e.Before()) + CodePointName(e.Character()) + "\xEF\xBC\x88" + shown + "\xEF\xBC\x89" +
               Cp932ToUtf8(e.After());
    }

    int Run(std::string input, std::string& output, std::string& diagnostics)
    {
        const std::string& cmd = args_.Command;
        if (cmd == "expand") {
            TREPreProcessor preprocessor(ToInternal(args_.Positional[0]));
            preprocessor.SetExtended(args_.Has("--extended"));
            preprocessor.FuzzyCharDicList.push_back(&DefaultFuzzyCharDic());
            preprocessor.UseFuzzyCharDic = args_.Has("--fuzzy");
            preprocessor.Process();
            output = ToExternal(preprocessor.ProcessedRegExpStr) + "\n";
            return 0;
        }
        if (cmd == "run") return RunEditSetOfFile(std::move(input), output, diagnostics);
        if (cmd == "check") return CheckSettingsOfFile(output);
        std::string text = ToInternal(std::move(input));
        TAWKStr awk(Engine());
        awk.SetLineSeparator(args_.Has("--lf") ? mcls_LF : mcls_CRLF);
        awk.SetUseFuzzyCharDic(args_.Has("--fuzzy"));
        awk.SetExtended(args_.Has("--extended"));
        awk.SetRegExp(ToInternal(args_.Positional[0]));
        if (cmd == "match" && args_.Has("--groups")) {
            output = SpansReport(text, awk.MatchGroups(text), awk.GroupCount());
        } else if (cmd == "match") {
            int start = 0, length = 0;
            awk.Match(text, start, length);
            output = std::to_string(start) + " " + std::to_string(length) + "\n";
        } else {  // gsub
            const int count = awk.GSub(ToInternal(args_.Positional[1]), text);
            output = ToExternal(std::move(text));
            if (args_.Has("--count")) diagnostics = std::to_string(count) + "\n";
        }
        return 0;
    }

private:
    TREEngine Engine() const { return args_.Reference ? TREEngine::Reference : TREEngine::Fast; }

    std::filesystem::path ReadableIniPath() const
    {
        const auto ini = args_.Values.find("--ini");
        if (ini == args_.Values.end()) throw EUsageError(args_.Command + " needs --ini FILE");
        const std::filesystem::path path(ini->second);
        if (!std::filesystem::is_regular_file(path) || !std::ifstream(path, std::ios::binary))
            throw EFileError("cannot read settings file '" + ini->second + "'");
        return path;
    }

    int CheckSettingsOfFile(std::string& output)
    {
        const std::vector<SettingsFinding> findings = CheckSettingsFile(ReadableIniPath(), PortableKeyNames());
        output = ToExternal(FindingsReport(findings));
        return findings.empty() ? 0 : 5;
    }

    int RunEditSetOfFile(std::string input, std::string& output, std::string& diagnostics)
    {
        const std::filesystem::path path = ReadableIniPath();
        const int set = GroupOrSetNumber(args_, "--set", 0);
        const EditSettings settings = LoadSettings(path, PortableKeyNames());
        const int group = GroupOrSetNumber(args_, "--group", settings.ActiveGroup);

        TAWKStr awk(Engine());
        awk.SetLineSeparator(args_.Has("--lf") ? mcls_LF : mcls_CRLF);
        TNMURL url;
        PortableLineComparer comparer;
        ProcessServices services{awk, url, comparer, standIns_};
        const EditSet& editSet = settings.Group[static_cast<std::size_t>(group - 1)].Set[static_cast<std::size_t>(set - 1)];
        std::string text = ToInternal(std::move(input));
        if (!args_.Has("--trace") && !args_.Values.count("--trace")) {
            output = ToExternal(RunEditSet(std::move(text), editSet, ProcessRunnerFor(services)));
            return 0;
        }
        const bool withTexts = TraceWithTexts();
        EditTraceRecorder recorder(services, withTexts);
        try {
            output = ToExternal(RunEditSet(text, editSet, recorder.Runner(), recorder.Observer()));
        } catch (const ERegExpParser&) {
            diagnostics = ToExternal(TraceReport(recorder.Trace(), withTexts));  // the steps up to the failing one
            throw;
        }
        diagnostics = ToExternal(TraceReport(recorder.Trace(), withTexts));
        return 0;
    }

    bool TraceWithTexts() const
    {
        const auto value = args_.Values.find("--trace");
        if (value == args_.Values.end()) return false;
        if (value->second != "text") throw EUsageError("--trace takes no value or =text");
        return true;
    }

    const CliArguments& args_;
    TStandInMap standIns_;
};

// Writes bytes whole or raises: a result that did not reach its reader is no success.
void WriteAll(std::FILE* stream, const std::string& bytes)
{
    if (std::fwrite(bytes.data(), 1, bytes.size(), stream) != bytes.size() || std::fflush(stream) != 0)
        throw std::system_error(errno, std::generic_category(),
                                stream == stdout ? "cannot write standard output" : "cannot write standard error");
}

std::string ReadStandardInput()
{
    std::string input;
    // A file's size is known: one block then holds it, without growing on the way.
    struct stat info {};
    if (fstat(fileno(stdin), &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0)
        input.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[1 << 16];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, stdin)) > 0;) input.append(buffer, n);
    if (std::ferror(stdin)) throw std::system_error(errno, std::generic_category(), "cannot read standard input");
    return input;
}

// Writes "morvane-cli: MESSAGE" to standard error and gives back the exit status. Unchecked:
// a failing standard error leaves nowhere to report to.
int Fail(int status, const std::string& message)
{
    std::fputs("morvane-cli: ", stderr);
    std::fwrite(message.data(), 1, message.size(), stderr);
    std::fputs(status == 1 ? "\n(see morvane-cli --help)\n" : "\n", stderr);
    std::fflush(stderr);
    return status;
}

int RunCli(int argc, char** argv)
{
#ifdef _WIN32
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    CliArguments args;
    try {
        args = ParseCliArguments(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const EUsageError& e) {
        return Fail(1, e.what());
    }
    if (args.Help) {
        WriteAll(stdout, kUsage);
        return 0;
    }
    if (args.Version) {
        WriteAll(stdout, std::string("morvane-cli ") + MORVANE_VERSION + "\n");
        return 0;
    }

    // check reads only its file; waiting for input no one gives would hang a script.
    std::string input = args.Command == "check" ? std::string() : ReadStandardInput();
    Session session(args);
    std::string output, diagnostics;
    try {
        const int status = session.Run(std::move(input), output, diagnostics);
        WriteAll(stdout, output);
        WriteAll(stderr, diagnostics);
        return status;
    } catch (const ERegExpParser& e) {
        std::string message = e.what();
        try {
            message = session.ToExternal(message);
        } catch (const EEncodingError&) {
        }
        WriteAll(stderr, diagnostics);
        WriteAll(stderr, "error: " + message + " (position " + std::to_string(e.ErrorPos) + ")\n");
        return 2;
    } catch (const EEncodingError& e) {
        return Fail(3, std::string("encoding error: ") + session.EncodingMessage(e));
    } catch (const EUsageError& e) {
        return Fail(1, e.what());
    } catch (const EFileError& e) {
        return Fail(4, e.what());
    }
}

}  // namespace

// Whatever escapes the commands' own reports is the program's fault or the machine's, at
// any step, reading the input included.
int main(int argc, char** argv)
{
    try {
        return RunCli(argc, argv);
    } catch (const std::bad_alloc&) {
        // Nothing is allocated here: the memory may be gone.
        std::fputs("morvane-cli: internal error: out of memory\n", stderr);
        return 70;
    } catch (const std::exception& e) {
        return Fail(70, std::string("internal error: ") + e.what());
    }
}
