// Hand-edited and damaged settings files: whatever the file holds, loading gives a model,
// and saving either works (and reads back the same) or raises the write error with the
// file left as it was. Settings paths that cannot be written fail with that error too.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "core/IgnoreCase.h"
#include "core/SettingsFile.h"
#include "text/SjisLiteral.h"
#include "support/TempDir.h"

namespace {

std::string WriteError(const std::filesystem::path& path) { return path.string() + std::string(" に書き込めません"_sj); }

std::string Repeat(std::string_view piece, std::size_t times)
{
    std::string s;
    s.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i) s += piece;
    return s;
}

std::string EveryByte(int times)
{
    std::string s;
    for (int t = 0; t < times; ++t)
        for (int b = 0; b < 256; ++b) s += static_cast<char>(b);
    return s;
}

TEST(HostileSettings, AnyFileLoadsAndSavesOrRefusesCleanly)
{
    const std::size_t tenMegabytes = std::size_t{10} << 20;
    const struct {
        const char* name;
        std::string file;
        int activeGroup;
        std::string group1Name;
        bool saves;  // false: the model holds a value one line cannot hold
    } rows[] = {
        {"10 MB value on one line", "[Main]\r\nGroup=2\r\n[Group1]\r\nName=" + std::string(tenMegabytes, 'x'), 2,
         std::string(2047, 'x'), true},
        {"10 MB line without a key in a set section",
         "[Group1Set1]\r\n" + std::string(tenMegabytes, 'y') + "\r\n[Main]\r\nGroup=3\r\n", 3, "", true},
        {"every byte value, between the keys",
         "[Main]\r\nGroup=4\r\n" + EveryByte(64) + "\r\n[Group1]\r\nName=n\r\n", 4, "n", true},
        {"no line break at all", "[Main]Group=2[Group1]Name=x", 1, "", true},
        {"CR-only line breaks", "[Main]\rGroup=3\r[Group1]\rName=abc\r", 3, "abc", true},
        {"LF-only line breaks", "[Main]\nGroup=4\n[Group1]\nName=abc\n", 4, "abc", true},
        {"only CRs", std::string(1 << 20, '\r'), 1, "", true},
        {"zero byte in a comment", std::string("[Main]\r\n;a\0b\r\nGroup=2\r\n", 23), 2, "", true},
        {"zero byte in a value", std::string("[Group1]\r\nName=a\0b\r\n", 20), 1, std::string("a\0b", 3), false},
        {"lone lead byte at the very end", "[Group1]\r\nName=\x82", 1, "\x82", true},
        {"a hundred thousand section headers", Repeat("[a]\n", 100'000) + "[Main]\nGroup=2\n", 2, "", true},
        {"300,000 blank lines in a set section",
         "[Group1Set1]\r\nSortMethod=1\r\n" + Repeat("\r\n", 300'000) + "[Group1]\r\nName=m\r\n", 1, "m", true},
        {"200,000 lines without a key in a set section", "[Group1Set2]\r\n" + Repeat("z\n", 200'000), 1, "",
         true},
    };
    const PortableKeyNames keyNames;
    for (const auto& row : rows) {
        TempDir dir;
        const auto path = dir / "m.INI";
        WriteFileBytes(path, row.file);
        const EditSettings loaded = LoadSettings(path, keyNames);
        EXPECT_EQ(loaded.ActiveGroup, row.activeGroup) << row.name;
        EXPECT_EQ(loaded.Group[0].Name, row.group1Name) << row.name;

        if (row.saves) {
            EXPECT_NO_THROW(SaveSettings(path, loaded, keyNames)) << row.name;
            EXPECT_TRUE(LoadSettings(path, keyNames) == loaded) << row.name << ": the saved file reads back otherwise";
        } else {
            try {
                SaveSettings(path, loaded, keyNames);
                ADD_FAILURE() << row.name << ": saving succeeded";
            } catch (const std::runtime_error& e) {
                EXPECT_EQ(e.what(), WriteError(path)) << row.name;
            }
            EXPECT_EQ(ReadFileBytes(path), row.file) << row.name << ": the file changed";
        }
    }
}

TEST(HostileSettings, SavingKeepsForeignBytesOfAHandEditedFile)
{
    TempDir dir;
    const auto path = dir / "m.INI";
    const std::string garbage = EveryByte(2);
    WriteFileBytes(path, "[Main]\r\nGroup=2\r\n" + garbage + "\r\n");
    EditSettings settings = LoadSettings(path, PortableKeyNames());
    settings.Group[0].Name = "g";
    SaveSettings(path, settings, PortableKeyNames());
    EXPECT_NE(ReadFileBytes(path).find(garbage), std::string::npos);
}

// Failures that hold even for a user who may write anywhere (tests run as root too).
TEST(HostileSettings, UnwritablePathRaisesTheWriteErrorAndChangesNothing)
{
    const std::string original = "[Main]\r\nGroup=1\r\n[Group1]\r\nName=old\r\n";
    const struct {
        const char* name;
        std::function<std::filesystem::path(const TempDir&)> prepare;  // gives the settings path
    } rows[] = {
        {"parent is a regular file",
         [](const TempDir& d) {
             WriteFileBytes(d / "file", "x");
             return d / "file" / "m.INI";
         }},
        {"settings path is a directory",
         [](const TempDir& d) {
             std::filesystem::create_directory(d / "m.INI");
             WriteFileBytes(d / "m.INI" / "keep", "x");
             return d / "m.INI";
         }},
        {"temporary file's place is taken by a directory",
         [&original](const TempDir& d) {
             WriteFileBytes(d / "m.INI", original);
             std::filesystem::create_directory(d / "m.INI.tmp");
             return d / "m.INI";
         }},
        {"file name longer than the system allows", [](const TempDir& d) { return d / std::string(300, 'n'); }},
        {"parent folder missing", [](const TempDir& d) { return d / "gone" / "m.INI"; }},
    };
    EditSettings settings;
    settings.ActiveGroup = 2;
    settings.Group[0].Name = "new";
    const EditSettings copy = settings;
    for (const auto& row : rows) {
        TempDir dir;
        const auto path = row.prepare(dir);
        const auto snapshot = [&dir] {
            std::string s;
            for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.Path())) {
                s += entry.path().string() + (entry.is_directory() ? "/" : "=" + ReadFileBytes(entry.path())) + "\n";
            }
            return s;
        };
        const std::string before = snapshot();
        for (const bool wholeModel : {true, false}) {
            try {
                if (wholeModel) SaveSettings(path, settings, PortableKeyNames());
                else SaveActiveGroup(path, 2);
                ADD_FAILURE() << row.name << ": saving succeeded";
            } catch (const std::runtime_error& e) {
                EXPECT_EQ(e.what(), WriteError(path)) << row.name;
            }
            EXPECT_EQ(snapshot(), before) << row.name << ": the disk changed";
        }
        EXPECT_TRUE(settings == copy) << row.name << ": the model changed";
    }
}

// The indexes of the settings file key names by a folded form; it must tell names apart
// exactly as the comparison does, trail bytes that look like letters included.
TEST(HostileSettings, FoldedNamesMatchExactlyWhenTheComparisonDoes)
{
    const struct {
        std::string a, b;
    } rows[] = {
        {"Group1Set1", "group1set1"}, {"GROUP", "groupe"}, {"\x83\x61", "\x83\x41"} /* trail bytes 'a', 'A' */,
        {"\x83\x61x", "\x83\x61X"}, {"a\x83", "A\x83"} /* lone lead byte at the end */, {"[]", "{}"}, {"", ""},
        {"@", "`"}, {"Z", "z"}, {"\x83\x5A", "\x83\x7A"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(FoldCase(row.a) == FoldCase(row.b), EqualsIgnoringCase(row.a, row.b)) << row.a << " / " << row.b;
}

}  // namespace
