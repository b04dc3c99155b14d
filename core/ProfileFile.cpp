#include "core/ProfileFile.h"

#include <fstream>
#include <optional>
#include <stdexcept>
#include <system_error>

#include "text/Cp932.h"
#include "core/IgnoreCase.h"
#include "text/SjisLiteral.h"

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

// Position of the last ASCII byte c, skipping double-byte characters.
std::size_t FindLastSingleByte(std::string_view s, char c)
{
    std::size_t found = std::string_view::npos;
    for (std::size_t i = 0; i < s.size(); i += CharLengthAt(s, i))
        if (s[i] == c) found = i;
    return found;
}

// The name of a section header line ("[name]", blanks allowed around it and the name).
// As in the system's reader, the name runs to the line's last closing bracket, whatever
// follows it is ignored, and a line without one is no header but an ordinary line of the
// section before it.
std::optional<std::string_view> HeaderName(std::string_view line)
{
    line = Trim(line);
    if (line.empty() || line.front() != '[') return std::nullopt;
    line.remove_prefix(1);
    const std::size_t close = FindLastSingleByte(line, ']');
    if (close == std::string_view::npos) return std::nullopt;
    return Trim(line.substr(0, close));
}

struct KeyValue {
    std::string_view key;
    std::string_view value;
};

// A line without "=" is no key. A comment line (";...") reads as a key whose name starts
// with ";", which nobody asks for, so it is left alone.
std::optional<KeyValue> ParseKeyLine(std::string_view line)
{
    const std::size_t eq = FindSingleByte(line, '=');
    if (eq == std::string_view::npos) return std::nullopt;
    return KeyValue{Trim(line.substr(0, eq)), line.substr(eq + 1)};
}

// The line break that starts at end, as one of the static texts: lines keep no copy of it.
std::string_view LineBreakAt(const std::string& bytes, std::size_t end)
{
    if (end >= bytes.size()) return {};
    if (bytes[end] == '\n') return "\n";
    return end + 1 < bytes.size() && bytes[end + 1] == '\n' ? "\r\n" : "\r";
}

// The bytes of a regular file; nothing for a folder, a device or a failed read.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    std::string content;
    char buffer[1 << 14];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) content.append(buffer, static_cast<std::size_t>(in.gcount()));
    if (!in.is_open() || in.bad()) return std::nullopt;
    return content;
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

// What a read gives back of a value as it stands after "=": blanks at the ends and one
// pair of enclosing quotes removed.
std::string_view StoredValue(std::string_view raw)
{
    std::string_view value = Trim(raw);
    if (HasEnclosingQuotes(value)) value = value.substr(1, value.size() - 2);
    return value;
}

}  // namespace

ProfileFile::ProfileFile(std::filesystem::path path) : path_(std::move(path))
{
    sections_.push_back(Section{"", false, {}, {}, {}});
    std::error_code ec;
    if (!std::filesystem::exists(path_, ec)) return;
    const std::optional<std::string> content = ReadWholeFile(path_);
    if (!content) {
        readable_ = false;
        return;
    }
    const std::string& bytes = *content;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", pos);
        if (end == std::string::npos) end = bytes.size();
        Line line{bytes.substr(pos, end - pos), LineBreakAt(bytes, end)};
        pos = end + line.eol.size();
        if (auto name = HeaderName(line.text)) AddSection(Section{std::string(*name), true, std::move(line), {}, {}});
        else AddLine(std::move(line));
    }
}

void ProfileFile::AddSection(Section section)
{
    sectionIndex_.try_emplace(FoldCase(section.name), sections_.size());
    sections_.push_back(std::move(section));
}

void ProfileFile::AddLine(Line line)
{
    Section& section = sections_.back();
    if (Trim(line.text).empty()) {
        section.blankTail.push_back(std::move(line));
        return;
    }
    // The blank lines so far are followed by this one, so they are inside the body after all.
    for (Line& blank : section.blankTail) section.body.push_back(std::move(blank));
    section.blankTail.clear();
    // The lines before the first header belong to no section that can be asked for.
    if (const auto kv = ParseKeyLine(line.text); kv && section.hasHeader)
        keyIndex_.try_emplace({sections_.size() - 1, FoldCase(kv->key)}, section.body.size());
    section.body.push_back(std::move(line));
}

std::size_t ProfileFile::FindSection(std::string_view name) const
{
    const auto it = sectionIndex_.find(FoldCase(name));
    return it == sectionIndex_.end() ? npos : it->second;
}

std::size_t ProfileFile::FindKey(std::size_t section, std::string_view key) const
{
    const auto it = keyIndex_.find({section, FoldCase(key)});
    return it == keyIndex_.end() ? npos : it->second;
}

std::string ProfileFile::ReadString(std::string_view section, std::string_view key, std::string_view def) const
{
    const std::size_t s = FindSection(section);
    if (s == npos) return std::string(def);
    const std::size_t k = FindKey(s, key);
    if (k == npos) return std::string(def);
    return std::string(StoredValue(ParseKeyLine(sections_[s].body[k].text)->value).substr(0, kMaxValueBytes));
}

void ProfileFile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    if (value.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos) throw WriteError(path_);
    // A value longer than a read gives back would be cut on the next start: refuse it now
    // rather than lose its end silently later.
    if (StoredValue(value).size() > kMaxValueBytes) throw WriteError(path_);
    const std::string text = std::string(key) + "=" + std::string(value);
    std::size_t s = FindSection(section);
    if (s == npos) {
        EndLastLine();
        s = sections_.size();
        AddSection(Section{std::string(section), true, Line{std::string(1, '[').append(section).append(1, ']'), "\r\n"}, {}, {}});
    }
    Section& target = sections_[s];
    if (const std::size_t k = FindKey(s, key); k != npos) {
        target.body[k].text = text;
        return;
    }
    // After the last non-blank line, so that blank lines keep separating the sections.
    Line& before = target.body.empty() ? target.header : target.body.back();
    if (before.eol.empty()) before.eol = "\r\n";
    keyIndex_.try_emplace({s, FoldCase(ParseKeyLine(text)->key)}, target.body.size());
    target.body.push_back(Line{text, "\r\n"});
}

void ProfileFile::EndLastLine()
{
    for (auto s = sections_.rbegin(); s != sections_.rend(); ++s) {
        Line* last = !s->blankTail.empty() ? &s->blankTail.back()
                     : !s->body.empty()    ? &s->body.back()
                     : s->hasHeader        ? &s->header
                                           : nullptr;
        if (!last) continue;
        if (last->eol.empty()) last->eol = "\r\n";
        return;
    }
}

void ProfileFile::Save() const
{
    if (!readable_) throw WriteError(path_);
    std::string content;
    for (const Section& s : sections_) {
        if (s.hasHeader) content.append(s.header.text).append(s.header.eol);
        for (const std::vector<Line>* lines : {&s.body, &s.blankTail})
            for (const Line& line : *lines) content.append(line.text).append(line.eol);
    }
    std::filesystem::path temp = path_;
    temp += ".tmp";
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    // Unopened, the temporary path is not ours to remove: it may be a folder of the user's.
    if (!out.is_open()) throw WriteError(path_);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.close();
    std::error_code ec;
    if (out) std::filesystem::rename(temp, path_, ec);
    if (!out || ec) {
        std::filesystem::remove(temp, ec);
        throw WriteError(path_);
    }
}

bool ProfileFile::ReadsBackUnchanged(std::string_view value)
{
    return Trim(value).size() == value.size() && !HasEnclosingQuotes(value);
}
