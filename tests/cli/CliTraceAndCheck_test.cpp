// morvane-cli's views inside a settings file: run --trace and check, on files written here.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/CliResult.h"

namespace {

// Runs morvane-cli in UTF-8 with --ini naming a file of iniText (none when iniText is empty).
CliResult RunWithIni(const std::string& command, const std::string& iniText, const std::string& input,
                     const std::string& more = "")
{
    const auto dir = std::filesystem::temp_directory_path() / ("morvane-trace-check-test-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    if (!iniText.empty()) std::ofstream(dir / "m.ini", std::ios::binary) << iniText;
    std::ofstream(dir / "in", std::ios::binary) << input;
    const std::string line = std::string("'") + MORVANE_CLI_PATH + "' --encoding=utf-8 " + command + " --ini '" +
                             (dir / "m.ini").string() + "' " + more + " < '" + (dir / "in").string() + "' > '" +
                             (dir / "out").string() + "' 2> '" + (dir / "err").string() + "'";
    const int raw = std::system(line.c_str());
    CliResult r{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadFile(dir / "out"), ReadFile(dir / "err")};
    std::filesystem::remove_all(dir);
    return r;
}

// The file's Shift-JIS is plain ASCII here, so the settings need no conversion.
TEST(CliTraceAndCheck, CheckReportsEachKindOfFinding)
{
    const std::string longValue(2048, 'x');
    const struct {
        const char* name;
        std::string ini;
        int status;
        std::string out;
    } cases[] = {
        {"clean file", "[Group1Set1]\nHotKey=Ctrl+Alt+1\nIfExec0=1\n[Group1Set1Cond1]\nFromStr=\"a(b)\"\nToStr=\"[&]\"\n",
         0, ""},
        {"missing file", "", 4, ""},
        {"pattern error", "[Group1Set1Cond2]\nFromStr=\"x(\"\n", 5,
         "[Group1Set1Cond2] FromStr: 右(閉じ)括弧が必要です (position 3)\n"},
        {"template error", "[Group2Set3Cond1]\nFromStr=\"a\"\nToStr=\"x\\\"\n", 5,
         "[Group2Set3Cond1] ToStr: \"\\\"の次には文字が必要です。 (position "},
        {"conditions up to MaxCnt", "[Group1Set1]\nMaxCnt=5\n[Group1Set1Cond5]\nFromStr=\"(\"\n"
                                    "[Group1Set1Cond6]\nFromStr=\"(\"\n",
         5, "[Group1Set1Cond5] FromStr: 右(閉じ)括弧が必要です (position 2)\n"},
        // RLAfter gets "$" behind it, which a trailing backslash escapes: only RLBefore is bad.
        {"swap patterns as the swap sets them", "[Group1Set1]\nRLBefore=\\\nRLAfter=\\\n", 5,
         "[Group1Set1] RLBefore: \"\\\"の次には文字が必要です。 (position 2)\n"},
        {"unreadable hot key", "[Group3Set1]\nHotKey=Ctrl+\nIfExec0=1\n", 5,
         "[Group3Set1] HotKey: ホットキーとして読めません\n"},
        {"hot key without modifiers", "[Group1]\nExecHotKey=F5\n", 5,
         "[Group1] ExecHotKey: 修飾キーがありません（登録されず、設定画面で入力すると Alt が付きます）\n"},
        {"one key for two sets of a group", "[Group1Set1]\nHotKey=Ctrl+Q\nIfExec0=1\n[Group1Set2]\nHotKey=^q\nIfExec0=1\n",
         5, "[Group1Set2] HotKey: Ctrl+Q（編集設定（２））は編集設定（１）と同じキーです（編集設定（１）だけが働きます）\n"},
        {"system key", "[Group4]\nExecHotKey=Alt+F4\n", 5,
         "[Group4] ExecHotKey: Alt+F4（関連付け起動）はWindowsの操作に使われるキーです\n"},
        {"hot key but no process", "[Group1Set4]\nHotKey=Ctrl+Alt+4\nOrder0=9\nOrder1=9\nIfExec0=1\nIfExec1=1\n", 5,
         "[Group1Set4] HotKey: ホットキーがありますが、実行する処理がありません\n"},
        {"extended constructs in the classic syntax", "[Group1Set1Cond1]\nFromStr=\"x\\d{4}\"\nToStr=\"$1\"\n", 5,
         "[Group1Set1Cond1] FromStr: 「\\d」は拡張構文の書き方で、標準の構文では別の意味になります（拡張構文にするには "
         "ExtendedRegex=1） (position 2)\n[Group1Set1Cond1] ToStr: 「$1」は拡張構文の書き方で"},
        {"the same in the extended syntax", "[Group1Set1]\nExtendedRegex=1\n[Group1Set1Cond1]\nFromStr=\"(\\d{4})\"\nToStr=\"$1\"\n",
         0, ""},
        {"a process twice in the order", "[Group1Set1]\nOrder3=0\n", 5,
         "[Group1Set1] Order3: 処理「文字列置換」が順序に2回あります（2回実行され、ほかの処理のどれかは実行できません）\n"},
        {"value past 2047 bytes", "[Group1]\nName=" + longValue + "\n", 5,
         "[Group1] Name: 値が2047バイトを超えています（2047バイトまでしか読まれません）\n"},
    };
    for (const auto& c : cases) {
        const CliResult r = RunWithIni("check", c.ini, "");
        EXPECT_EQ(r.status, c.status) << c.name << ": " << r.err;
        // The start of each line: an engine's error position is the engine's own concern.
        EXPECT_EQ(r.out.substr(0, c.out.size()), c.out) << c.name;
        const bool cut = !c.out.empty() && c.out.back() != '\n';
        EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), std::count(c.out.begin(), c.out.end(), '\n') + cut)
            << c.name;
    }
}

// Replace (code 0) at position 2, upper case (code 2) at position 4; position 1 holds
// the line numbering, which is off. Condition 2 is empty and does not run.
const std::string kTraceIni =
    "[Group1Set1]\nOrder0=1\nOrder1=0\nOrder2=3\nOrder3=2\nIfExec0=1\nIfExec2=1\nCaseMethod=1\n"
    "[Group1Set1Cond1]\nFromStr=\"a\"\nToStr=\"bb\"\n[Group1Set1Cond2]\nFromStr=\"\"\n"
    "[Group1Set1Cond3]\nFromStr=\"x\"\nToStr=\"y\"\n"
    "[Group1Set2]\nIfExec0=1\n[Group1Set2Cond1]\nFromStr=\"a\"\nToStr=\"b\"\n[Group1Set2Cond2]\nFromStr=\"(\"\n";

TEST(CliTraceAndCheck, TraceShowsEachStepThatRan)
{
    const struct {
        const char* name;
        std::string options;
        int status;
        std::string out;
        std::string err;
    } cases[] = {
        {"figures", "--set 1 --trace", 0, "BBBBあ", "2 文字列置換 4 -> 6 条件1:2 条件3:0\n4 大/小文字 6 -> 6\n"},
        {"texts", "--set 1 --trace=text", 0, "BBBBあ",
         "2 文字列置換 4 -> 6 条件1:2 条件3:0\nbbbbあ\n4 大/小文字 6 -> 6\nBBBBあ\n"},
        {"no trace", "--set 1", 0, "BBBBあ", ""},
        {"a failing step ends the trace", "--set 2 --trace", 2, "",
         "error: 右(閉じ)括弧が必要です (position 2)\n"},
        {"bad trace value", "--set 1 --trace=all", 1, "", "morvane-cli: --trace takes"},
    };
    for (const auto& c : cases) {
        const CliResult r = RunWithIni("run", kTraceIni, "aaあ", c.options);
        EXPECT_EQ(r.status, c.status) << c.name << ": " << r.err;
        EXPECT_EQ(r.out, c.out) << c.name;
        EXPECT_EQ(r.err.substr(0, c.err.size()), c.err) << c.name;
    }
}

}  // namespace
