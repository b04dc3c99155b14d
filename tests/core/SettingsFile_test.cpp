// The settings file: defaults, the encodings of hand-written values, the layout of a
// written file, and that what the program writes reads back to the same model.
#include <gtest/gtest.h>

#include "core/SettingsFile.h"
#include "text/SjisLiteral.h"
#include "support/ProcessOrder.h"
#include "support/TempDir.h"
#include "support/Utf16LeFile.h"

namespace {

// Whole structs, so that a field that loading or saving leaves out cannot escape; set by
// set first, to say where.
void ExpectSameSettings(const EditSettings& a, const EditSettings& b)
{
    for (int g = 0; g < kGroupCount; ++g)
        for (int s = 0; s < kSetsPerGroup; ++s)
            EXPECT_TRUE(a.Group[g].Set[s] == b.Group[g].Set[s]) << "Group" << g + 1 << "Set" << s + 1;
    EXPECT_TRUE(a == b);
}

EditSettings LoadText(std::string_view ini)
{
    TempDir dir;
    WriteFileBytes(dir / "m.INI", ini);
    return LoadSettings(dir / "m.INI", PortableKeyNames());
}

// Every field that a save writes away from its default (MaxCnt and the conditions beyond
// the dialog's stay in the file as they are), with texts that test the encodings: blanks
// at the ends, quotes, CP932 whose trail bytes are 0x5C or 0x5D, an ampersand.
EditSettings ChangedSettings()
{
    EditSettings m;
    m.ActiveGroup = 3;
    for (int g = 0; g < kGroupCount; ++g) {
        EditGroup& group = m.Group[g];
        group.Name = " group " + std::to_string(g) + std::string("表"_sj) + " ";
        group.ExecHotKey = static_cast<ShortCut>(kShortCutCtrl | kShortCutAlt | ('E' + g));
        for (int s = 0; s < kSetsPerGroup; ++s) {
            EditSet& set = group.Set[s];
            const int v = g * 10 + s + 5;
            set.HotKey = static_cast<ShortCut>(kShortCutShift | kShortCutCtrl | (s == 3 ? 0xBA : 112 + s));
            set.Order = OrderOf({6, 5, 4, 3, 2, 9, -1});
            set.IfExec = {true, false, true, false, true, true, (s % 2) == 0};
            set.Cond[0] = {"  ", "\"", true};
            set.Cond[1] = {"a\"b", "\"\"x\"\"", false};
            set.Cond[2] = {"'q'", std::string("ソ&\\1"_sj), true};
            set.Cond[3] = {"^(.*)$", " $1 ", true};
            set.Index = -v;
            set.Step = v;
            set.Deg = s * 33333 + 12;  // 12 to 100011: wider than the dialog offers, kept as written
            set.Before = "No. ";
            set.After = "\": \"";
            set.Add = NumberPlace::Back;
            set.Fill = static_cast<NumberFill>(7);
            set.SortMethod = SortOrder::Reverse;
            set.CaseMethod = CaseConversion::Upper;
            set.CaseInitial = true;
            set.KanaMethod = KanaConversion::ToKatakana;
            set.ZnHnMethod = WidthConversion::ToFullWidth;
            set.IfHnKn = true;
            set.RLBefore = "'x'";
            set.RLCenter = " = ";
            set.RLAfter = std::string("ソ表‐"_sj);  // trail bytes 0x5C and 0x5D
            set.EnDeCd = URLDirection::Decode;
            set.URLUtf8 = true;
            set.EditSelection = (s % 2) == 1;
            set.ExtendedRegex = (s % 2) == 0;
        }
    }
    return m;
}

TEST(SettingsFile, MissingFileGivesEveryDefault)
{
    TempDir dir;
    ExpectSameSettings(LoadSettings(dir / "none.INI", PortableKeyNames()), EditSettings());
    ExpectSameSettings(LoadText(""), EditSettings());
}

TEST(SettingsFile, WrittenModelReadsBackTheSame)
{
    TempDir dir;
    const EditSettings written = ChangedSettings();
    SaveSettings(dir / "m.INI", written, PortableKeyNames());
    SaveActiveGroup(dir / "m.INI", written.ActiveGroup);
    ExpectSameSettings(LoadSettings(dir / "m.INI", PortableKeyNames()), written);
}

TEST(SettingsFile, NewFileHoldsSectionsAndKeysInWritingOrder)
{
    TempDir dir;
    SaveSettings(dir / "m.INI", EditSettings(), PortableKeyNames());
    const std::string file = ReadFileBytes(dir / "m.INI");

    std::vector<std::string> headers;
    for (std::size_t at = file.find('['); at != std::string::npos; at = file.find('[', at + 1))
        headers.push_back(file.substr(at, file.find(']', at) - at + 1));
    std::vector<std::string> expected;
    for (int g = 1; g <= 4; ++g) {
        const std::string group = "Group" + std::to_string(g);
        expected.push_back("[" + group + "]");
        for (int s = 1; s <= 4; ++s) {
            const std::string set = group + "Set" + std::to_string(s);
            expected.push_back("[" + set + "]");
            for (int n = 1; n <= 4; ++n) expected.push_back("[" + set + "Cond" + std::to_string(n) + "]");
            expected.push_back("[" + set + "LineNo]");
        }
    }
    EXPECT_EQ(headers, expected);

    const std::string start =
        "[Group1]\r\nName=\r\nExecHotKey=\r\n"
        "[Group1Set1]\r\nHotKey=\r\nOrder0=0\r\nIfExec0=0\r\nOrder1=1\r\nIfExec1=0\r\nOrder2=2\r\nIfExec2=0\r\n"
        "Order3=3\r\nIfExec3=0\r\nOrder4=4\r\nIfExec4=0\r\nOrder5=5\r\nIfExec5=0\r\nOrder6=6\r\nIfExec6=0\r\n"
        "SortMethod=0\r\nCaseMethod=2\r\nCaseInitial=0\r\nKanaMethod=2\r\nZnHnMethod=2\r\nIfHnKn=0\r\n"
        "RLBefore=\r\nRLCenter=\r\nRLAfter=\r\nEnDeCd=0\r\nURLUtf8=0\r\nEditSelection=0\r\nExtendedRegex=0\r\n"
        "[Group1Set1Cond1]\r\nFromStr=\"\"\r\nToStr=\"\"\r\nNoCase=0\r\n";
    EXPECT_EQ(file.substr(0, start.size()), start);
    const std::string lineNo = "[Group1Set1LineNo]\r\nIndex=1\r\nStep=1\r\nDeg=4\r\nBefore=\r\nAfter=\r\nAdd=0\r\nFill=0\r\n[Group1Set2]";
    EXPECT_NE(file.find(lineNo), std::string::npos);
    EXPECT_EQ(file.find("MaxCnt"), std::string::npos);
    EXPECT_EQ(file.find("[Main]"), std::string::npos);
}

TEST(SettingsFile, StringsAreWrittenSoTheyReadBack)
{
    TempDir dir;
    EditSettings m;
    m.Group[0].Name = "plain";
    m.Group[1].Name = " padded ";
    m.Group[0].Set[0].Cond[0].FromStr = "a\"b";
    m.Group[0].Set[0].Cond[1].FromStr = "  ";
    m.Group[0].Set[0].RLCenter = "'x'";
    SaveSettings(dir / "m.INI", m, PortableKeyNames());
    const std::string file = ReadFileBytes(dir / "m.INI");
    for (const char* line : {"Name=plain\r\n", "Name=\" padded \"\r\n", "FromStr=\"a\"\"b\"\r\n", "FromStr=\"  \"\r\n",
                             "RLCenter=\"'x'\"\r\n"})
        EXPECT_NE(file.find(line), std::string::npos) << line;
}

struct ValueCase {
    const char* name;
    const char* ini;
    int (*field)(const EditSettings&);
    int expected;
};

int Order3(const EditSettings& m) { return static_cast<int>(m.Group[0].Set[0].Order[3]); }
int HotKey(const EditSettings& m) { return m.Group[0].Set[0].HotKey; }
int ExecHotKey(const EditSettings& m) { return m.Group[0].ExecHotKey; }
int NoCase(const EditSettings& m) { return m.Group[0].Set[0].Cond[0].NoCase; }
int IfExec2(const EditSettings& m) { return m.Group[0].Set[0].IfExec[2]; }
int Index(const EditSettings& m) { return m.Group[0].Set[0].Index; }
int CaseMethod(const EditSettings& m) { return static_cast<int>(m.Group[0].Set[0].CaseMethod); }
int Active(const EditSettings& m) { return m.ActiveGroup; }
int MaxCnt(const EditSettings& m) { return m.Group[0].Set[0].MaxCnt; }
int Deg(const EditSettings& m) { return m.Group[0].Set[0].Deg; }

TEST(SettingsFile, ReadsHandWrittenValues)
{
    const ValueCase cases[] = {
        {"hot key Ctrl+Alt+F5", "[Group1Set1]\nHotKey=Ctrl+Alt+F5", HotKey, 0x4000 + 0x8000 + 116},
        {"hot key alt+a", "[Group1Set1]\nHotKey=alt+a", HotKey, 0x8000 + 'A'},
        {"hot key ^Q", "[Group1Set1]\nHotKey=^Q", HotKey, 0x4000 + 'Q'},
        {"hot key Ctrl+ alone", "[Group1Set1]\nHotKey=Ctrl+", HotKey, 0},
        {"exec hot key", "[group1]\nexechotkey = Shift+Ctrl+Home", ExecHotKey, 0x2000 + 0x4000 + 36},
        {"hexadecimal 0x4", "[Group1Set1]\nOrder3=0x4", Order3, 4},
        {"hexadecimal $A", "[Group1Set1]\nOrder3=$A", Order3, 10},
        {"hexadecimal 0X1f", "[Group1Set1]\nOrder3=0X1f", Order3, 31},
        {"negative hexadecimal", "[Group1Set1]\nOrder3=-$10", Order3, -16},
        {"all 32 bits in hexadecimal", "[Group1Set1]\nOrder3=$FFFFFFFF", Order3, -1},
        {"33 bits in hexadecimal", "[Group1Set1]\nOrder3=$100000000", Order3, 3},
        {"not a number", "[Group1Set1]\nOrder3=abc", Order3, 3},
        {"digits then letters", "[Group1Set1]\nOrder3=4x", Order3, 3},
        {"sign alone", "[Group1Set1]\nOrder3=-", Order3, 3},
        {"prefix alone", "[Group1Set1]\nOrder3=0x", Order3, 3},
        {"plus sign", "[Group1Set1]\nOrder3=+5", Order3, 5},
        {"quoted number", "[Group1Set1]\nOrder3=\"5\"", Order3, 5},
        {"order outside 0-6 kept", "[Group1Set1]\nOrder3=9", Order3, 9},
        {"largest integer", "[Group1Set1LineNo]\nIndex=2147483647", Index, 2147483647},
        {"smallest integer", "[Group1Set1LineNo]\nIndex=-2147483648", Index, -2147483647 - 1},
        {"integer too large", "[Group1Set1LineNo]\nIndex=2147483648", Index, 1},
        {"integer far too large", "[Group1Set1LineNo]\nIndex=99999999999999999999", Index, 1},
        {"boolean word true", "[Group1Set1]\nMaxCnt=1\n[Group1Set1Cond1]\nNoCase=true", NoCase, 0},
        {"boolean any non-zero", "[Group1Set1]\nIfExec2=-7", IfExec2, 1},
        {"boolean zero", "[Group1Set1]\nIfExec2=0", IfExec2, 0},
        {"case method outside the dialog's choices kept", "[Group1Set1]\nCaseMethod=5", CaseMethod, 5},
        {"active group", "[Main]\nGroup=4", Active, 4},
        {"active group 0", "[Main]\nGroup=0", Active, 1},
        {"active group 5", "[Main]\nGroup=5", Active, 1},
        {"active group not a number", "[Main]\nGroup=two", Active, 1},
        {"MaxCnt above 100", "[Group1Set1]\nMaxCnt=250", MaxCnt, 100},
        {"MaxCnt negative", "[Group1Set1]\nMaxCnt=-3", MaxCnt, -3},
        {"number width 8", "[Group1Set1LineNo]\nDeg=8", Deg, 8},
        {"number width beyond the dialog's kept", "[Group1Set1LineNo]\nDeg=2147483647", Deg, 2147483647},
        {"negative number width kept (no fill)", "[Group1Set1LineNo]\nDeg=-2", Deg, -2},
    };
    for (const auto& c : cases) EXPECT_EQ(c.field(LoadText(c.ini)), c.expected) << c.name;
}

TEST(SettingsFile, ConditionsAreReadUpToMaxCnt)
{
    const EditSettings six = LoadText(
        "[Group1Set1]\nMaxCnt=6\n[Group1Set1Cond6]\nFromStr=\"six\"\n[Group1Set1Cond7]\nFromStr=\"seven\"\n");
    EXPECT_EQ(six.Group[0].Set[0].Cond[5].FromStr, "six");
    EXPECT_EQ(six.Group[0].Set[0].Cond[6].FromStr, "");

    const EditSettings none = LoadText("[Group1Set1]\nMaxCnt=0\n[Group1Set1Cond1]\nFromStr=\"one\"\n");
    EXPECT_EQ(none.Group[0].Set[0].Cond[0].FromStr, "");

    const EditSettings many = LoadText("[Group1Set1]\nMaxCnt=101\n[Group1Set1Cond100]\nToStr=\"last\"\n");
    EXPECT_EQ(many.Group[0].Set[0].Cond[99].ToStr, "last");
}

TEST(SettingsFile, SavingKeepsWhatItDoesNotWrite)
{
    TempDir dir;
    const std::string foreign =
        "; settings of my own\r\n"
        "[Group1Set1]\r\nMaxCnt=6\r\nMyKey=keep me\r\n"
        "[Group1Set1Cond5]\r\nFromStr=\"five\"\r\n"
        "[Group1Set1Cond6]\r\nFromStr=\"six\"\r\n"
        "[Tools]\r\n; a comment\r\nEditor=notepad\r\n";
    WriteFileBytes(dir / "m.INI", foreign);
    EditSettings m = LoadSettings(dir / "m.INI", PortableKeyNames());
    ASSERT_EQ(m.Group[0].Set[0].MaxCnt, 6);
    m.Group[0].Set[0].Cond[4].FromStr = "changed";
    m.Group[0].Set[0].Cond[0].FromStr = "one";
    SaveSettings(dir / "m.INI", m, PortableKeyNames());

    const std::string file = ReadFileBytes(dir / "m.INI");
    EXPECT_EQ(file.rfind("; settings of my own\r\n[Group1Set1]\r\nMaxCnt=6\r\nMyKey=keep me\r\nHotKey=\r\n", 0), 0u);
    for (const char* kept : {"[Group1Set1Cond5]\r\nFromStr=\"five\"\r\n[Group1Set1Cond6]\r\nFromStr=\"six\"\r\n",
                             "[Tools]\r\n; a comment\r\nEditor=notepad\r\n"})
        EXPECT_NE(file.find(kept), std::string::npos) << kept;
    const EditSettings reloaded = LoadSettings(dir / "m.INI", PortableKeyNames());
    EXPECT_EQ(reloaded.Group[0].Set[0].Cond[0].FromStr, "one");
    EXPECT_EQ(reloaded.Group[0].Set[0].Cond[4].FromStr, "five");
}

TEST(SettingsFile, Utf16FileKeepsTheTextsCp932CannotHold)
{
    TempDir dir;
    const auto path = dir / "m.INI";
    WriteFileBytes(path, Utf16LeFile(u"[Group1]\r\nName=Café\r\n[Group2]\r\nName=表\r\n[Group1Set1LineNo]\r\nDeg=12\r\n"));
    EditSettings m = LoadSettings(path, PortableKeyNames());
    EXPECT_EQ(m.Group[0].Name, "");
    EXPECT_EQ(m.Group[1].Name, "表"_sj);
    EXPECT_EQ(m.Group[0].Set[0].Deg, 12);

    // Saving what was loaded keeps the text; a text the user gives the field replaces it.
    SaveSettings(path, m, PortableKeyNames());
    std::string file = ReadFileBytes(path);
    EXPECT_EQ(file.rfind(Utf16LeFile(u"[Group1]\r\nName=Café\r\nExecHotKey=\r\n[Group2]\r\nName=表\r\n"), 0), 0u);
    EXPECT_NE(file.find(Utf16LeFile(u"Deg=12\r\n").substr(2)), std::string::npos);
    m.Group[0].Name = "new";
    SaveSettings(path, m, PortableKeyNames());
    EXPECT_EQ(ReadFileBytes(path).rfind(Utf16LeFile(u"[Group1]\r\nName=new\r\n"), 0), 0u);
    EXPECT_EQ(LoadSettings(path, PortableKeyNames()).Group[0].Name, "new");
}

TEST(SettingsFile, ActiveGroupAloneAtExit)
{
    TempDir dir;
    SaveActiveGroup(dir / "m.INI", 3);
    EXPECT_EQ(ReadFileBytes(dir / "m.INI"), "[Main]\r\nGroup=3\r\n");

    WriteFileBytes(dir / "m.INI", "[Group1]\r\nName=n\r\n[main]\r\ngroup=1\r\nOther=x\r\n");
    SaveActiveGroup(dir / "m.INI", 2);
    EXPECT_EQ(ReadFileBytes(dir / "m.INI"), "[Group1]\r\nName=n\r\n[main]\r\nGroup=2\r\nOther=x\r\n");
}

TEST(SettingsFile, FailedSaveRaisesTheWriteErrorAndKeepsTheFile)
{
    TempDir dir;
    const auto path = dir / "missing" / "m.INI";
    const std::string expected = path.string() + std::string(" に書き込めません"_sj);
    try {
        SaveSettings(path, ChangedSettings(), PortableKeyNames());
        ADD_FAILURE() << "saving settings succeeded";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(e.what(), expected);
    }
    try {
        SaveActiveGroup(path, 2);
        ADD_FAILURE() << "saving the active group succeeded";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(e.what(), expected);
    }

    // A value that one line cannot hold stops the save before anything reaches the file.
    WriteFileBytes(dir / "m.INI", "[Group1]\r\nName=old\r\n");
    EditSettings m;
    m.Group[0].Name = "new";
    m.Group[3].Set[3].After = "a\r\n[Main]";
    EXPECT_THROW(SaveSettings(dir / "m.INI", m, PortableKeyNames()), std::runtime_error);
    EXPECT_EQ(ReadFileBytes(dir / "m.INI"), "[Group1]\r\nName=old\r\n");
}

TEST(SettingsFile, FileIsNamedAfterTheProgram)
{
    const struct {
        const char* program;
        const char* settings;
    } cases[] = {
        {"/opt/tools/Morvane.exe", "/opt/tools/Morvane.INI"},
        {"/opt/tools/prog", "/opt/tools/prog.INI"},
        {"/opt/v1.2/prog", "/opt/v1.2/prog.INI"},
        {"/opt/prog.tar.gz", "/opt/prog.tar.INI"},
        {"prog.exe", "prog.INI"},
    };
    for (const auto& c : cases) EXPECT_EQ(SettingsFilePath(c.program), std::filesystem::path(c.settings)) << c.program;
}

}  // namespace
