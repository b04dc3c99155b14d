// The INI file: what reading finds, how writing changes the file's bytes, and that a
// failed save leaves the file on disk as it was.
#include <gtest/gtest.h>

#include "core/ProfileFile.h"
#include "text/SjisLiteral.h"
#include "support/TempDir.h"
#include "support/Utf16LeFile.h"

namespace {

struct ReadCase {
    const char* name;
    std::string_view file;
    const char* section;
    const char* key;
    std::string_view expected;  // "<default>" when the default must come back
};

TEST(ProfileFileRead, FindsValuesAsTheProfileServicesDo)
{
    const std::string longValue(3000, 'x');
    const std::string longFile = "[S]\r\nK=" + longValue + "\r\n";
    const std::string quotedLongFile = "[S]\r\nK=\"" + longValue + "\"\r\n";
    const std::string cutValue = longValue.substr(0, 2047);
    const ReadCase cases[] = {
        {"plain value", "[S]\r\nK=v\r\n", "S", "K", "v"},
        {"section and key ignore case", "[sEcT]\r\nkEy=v\r\n", "SECT", "KEY", "v"},
        {"blanks around names", "  [ S ]  \r\n  K  =v\r\n", "S", "K", "v"},
        {"blanks and tabs around the value", "[S]\r\nK= \t v w \t \r\n", "S", "K", "v w"},
        {"double quotes removed", "[S]\r\nK=\" v \"\r\n", "S", "K", " v "},
        {"single quotes removed", "[S]\r\nK='v'\r\n", "S", "K", "v"},
        {"only one pair removed", "[S]\r\nK=\"\"v\"\"\r\n", "S", "K", "\"v\""},
        {"unmatched quotes kept", "[S]\r\nK=\"v'\r\n", "S", "K", "\"v'"},
        {"a lone quote kept", "[S]\r\nK=\"\r\n", "S", "K", "\""},
        {"value holding '='", "[S]\r\nK=a=b\r\n", "S", "K", "a=b"},
        {"empty value", "[S]\r\nK=\r\n", "S", "K", ""},
        {"first of two keys", "[S]\r\nK=1\r\nk=2\r\n", "S", "K", "1"},
        {"first of two sections", "[S]\r\nK=1\r\n[s]\r\nK=2\r\n", "S", "K", "1"},
        {"key in a later section only", "[S]\r\n[T]\r\nK=1\r\n", "S", "K", "<default>"},
        {"LF line ends", "[S]\nA=1\nK=v\n", "S", "K", "v"},
        {"CR line ends", "[S]\rA=1\rK=v", "S", "K", "v"},
        {"no line end at the end", "[S]\r\nK=v", "S", "K", "v"},
        {"missing section", "[T]\r\nK=v\r\n", "S", "K", "<default>"},
        {"missing key", "[S]\r\nL=v\r\n", "S", "K", "<default>"},
        {"key before any section", "K=v\r\n[S]\r\n", "S", "K", "<default>"},
        {"comment is no key", "[S]\r\n;K=v\r\n", "S", "K", "<default>"},
        {"line without '=' is no key", "[S]\r\nK\r\n", "S", "K", "<default>"},
        {"header without closing bracket is no header", "[S]\r\nA=1\r\n[T\r\nK=v\r\n", "T", "K", "<default>"},
        {"lines after it stay in the section before", "[S]\r\nA=1\r\n[T\r\nK=v\r\n", "S", "K", "v"},
        {"header name runs to the last bracket", "[a]b] c\r\nK=v\r\n", "a]b", "K", "v"},
        {"long value cut at 2047 bytes", longFile, "S", "K", cutValue},
        {"quoted long value cut after the quotes go", quotedLongFile, "S", "K", cutValue},
        {"CP932 value untouched", "[S]\r\nK=\x83\x5C\x95\x5C\r\n", "S", "K", "\x83\x5C\x95\x5C"},
        // 0x83 0x41 and 0x83 0x61 are different characters, though their trail bytes are 'A' and 'a'.
        {"trail bytes never folded", "[\x83\x41]\r\nK=v\r\n", "\x83\x61", "K", "<default>"},
        {"double-byte section name", "[\x83\x41]\r\nK=v\r\n", "\x83\x41", "K", "v"},
        {"trail byte ']' inside a section name", "[\x81\x5D]\r\nK=v\r\n", "\x81\x5D", "K", "v"},
    };
    TempDir dir;
    for (const auto& c : cases) {
        WriteFileBytes(dir / "a.ini", c.file);
        const ProfileFile file(dir / "a.ini");
        EXPECT_EQ(file.ReadString(c.section, c.key, "<default>"), c.expected) << c.name;
    }
}

TEST(ProfileFileRead, MissingFileGivesDefaults)
{
    TempDir dir;
    const ProfileFile file(dir / "none.ini");
    EXPECT_EQ(file.ReadString("S", "K", "d"), "d");
    EXPECT_FALSE(std::filesystem::exists(dir / "none.ini"));
}

struct Write {
    const char* section;
    const char* key;
    const char* value;
};

struct WriteCase {
    const char* name;
    std::string_view before;  // "<none>": no file
    std::vector<Write> writes;
    std::string_view after;
};

TEST(ProfileFileWrite, ChangesOnlyWhatIsWritten)
{
    const WriteCase cases[] = {
        {"missing file is created", "<none>", {{"S", "K", "v"}, {"S", "L", "w"}, {"T", "K", "x"}},
         "[S]\r\nK=v\r\nL=w\r\n[T]\r\nK=x\r\n"},
        {"key replaced in place, first occurrence", "[S]\r\nA=1\r\nk = old\r\nB=2\r\nK=second\r\n", {{"s", "K", "new"}},
         "[S]\r\nA=1\r\nK=new\r\nB=2\r\nK=second\r\n"},
        {"replaced line keeps its own line end", "[S]\nK=old\nB=2\n", {{"S", "K", "new"}}, "[S]\nK=new\nB=2\n"},
        {"new key after the last non-blank line of its section", "[S]\r\nA=1\r\n\r\n[T]\r\n", {{"S", "K", "v"}},
         "[S]\r\nA=1\r\nK=v\r\n\r\n[T]\r\n"},
        {"new key in an empty section", "[S]\r\n[T]\r\n", {{"S", "K", "v"}}, "[S]\r\nK=v\r\n[T]\r\n"},
        {"new section at the end of the file", "; note\r\n[S]\r\nA=1\r\n", {{"T", "K", "v"}},
         "; note\r\n[S]\r\nA=1\r\n[T]\r\nK=v\r\n"},
        {"last line without a line end", "[S]\r\nA=1", {{"S", "K", "v"}}, "[S]\r\nA=1\r\nK=v\r\n"},
        {"new section after a last line without a line end", "[S]\r\nA=1", {{"T", "K", "v"}},
         "[S]\r\nA=1\r\n[T]\r\nK=v\r\n"},
        {"header without a line end", "[S]", {{"S", "K", "v"}}, "[S]\r\nK=v\r\n"},
        {"foreign lines kept byte for byte", "top\n[S]\t\n; c=1\n  X = y \nK=1\r\n\n[Other]\nZ\n",
         {{"S", "K", "2"}}, "top\n[S]\t\n; c=1\n  X = y \nK=2\r\n\n[Other]\nZ\n"},
        {"empty file", "", {{"S", "K", "v"}}, "[S]\r\nK=v\r\n"},
        {"value written raw", "<none>", {{"S", "K", " \"v\" "}}, "[S]\r\nK= \"v\" \r\n"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        const auto path = dir / "a.ini";
        if (c.before != "<none>") WriteFileBytes(path, c.before);
        ProfileFile file(path);
        for (const auto& w : c.writes) file.WriteString(w.section, w.key, w.value);
        file.Save();
        EXPECT_EQ(ReadFileBytes(path), c.after) << c.name;
        EXPECT_FALSE(std::filesystem::exists(dir / "a.ini.tmp")) << c.name;
    }
}

TEST(ProfileFileWrite, SavesThroughSymbolicLinksIntoTheirTarget)
{
    TempDir dir;
    std::filesystem::create_directory(dir / "real");
    WriteFileBytes(dir / "real" / "a.ini", "[S]\r\nK=old\r\n");
    std::filesystem::create_symlink("real/a.ini", dir / "link.ini");
    std::filesystem::create_symlink(dir / "link.ini", dir / "chain.ini");
    for (const char* via : {"link.ini", "chain.ini"}) {
        ProfileFile file(dir / via);
        file.WriteString("S", "K", via);
        file.Save();
        EXPECT_TRUE(std::filesystem::is_symlink(dir / via)) << via;
        EXPECT_EQ(ReadFileBytes(dir / "real" / "a.ini"), "[S]\r\nK=" + std::string(via) + "\r\n") << via;
    }
    EXPECT_EQ(std::filesystem::read_symlink(dir / "link.ini"), "real/a.ini");
    for (const char* temp : {"real/a.ini.tmp", "link.ini.tmp", "chain.ini.tmp"})
        EXPECT_FALSE(std::filesystem::exists(dir / temp)) << temp;
}

TEST(ProfileFileUtf16, ReadsInCp932AndSavesBackAsUtf16)
{
    TempDir dir;
    const auto path = dir / "a.ini";
    // é and the emoji have no CP932 code; 表 has the trail byte 0x5C.
    WriteFileBytes(path, Utf16LeFile(u"[S]\r\nName=表示\r\nCafe = Café\r\nK=old\nQ=\"x\"\r\n[T😀]\r\nK=t\r\n[T]\r\nL=l"));
    ProfileFile file(path);
    EXPECT_EQ(file.ReadString("s", "name", "d"), "表示"_sj);
    EXPECT_EQ(file.ReadString("S", "Q", "d"), "x");
    EXPECT_EQ(file.ReadString("S", "Cafe", "d"), "d");
    EXPECT_TRUE(file.ValueBeyondCp932("S", "Cafe"));
    EXPECT_FALSE(file.ValueBeyondCp932("S", "Name"));
    EXPECT_EQ(file.ReadString("T", "K", "d"), "d");  // the key belongs to the section beyond CP932
    EXPECT_EQ(file.ReadString("T", "L", "d"), "l");

    // A value that is no CP932 text has no UTF-16 form: refused before it reaches the file.
    EXPECT_THROW(file.WriteString("S", "K", "\x85\x40"), std::runtime_error);
    file.WriteString("S", "K", std::string("新"_sj));
    file.WriteString("S", "Cafe", "plain");
    file.WriteString("U", "N", "v");
    file.Save();
    EXPECT_EQ(ReadFileBytes(path),
              Utf16LeFile(u"[S]\r\nName=表示\r\nCafe=plain\r\nK=新\nQ=\"x\"\r\n[T😀]\r\nK=t\r\n[T]\r\nL=l\r\n[U]\r\nN=v\r\n"));

    // Lines beyond CP932 that nothing rewrites are saved as the file had them.
    WriteFileBytes(path, Utf16LeFile(u"; Café\r\n[S]\r\nK=\xD800x\r\n"));
    ProfileFile kept(path);
    kept.WriteString("S", "L", "1");
    kept.Save();
    EXPECT_EQ(ReadFileBytes(path), Utf16LeFile(u"; Café\r\n[S]\r\nK=\xD800x\r\nL=1\r\n"));
}

TEST(ProfileFileWrite, ReadsBackWhatItWroteBeforeSaving)
{
    TempDir dir;
    ProfileFile file(dir / "a.ini");
    file.WriteString("S", "K", "v");
    EXPECT_EQ(file.ReadString("s", "k", ""), "v");
}

TEST(ProfileFileWrite, FailedSaveNamesThePathAndChangesNothing)
{
    TempDir dir;
    const std::string_view suffix = " に書き込めません"_sj;

    ProfileFile inMissingFolder(dir / "no" / "a.ini");
    inMissingFolder.WriteString("S", "K", "v");
    try {
        inMissingFolder.Save();
        ADD_FAILURE() << "saving into a missing folder succeeded";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(e.what(), (dir / "no" / "a.ini").string() + std::string(suffix));
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "no"));

    // A path that cannot be read as a file is never replaced.
    std::filesystem::create_directory(dir / "d.ini");
    WriteFileBytes(dir / "d.ini" / "keep", "x");
    ProfileFile unreadable(dir / "d.ini");
    unreadable.WriteString("S", "K", "v");
    EXPECT_THROW(unreadable.Save(), std::runtime_error);
    EXPECT_EQ(ReadFileBytes(dir / "d.ini" / "keep"), "x");
}

TEST(ProfileFileWrite, RefusesValuesThatWouldSplitIntoLines)
{
    TempDir dir;
    WriteFileBytes(dir / "a.ini", "[S]\r\nK=old\r\n");
    ProfileFile file(dir / "a.ini");
    const std::string bad[] = {"a\r\n[Main]\r\nGroup=3", "a\nb", "a\rb", std::string("a\0b", 3)};
    for (const auto& value : bad) EXPECT_THROW(file.WriteString("S", "K", value), std::runtime_error) << value;
    EXPECT_EQ(file.ReadString("S", "K", ""), "old");
}

TEST(ProfileFileWrite, RefusesValuesLongerThanAReadGivesBack)
{
    TempDir dir;
    ProfileFile file(dir / "a.ini");
    file.WriteString("S", "K", std::string(2047, 'x'));
    EXPECT_EQ(file.ReadString("S", "K", "").size(), 2047u);
    file.WriteString("S", "Q", "\"" + std::string(2047, 'x') + "\"");  // the quotes do not count
    EXPECT_THROW(file.WriteString("S", "K", std::string(2048, 'y')), std::runtime_error);
    EXPECT_EQ(file.ReadString("S", "K", ""), std::string(2047, 'x'));
}

TEST(ProfileFileWrite, TellsWhichValuesReadBackUnchanged)
{
    const struct {
        std::string_view value;
        bool unchanged;
    } cases[] = {
        {"", true}, {"a b", true}, {"\"a", true}, {"a'", true}, {"\"a'", true}, {"\"", true},
        {" a", false}, {"a\t", false}, {"\"a\"", false}, {"''", false},
    };
    for (const auto& c : cases) EXPECT_EQ(ProfileFile::ReadsBackUnchanged(c.value), c.unchanged) << '[' << c.value << ']';
}

}  // namespace
