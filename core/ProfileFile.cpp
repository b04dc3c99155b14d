#include "core/ProfileFile.h"

#include <fstream>
#include <optional>
#include <stdexcept>
#include <system_error>

#include "core/Cp932.h"
#include "core/IgnoreCase.h"
#include "core/SjisLiteral.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool IsQuote(char c) { return c == '"' || c == '\''; }

bool HasEnclosingQuotes(std::string_view s)
{
    return s.size() >= 2 && IsQuote(s.front()) && s.back() == s.front();
}

// Position of an ASCII byte, skipping double-byte characters, whose trail byte may be
// ']' or another ASCII byte.
std::size_t FindSingleByte(std::string_view s, char c)
{
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == c) return i;
        if (IsLeadByte(s[i])) ++i;
    }
    return std::string_view::npos;
}

// The name of a section header line ("[name]", blanks allowed around it and the name);
// a header without its closing bracket runs to the end of the line.
std::optional<std::string_view> HeaderName(std::string_view line)
{
    line = Trim(line);
    if (line.empty() || line.front() != '[') return std::nullopt;
    line.remove_prefix(1);
    return Trim(line.substr(0, FindSingleByte(line, ']')));
}

struct KeyValue {
    std::string_view key;
    std::string_view value;
};

// A line without '=' is no key; so a comment line matches no key the program asks for.
std::optional<KeyValue> ParseKeyLine(std::string_view line)
{
    const std::size_t eq = FindSingleByte(line, '=');
    if (eq == std::string_view::npos) return std::nullopt;
    return KeyValue{Trim(line.substr(0, eq)), line.substr(eq + 1)};
}

std::string PathText(const std::filesystem::path& path)
{
    try {
        return Utf16ToCp932(path.u16string());
    } catch (const std::exception&) {
        // A path that CP932 cannot spell is still worth showing: the write error matters more.
        const auto utf8 = path.u8string();
        return std::string(utf8.begin(), utf8.end());
    }
}

std::runtime_error WriteError(const std::filesystem::path& path)
{
    return std::runtime_error(PathText(path) + std::string(" に書き込めません"_sj));
}

}  // namespace

ProfileFile::ProfileFile(std::filesystem::path path) : path_(std::move(path))
{
    sections_.push_back(Section{"", false, {}, {}});
    std::error_code ec;
    const auto status = std::filesystem::status(path_, ec);
    if (!std::filesystem::exists(status)) return;
    readable_ = false;
    if (!std::filesystem::is_regular_file(status)) return;  // a folder or a device: never read, never replaced
    std::ifstream in(path_, std::ios::binary);
    std::string content;
    char buffer[1 << 14];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) content.append(buffer, static_cast<std::size_t>(in.gcount()));
    if (!in.is_open() || in.bad()) return;
    readable_ = true;

    std::size_t pos = 0;
    while (pos < content.size()) {
        std::size_t end = content.find_first_of("\r\n", pos);
        std::size_t eolLength = 0;
        if (end == std::string::npos) end = content.size();
        else eolLength = (content[end] == '\r' && end + 1 < content.size() && content[end + 1] == '\n') ? 2 : 1;
        Line line{content.substr(pos, end - pos), content.substr(end, eolLength)};
        pos = end + eolLength;
        if (auto name = HeaderName(line.text)) sections_.push_back(Section{std::string(*name), true, std::move(line), {}});
        else sections_.back().body.push_back(std::move(line));
    }
}

const ProfileFile::Section* ProfileFile::FindSection(std::string_view name) const
{
    for (const Section& s : sections_)
        if (s.hasHeader && EqualsIgnoringCase(s.name, name)) return &s;
    return nullptr;
}

std::string ProfileFile::ReadString(std::string_view section, std::string_view key, std::string_view def) const
{
    if (const Section* s = FindSection(section)) {
        for (const Line& line : s->body) {
            const auto kv = ParseKeyLine(line.text);
            if (!kv || !EqualsIgnoringCase(kv->key, key)) continue;
            std::string_view value = Trim(kv->value);
            if (HasEnclosingQuotes(value)) value = value.substr(1, value.size() - 2);
            return std::string(value);
        }
    }
    return std::string(def);
}

ProfileFile::Line& ProfileFile::LastLine()
{
    for (auto s = sections_.rbegin(); s != sections_.rend(); ++s) {
        if (!s->body.empty()) return s->body.back();
        if (s->hasHeader) return s->header;
    }
    // Only an empty file has no last line; the nameless first section then takes one.
    return sections_.front().body.emplace_back();
}

ProfileFile::Section& ProfileFile::SectionForWriting(std::string_view name)
{
    if (const Section* s = FindSection(name)) return const_cast<Section&>(*s);
    if (sections_.size() > 1 || !sections_.front().body.empty()) {
        Line& last = LastLine();
        if (last.eol.empty()) last.eol = "\r\n";
    }
    const std::string header = "[" + std::string(name) + "]";
    return sections_.emplace_back(Section{std::string(name), true, Line{header, "\r\n"}, {}});
}

void ProfileFile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    if (value.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos) throw WriteError(path_);
    Section& s = SectionForWriting(section);
    const std::string text = std::string(key) + "=" + std::string(value);
    for (Line& line : s.body) {
        const auto kv = ParseKeyLine(line.text);
        if (kv && EqualsIgnoringCase(kv->key, key)) {
            line.text = text;
            return;
        }
    }
    // After the last non-blank line, so that blank lines keep separating the sections.
    std::size_t at = s.body.size();
    while (at > 0 && Trim(s.body[at - 1].text).empty()) --at;
    Line& before = at > 0 ? s.body[at - 1] : s.header;
    if (before.eol.empty()) before.eol = "\r\n";
    s.body.insert(s.body.begin() + static_cast<std::ptrdiff_t>(at), Line{text, "\r\n"});
}

void ProfileFile::Save() const
{
    if (!readable_) throw WriteError(path_);
    std::string content;
    for (const Section& s : sections_) {
        if (s.hasHeader) content += s.header.text + s.header.eol;
        for (const Line& line : s.body) content += line.text + line.eol;
    }
    std::filesystem::path temp = path_;
    temp += ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(temp, ignored);
            throw WriteError(path_);
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, path_, ec);
    if (ec) {
        std::error_code ignored;
        std::filesystem::remove(temp, ignored);
        throw WriteError(path_);
    }
}

bool ProfileFile::ReadsBackUnchanged(std::string_view value)
{
    return Trim(value).size() == value.size() && !HasEnclosingQuotes(value);
}
