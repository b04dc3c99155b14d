// Runs the built morvane-cli on byte inputs and checks its output and exit status.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "text/SjisLiteral.h"

#include "support/CliResult.h"

namespace {

std::string ShellQuote(const std::string& s)
{
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

CliResult RunCli(const std::vector<std::string>& args, const std::string& input)
{
    const auto dir = std::filesystem::temp_directory_path() / ("morvane-cli-test-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "in", std::ios::binary) << input;
    std::string command = ShellQuote(MORVANE_CLI_PATH);
    for (const auto& a : args) command += " " + ShellQuote(a);
    command += " < " + ShellQuote((dir / "in").string()) + " > " + ShellQuote((dir / "out").string()) + " 2> " +
               ShellQuote((dir / "err").string());
    const int raw = std::system(command.c_str());
    CliResult r{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadFile(dir / "out"), ReadFile(dir / "err")};
    std::filesystem::remove_all(dir);
    return r;
}

struct CliCase {
    const char* name;
    std::vector<std::string> args;
    std::string input;
    int status;
    std::string out;
    std::string errStart;  // expected beginning of standard error
};

void Check(const CliCase& c)
{
    const CliResult r = RunCli(c.args, c.input);
    EXPECT_EQ(r.status, c.status) << c.name << ": " << r.err;
    EXPECT_EQ(r.out, c.out) << c.name;
    EXPECT_EQ(r.err.substr(0, c.errStart.size()), c.errStart) << c.name;
}

TEST(Cli, Commands)
{
    const std::string so(SjString("ソ"_sj));
    const CliCase cases[] = {
        {"gsub", {"--encoding=cp932", "gsub", "a", "[&]"}, "banana", 0, "b[a]n[a]n[a]", ""},
        {"gsub count", {"--encoding=cp932", "gsub", "--count", "a", "-"}, "banana", 0, "b-n-n-", "3\n"},
        {"gsub lf", {"--encoding=cp932", "gsub", "--lf", "$", ";"}, "a\nb", 0, "a;\nb;", ""},
        {"gsub fuzzy", {"--encoding=cp932", "gsub", "--fuzzy", "a", "-"}, "a" + SjString("Ａ"_sj), 0, "--", ""},
        {"pattern after --", {"--encoding=cp932", "gsub", "--", "-", "+"}, "a-b", 0, "a+b", ""},
        {"match", {"--encoding=cp932", "match", "b"}, "abc", 0, "2 1\n", ""},
        {"no match", {"--encoding=cp932", "match", "x"}, "abc", 0, "0 0\n", ""},
        {"trail byte", {"--encoding=cp932", "match", "\\\\"}, so, 0, "0 0\n", ""},
        {"binary input", {"--encoding=cp932", "match", "\xFF"}, std::string("\x01\xFF\x80", 3), 0, "2 1\n", ""},
        {"expand", {"--encoding=cp932", "expand", "--fuzzy", "a"}, "", 0, SjString("(Ａ|ａ|A|a)"_sj) + "\n", ""},
        {"expand plain", {"--encoding=cp932", "expand", "a["}, "", 0, "a[\n", ""},
        {"pattern error", {"--encoding=cp932", "match", "(a"}, "abc", 2, "",
         "error: " + SjString("右(閉じ)括弧が必要です"_sj) + " (position 3)\n"},
        {"template error", {"--encoding=cp932", "gsub", "a", "x\\"}, "abc", 2, "",
         "error: " + SjString("\"\\\"の次には文字が必要です。"_sj)},
        {"utf-8 gsub", {"--encoding=utf-8", "gsub", "--fuzzy", "が", "[&]"}, "ｶﾞｷﾞ", 0, "[ｶﾞ]ｷﾞ", ""},
        {"utf-8 match", {"--encoding=utf-8", "match", "い"}, "あい", 0, "3 2\n", ""},
        {"utf-8 error message", {"--encoding=utf-8", "match", "[z-a]"}, "", 2, "",
         "error: 不正なキャラクタ範囲です (position 5)\n"},
        {"utf-8 beyond cp932 kept", {"--encoding=utf-8", "gsub", "a", "b"}, "a\xF0\x9F\x98\x80\xE3\x80\x9C", 0,
         "b\xF0\x9F\x98\x80\xE3\x80\x9C", ""},
        {"utf-8 named characters kept", {"--encoding=utf-8", "gsub", "a", "b"},
         "a〜−‖¢£¬¥—–\u00A0é€😀𠮷한a", 0, "b〜−‖¢£¬¥—–\u00A0é€😀𠮷한b", ""},
        {"utf-8 beyond cp932 in a pattern", {"--encoding=utf-8", "gsub", "\xC3\xA9", "e"}, "caf\xC3\xA9", 0, "cafe", ""},
        {"utf-8 invalid", {"--encoding=utf-8", "match", "a"}, "\xE3\x81", 3, "", "morvane-cli:"},
        {"utf-8 bad argument", {"--encoding=utf-8", "match", "\xC3"}, "", 3, "", "morvane-cli:"},
        {"utf-8 output not convertible", {"--encoding=utf-8", "gsub", "a", "\\x8540"}, "a", 3, "", "morvane-cli:"},
        {"too complex for the reference", {"--encoding=cp932", "--reference", "match", "(a|b)*a(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)"
                                                    "(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)"},
         "ab", 2, "", "error: " + SjString("正規表現が複雑すぎます"_sj)},
        {"exponential pattern, fast engine", {"--encoding=cp932", "match", "(a|b)*a(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)"
                                                    "(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)"},
         "xxabababababababababababb", 0, "3 23\n", ""},
        {"extended groups in a template", {"--encoding=utf-8", "gsub", "-E", "(\\d{4})/(\\d{2})/(\\d{2})", "\\1年\\2月\\3日"},
         "2026/12/09", 0, "2026年12月09日", ""},
        {"extended fuzzy groups", {"--encoding=utf-8", "gsub", "--extended", "--fuzzy", "(もー)(ばん)", "$2${1}"}, "ﾓｰﾊﾞﾝ", 0,
         "ﾊﾞﾝﾓｰ", ""},
        {"extended fuzzy widening captures nothing", {"--encoding=cp932", "expand", "-E", "--fuzzy", "(a){2}"}, "", 0,
         SjString("((?:Ａ|ａ|A|a)){2}"_sj) + "\n", ""},
        {"groups", {"--encoding=cp932", "match", "-E", "--groups", "(a|ab)(c|bcd)(d*)|(x)"}, "abcd", 0,
         "(0,4)(0,2)(2,3)(3,4)(?,?)\n", ""},
        {"groups, no match", {"--encoding=cp932", "match", "-E", "--groups", "(x)"}, "abcd", 0, "NOMATCH\n", ""},
        {"extended refusal", {"--encoding=cp932", "match", "-E", "ab(?=c)"}, "abc", 2, "",
         "error: " + SjString("先読み\"(?=\" \"(?!\"は使えません"_sj) + " (position 3)\n"},
        {"template names a missing group", {"--encoding=cp932", "gsub", "-E", "(a)", "\\2"}, "a", 2, "",
         "error: " + SjString("置換文字列の参照する2番目の括弧がパターンにありません"_sj) + " (position 1)\n"},
        {"classic syntax unchanged", {"--encoding=cp932", "gsub", "(a){2}\\d", "<\\1&>"}, "a{2}d", 0, "<\x01" "a{2}d>", ""},
        {"unknown command", {"frobnicate"}, "", 1, "", "morvane-cli: unknown command"},
        {"missing argument", {"gsub", "a"}, "", 1, "", "morvane-cli: gsub takes 2"},
        {"unknown option", {"match", "--bogus", "a"}, "", 1, "", "morvane-cli: unknown option"},
        {"bad encoding", {"--encoding=latin1", "match", "a"}, "", 1, "", "morvane-cli: unknown encoding"},
        {"no command", {}, "", 1, "", "morvane-cli: no command"},
    };
    for (const auto& c : cases) Check(c);
}

#if defined(__SANITIZE_ADDRESS__)
#define MORVANE_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MORVANE_UNDER_ASAN 1
#endif
#endif
// Running out of memory while the input is read, or a standard input or output that fails,
// is an internal error (70): never a crash, a pattern error or a success.
TEST(Cli, FailuresOfTheSystemAreInternalErrors)
{
    const std::string cli = ShellQuote(MORVANE_CLI_PATH);
    std::vector<std::pair<const char*, std::string>> cases = {
        {"a folder as standard input", cli + " match a < / 2>/dev/null"},
        {"a full disk", "echo a | " + cli + " gsub a b > /dev/full 2>/dev/null"},
    };
#ifndef MORVANE_UNDER_ASAN  // address space limits do not apply under AddressSanitizer
    cases.push_back({"out of memory", "ulimit -v 300000; head -c 400000000 /dev/zero | " + cli +
                                          " --encoding=cp932 gsub a b >/dev/null 2>/dev/null"});
#endif
    for (const auto& [name, command] : cases) {
        const int raw = std::system(("sh -c " + ShellQuote(command)).c_str());
        EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, 70) << name;
    }
}

TEST(Cli, HelpAndVersion)
{
    const CliResult help = RunCli({"--help"}, "");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("usage: morvane-cli"), std::string::npos);
    const CliResult version = RunCli({"--version"}, "");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("morvane-cli ", 0), 0u);
}

}  // namespace

namespace {

const std::string kExampleIni = std::string(MORVANE_SOURCE_DIR) + "/examples/Morvane.INI";

TEST(Cli, RunsEditSetsOfASettingsFile)
{
    const CliCase cases[] = {
        {"set 1 numbers lines", {"--encoding=utf-8", "run", "--ini", kExampleIni, "--set", "1"}, "a   b  \r\nc\n", 0,
         "  1: a b\r\n  2: c", ""},
        {"set 2 fuzzy marks", {"--encoding=utf-8", "run", "--ini", kExampleIni, "--set", "2"}, "ﾓｰﾊﾞﾝ", 0,
         "[ﾓｰﾊﾞﾝ]", ""},
        {"set 4 swaps and encodes", {"--encoding=utf-8", "run", "--ini", kExampleIni, "--group", "1", "--set", "4"},
         "k = v", 0, "v+%3D+k", ""},
        {"empty group does nothing", {"--encoding=cp932", "run", "--ini", kExampleIni, "--group", "3", "--set", "1"},
         "a\r\nb", 0, "a\r\nb", ""},
        {"dates by groups", {"--encoding=utf-8", "run", "--ini", kExampleIni, "--group", "2", "--set", "1"},
         "2026/12/9", 0, "2026年12月9日", ""},
        {"missing file", {"run", "--ini", "/nonexistent/Morvane.INI", "--set", "1"}, "", 4, "", "morvane-cli: cannot read"},
        {"set out of range", {"run", "--ini", kExampleIni, "--set", "5"}, "", 1, "", "morvane-cli: --set must be"},
        {"no set", {"run", "--ini", kExampleIni}, "", 1, "", "morvane-cli: run needs --set"},
    };
    for (const auto& c : cases) Check(c);
}

// The replace and the swap read their patterns in their set's syntax.
TEST(Cli, RunReadsEachSetInItsSyntax)
{
    const auto dir = std::filesystem::temp_directory_path() / ("morvane-run-syntax-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string set = "IfExec0=1\r\nIfExec5=1\r\nRLCenter=\\s=\\s\r\n";
    const std::string cond = "FromStr=(\\d+)-(\\d+)\r\nToStr=\\2-\\1\r\n";
    std::ofstream(dir / "syntax.ini", std::ios::binary)
        << "[Group1Set1]\r\nExtendedRegex=1\r\n" << set << "[Group1Set1Cond1]\r\n" << cond
        << "[Group1Set2]\r\n" << set << "[Group1Set2Cond1]\r\n" << cond;
    const std::string ini = (dir / "syntax.ini").string();
    EXPECT_EQ(RunCli({"--encoding=cp932", "run", "--ini", ini, "--set", "1"}, "12-34\r\na = b").out, "34-12\r\nb = a");
    EXPECT_EQ(RunCli({"--encoding=cp932", "run", "--ini", ini, "--set", "2"}, "12-34\r\na = b").out, "12-34\r\na = b");
    std::filesystem::remove_all(dir);
}

// Under run, "$" ends lines at LF only with --lf, as under gsub.
TEST(Cli, RunTakesTheLineSeparator)
{
    const auto dir = std::filesystem::temp_directory_path() / ("morvane-run-lf-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "lf.ini", std::ios::binary) << "[Group1Set1]\r\nIfExec0=1\r\n[Group1Set1Cond1]\r\nFromStr=$\r\nToStr=;\r\n";
    const std::string ini = (dir / "lf.ini").string();
    EXPECT_EQ(RunCli({"--encoding=cp932", "run", "--ini", ini, "--set", "1"}, "a\nb").out, "a\nb;");
    EXPECT_EQ(RunCli({"--encoding=cp932", "run", "--lf", "--ini", ini, "--set", "1"}, "a\nb").out, "a;\nb;");
    std::filesystem::remove_all(dir);
}

TEST(Cli, RunReportsPatternErrorsAndWritesNothing)
{
    const auto dir = std::filesystem::temp_directory_path() / ("morvane-run-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const struct { const char* name; std::string ini; } cases[] = {
        {"condition", "[Group1Set1]\r\nIfExec0=1\r\n[Group1Set1Cond3]\r\nFromStr=(a\r\n"},
        {"swap centre", "[Group1Set1]\r\nIfExec5=1\r\nRLCenter=[z-a]\r\n"},
    };
    for (const auto& c : cases) {
        std::ofstream(dir / "bad.ini", std::ios::binary) << c.ini;
        const CliResult r = RunCli({"--encoding=cp932", "run", "--ini", (dir / "bad.ini").string(), "--set", "1"}, "a=b\r\n");
        EXPECT_EQ(r.status, 2) << c.name;
        EXPECT_EQ(r.out, "") << c.name;
        EXPECT_EQ(r.err.rfind("error: ", 0), 0u) << c.name << ": " << r.err;
    }
    std::filesystem::remove_all(dir);
}

}  // namespace
