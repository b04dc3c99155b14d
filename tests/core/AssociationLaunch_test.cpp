// The association launch: candidate order, trimming, directories, and giving up quietly.
#include <gtest/gtest.h>

#include <set>

#include "core/AssociationLaunch.h"
#include "text/SjisLiteral.h"

namespace {

// Records every launch and accepts the file names it was told to.
class RecordingLauncher : public ILauncher {
public:
    explicit RecordingLauncher(std::set<std::string> accepted) : accepted_(std::move(accepted)) {}
    unsigned LaunchFile(const std::string& file, const std::string& params, const std::string& dir, int show,
                        const TStandInMap&) override
    {
        calls.push_back(file + "|" + params + "|" + dir + "|" + std::to_string(show));
        return accepted_.count(file) ? 42 : 2;
    }
    std::vector<std::string> calls;

private:
    std::set<std::string> accepted_;
};

struct LaunchCase {
    const char* name;
    std::string text;
    std::set<std::string> accepted;
    std::vector<std::string> calls;
};

TEST(ExecAssociation, TriesEverLongerCandidates)
{
    const std::string so = SjString("ソ"_sj);  // trail byte 0x5C is no directory separator
    const LaunchCase cases[] = {
        {"two files", "a.txt\r\nb.txt", {"a.txt", "b.txt"}, {"a.txt|||5", "b.txt|||5"}},
        {"path with blanks",
         "D:\\Program Files\\app\\read me.txt",
         {"D:\\Program Files\\app\\read me.txt"},
         {"D:\\Program|Files\\app\\read me.txt|D:\\|5",
          "D:\\Program Files\\app\\read|me.txt|D:\\Program Files\\app\\|5",
          "D:\\Program Files\\app\\read me.txt||D:\\Program Files\\app\\|5"}},
        {"program with parameters", "notepad.exe D:\\a.txt", {"notepad.exe"}, {"notepad.exe|D:\\a.txt||5"}},
        {"url", "http://example.com/a", {"http://example.com/a"}, {"http://example.com/a||http:|5"}},
        {"url with port", "http://h:8080/x", {}, {"http://h:8080/x||http://h:|5"}},
        {"blanks only", "   ", {}, {"|||5", "|||5", "|||5"}},
        {"leading blank", " a", {"a"}, {"|a||5", "a|||5"}},  // words "" and "a"
        {"empty text", "", {}, {}},
        {"failed line then next", "x y\r\nz", {"z"}, {"x|y||5", "x y|||5", "z|||5"}},
        {"trail byte is no separator", so + " t", {}, {so + "|t||5", so + " t|||5"}},
        {"tab is no separator", "a\tb", {}, {"a\tb|||5"}},
        {"long path passed whole", std::string(100, 'p') + ".txt", {}, {std::string(100, 'p') + ".txt|||5"}},
    };
    for (const auto& c : cases) {
        RecordingLauncher launcher(c.accepted);
        ExecAssociation(c.text, launcher);
        EXPECT_EQ(launcher.calls, c.calls) << c.name;
    }
}

}  // namespace
