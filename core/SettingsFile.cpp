#include "core/SettingsFile.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/ProfileFile.h"
#include "core/ShortCutText.h"

namespace {

std::string GroupSection(int g) { return "Group" + std::to_string(g); }
std::string SetSection(int g, int s) { return GroupSection(g) + "Set" + std::to_string(s); }
std::string CondSection(int g, int s, int n) { return SetSection(g, s) + "Cond" + std::to_string(n); }
std::string LineNoSection(int g, int s) { return SetSection(g, s) + "LineNo"; }
std::string IndexedKey(const char* key, int k) { return key + std::to_string(k); }

int DigitValue(char c, int base)
{
    int d = -1;
    if (c >= '0' && c <= '9') d = c - '0';
    else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
    return d < base ? d : -1;
}

// An optional sign, then decimal digits, or hexadecimal ones after "$", "0x" or "0X".
// Decimal must fit a 32-bit signed integer; hexadecimal may use all 32 bits and is taken
// as their two's-complement value ("$FFFFFFFF" is -1). Anything else gives def.
int DecodeInteger(std::string_view text, int def)
{
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.starts_with("$")) {
        base = 16;
        text.remove_prefix(1);
    } else if (text.starts_with("0x") || text.starts_with("0X")) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty()) return def;
    const std::uint64_t limit = base == 16 ? 0xFFFFFFFFu : (negative ? 0x80000000u : 0x7FFFFFFFu);
    std::uint64_t magnitude = 0;
    for (char c : text) {
        const int d = DigitValue(c, base);
        if (d < 0) return def;
        magnitude = magnitude * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(d);
        if (magnitude > limit) return def;
    }
    std::uint32_t bits = static_cast<std::uint32_t>(magnitude);
    if (negative) bits = 0u - bits;
    return static_cast<std::int32_t>(bits);
}

// The file's quoted strings ("FromStr", "ToStr"): enclosed in double quotes with inner
// ones doubled, so blanks at the ends survive. Reading the profile takes the enclosing
// pair off; what remains only needs its doubled quotes undone.
std::string EncodeQuoted(std::string_view text)
{
    std::string out = "\"";
    for (char c : text) {
        out += c;
        if (c == '"') out += '"';
    }
    return out + "\"";
}

std::string DecodeQuoted(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        out += text[i];
        if (text[i] == '"' && i + 1 < text.size() && text[i + 1] == '"') ++i;
    }
    return out;
}

// Plain strings are written as they are. One that reading would change (blanks at its
// ends, a pair of enclosing quotes) gets one pair of double quotes, which reading takes
// off again: a separator such as " = " must not come back as "=".
std::string EncodePlain(std::string_view text)
{
    if (ProfileFile::ReadsBackUnchanged(text)) return std::string(text);
    return std::string(1, '"').append(text).append(1, '"');  // not "x" + s: GCC 12 warns falsely
}

class Reader {
public:
    Reader(const ProfileFile& file, const ShortCutText& keys) : file_(file), keys_(keys) {}

    std::string String(std::string_view section, std::string_view key) const { return file_.ReadString(section, key, ""); }
    std::string Quoted(std::string_view section, std::string_view key) const { return DecodeQuoted(String(section, key)); }
    int Integer(std::string_view section, std::string_view key, int def) const
    {
        return DecodeInteger(file_.ReadString(section, key, ""), def);
    }
    bool Boolean(std::string_view section, std::string_view key, bool def) const
    {
        return Integer(section, key, def ? 1 : 0) != 0;
    }
    ShortCut HotKey(std::string_view section, std::string_view key) const { return keys_.FromText(String(section, key)); }

private:
    const ProfileFile& file_;
    const ShortCutText& keys_;
};

class Writer {
public:
    Writer(ProfileFile& file, const ShortCutText& keys) : file_(file), keys_(keys) {}

    void String(std::string_view section, std::string_view key, std::string_view value)
    {
        if (!KeepsBeyondCp932(section, key, value)) file_.WriteString(section, key, EncodePlain(value));
    }
    void Quoted(std::string_view section, std::string_view key, std::string_view value)
    {
        if (!KeepsBeyondCp932(section, key, value)) file_.WriteString(section, key, EncodeQuoted(value));
    }
    void Integer(std::string_view section, std::string_view key, int value) { file_.WriteString(section, key, std::to_string(value)); }
    void Boolean(std::string_view section, std::string_view key, bool value) { file_.WriteString(section, key, value ? "1" : "0"); }
    void HotKey(std::string_view section, std::string_view key, ShortCut value) { file_.WriteString(section, key, keys_.ToText(value)); }

private:
    // A text that CP932 cannot hold loaded as empty; writing the empty text back would
    // lose it, so the file keeps it until the field gets a text of its own.
    bool KeepsBeyondCp932(std::string_view section, std::string_view key, std::string_view value) const
    {
        return value.empty() && file_.ValueBeyondCp932(section, key);
    }

    ProfileFile& file_;
    const ShortCutText& keys_;
};

void LoadSet(const Reader& in, int g, int s, EditSet& set)
{
    const std::string sec = SetSection(g, s);
    set.HotKey = in.HotKey(sec, "HotKey");
    // The model holds 100 conditions; a larger count keeps as many as it can.
    set.MaxCnt = std::min(in.Integer(sec, "MaxCnt", 4), kMaxConditions);
    for (int k = 0; k < kProcessKindCount; ++k) {
        set.Order[k] = in.Integer(sec, IndexedKey("Order", k), k);
        set.IfExec[k] = in.Boolean(sec, IndexedKey("IfExec", k), false);
    }
    for (int n = 1; n <= set.MaxCnt; ++n) {
        const std::string cond = CondSection(g, s, n);
        ReplaceCondition& c = set.Cond[n - 1];
        c.FromStr = in.Quoted(cond, "FromStr");
        c.ToStr = in.Quoted(cond, "ToStr");
        c.NoCase = in.Boolean(cond, "NoCase", false);
    }
    const std::string lineNo = LineNoSection(g, s);
    set.Index = in.Integer(lineNo, "Index", 1);
    set.Step = in.Integer(lineNo, "Step", 1);
    // A hand-edited width beyond the dialog's is kept as written: the numbering bounds
    // the width it pads to.
    set.Deg = in.Integer(lineNo, "Deg", 4);
    set.Before = in.String(lineNo, "Before");
    set.After = in.String(lineNo, "After");
    set.Add = in.Integer(lineNo, "Add", 0);
    set.Fill = in.Integer(lineNo, "Fill", 0);
    // Method values outside what the dialog offers are kept: each process defines how it
    // treats them, and the dialog shows them as no choice.
    set.SortMethod = in.Integer(sec, "SortMethod", 0);
    set.CaseMethod = in.Integer(sec, "CaseMethod", 2);
    set.CaseInitial = in.Boolean(sec, "CaseInitial", false);
    set.KanaMethod = in.Integer(sec, "KanaMethod", 2);
    set.ZnHnMethod = in.Integer(sec, "ZnHnMethod", 2);
    set.IfHnKn = in.Boolean(sec, "IfHnKn", false);
    set.RLBefore = in.String(sec, "RLBefore");
    set.RLCenter = in.String(sec, "RLCenter");
    set.RLAfter = in.String(sec, "RLAfter");
    set.EnDeCd = in.Integer(sec, "EnDeCd", 0);
    set.URLUtf8 = in.Boolean(sec, "URLUtf8", false);
    set.EditSelection = in.Boolean(sec, "EditSelection", false);
}

void SaveSet(Writer& out, int g, int s, const EditSet& set)
{
    const std::string sec = SetSection(g, s);
    out.HotKey(sec, "HotKey", set.HotKey);
    for (int k = 0; k < kProcessKindCount; ++k) {
        out.Integer(sec, IndexedKey("Order", k), set.Order[k]);
        out.Boolean(sec, IndexedKey("IfExec", k), set.IfExec[k]);
    }
    for (int n = 1; n <= kConditionsInDialog; ++n) {
        const std::string cond = CondSection(g, s, n);
        const ReplaceCondition& c = set.Cond[n - 1];
        out.Quoted(cond, "FromStr", c.FromStr);
        out.Quoted(cond, "ToStr", c.ToStr);
        out.Boolean(cond, "NoCase", c.NoCase);
    }
    const std::string lineNo = LineNoSection(g, s);
    out.Integer(lineNo, "Index", set.Index);
    out.Integer(lineNo, "Step", set.Step);
    out.Integer(lineNo, "Deg", set.Deg);
    out.String(lineNo, "Before", set.Before);
    out.String(lineNo, "After", set.After);
    out.Integer(lineNo, "Add", set.Add);
    out.Integer(lineNo, "Fill", set.Fill);
    out.Integer(sec, "SortMethod", set.SortMethod);
    out.Integer(sec, "CaseMethod", set.CaseMethod);
    out.Boolean(sec, "CaseInitial", set.CaseInitial);
    out.Integer(sec, "KanaMethod", set.KanaMethod);
    out.Integer(sec, "ZnHnMethod", set.ZnHnMethod);
    out.Boolean(sec, "IfHnKn", set.IfHnKn);
    out.String(sec, "RLBefore", set.RLBefore);
    out.String(sec, "RLCenter", set.RLCenter);
    out.String(sec, "RLAfter", set.RLAfter);
    out.Integer(sec, "EnDeCd", set.EnDeCd);
    out.Boolean(sec, "URLUtf8", set.URLUtf8);
    out.Boolean(sec, "EditSelection", set.EditSelection);
}

}  // namespace

std::filesystem::path SettingsFilePath(const std::filesystem::path& programPath)
{
    auto name = programPath.filename().native();
    const auto dot = name.rfind('.');
    if (dot != name.npos) name.erase(dot);
    return programPath.parent_path() / (std::filesystem::path(name) += ".INI");
}

EditSettings LoadSettings(const std::filesystem::path& file, const IKeyNames& keyNames)
{
    const ProfileFile profile(file);
    const ShortCutText keys(keyNames);
    const Reader in(profile, keys);
    EditSettings settings;
    for (int g = 1; g <= kGroupCount; ++g) {
        EditGroup& group = settings.Group[g - 1];
        group.Name = in.String(GroupSection(g), "Name");
        group.ExecHotKey = in.HotKey(GroupSection(g), "ExecHotKey");
        for (int s = 1; s <= kSetsPerGroup; ++s) LoadSet(in, g, s, group.Set[s - 1]);
    }
    // A number outside 1-4 names no group; the first one is active then, as in a new file.
    const int active = in.Integer("Main", "Group", 1);
    settings.ActiveGroup = (active >= 1 && active <= kGroupCount) ? active : 1;
    return settings;
}

void SaveSettings(const std::filesystem::path& file, const EditSettings& settings, const IKeyNames& keyNames)
{
    ProfileFile profile(file);
    const ShortCutText keys(keyNames);
    Writer out(profile, keys);
    for (int g = 1; g <= kGroupCount; ++g) {
        const EditGroup& group = settings.Group[g - 1];
        out.String(GroupSection(g), "Name", group.Name);
        out.HotKey(GroupSection(g), "ExecHotKey", group.ExecHotKey);
        for (int s = 1; s <= kSetsPerGroup; ++s) SaveSet(out, g, s, group.Set[s - 1]);
    }
    profile.Save();
}

void SaveActiveGroup(const std::filesystem::path& file, int activeGroup)
{
    ProfileFile profile(file);
    profile.WriteString("Main", "Group", std::to_string(activeGroup));
    profile.Save();
}
