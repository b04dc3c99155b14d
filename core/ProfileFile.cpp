#include "core/ProfileFile.h"

#include <fstream>
#include <optional>
#include <stdexcept>
#include <system_error>

#include "text/Cp932.h"
#include "core/IgnoreCase.h"
#include "core/ProfileUtf16.h"
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
template <typename Char>
std::string_view LineBreakAt(std::basic_string_view<Char> text, std::size_t end)
{
    if (end >= text.size()) return {};
    if (text[end] == Char('\n')) return "\n";
    return end + 1 < text.size() && text[end + 1] == Char('\n') ? "\r\n" : "\r";
}

// Calls visit(line, lineBreak) for each line of a text of bytes or of UTF-16 code units.
template <typename Char, typename Visit>
void ForEachLine(std::basic_string_view<Char> text, Visit visit)
{
    constexpr Char kBreaks[] = {Char('\r'), Char('\n')};
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of(kBreaks, pos, 2);
        if (end == text.npos) end = text.size();
        const std::string_view eol = LineBreakAt(text, end);
        visit(text.substr(pos, end - pos), eol);
        pos = end + eol.size();
    }
}

// A settings file reached through a symbolic link is replaced where the link leads, so
// the link stays. A chain of links is followed to its end; a loop stops after as many
// steps as the system allows.
std::filesystem::path LinkTarget(std::filesystem::path path)
{
    constexpr int kMaxLinkSteps = 40;
    std::error_code ec;
    for (int step = 0; step < kMaxLinkSteps && std::filesystem::is_symlink(path, ec); ++step) {
        const std::filesystem::path next = std::filesystem::read_symlink(path, ec);
        if (ec) break;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return path;
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
    const std::string_view bytes = *content;
    if (StartsWithUtf16LeBom(bytes)) {
        utf16_ = true;
        ReadUtf16Le(bytes.substr(kUtf16LeBom.size()));
        return;
    }
    ForEachLine(bytes, [this](std::string_view text, std::string_view eol) {
        AddFileLine(Line{std::string(text), eol}, text);
    });
}

void ProfileFile::ReadUtf16Le(std::string_view bytes)
{
    const std::u16string units = Utf16LeUnits(bytes);
    ForEachLine(std::u16string_view(units), [this](std::u16string_view text, std::string_view eol) {
        Cp932Reading reading = ReadAsCp932(text);
        if (reading.Exact) {
            Line line{std::move(reading.Text), eol};
            AddFileLine(std::move(line), line.text);
            return;
        }
        std::string original;
        AppendUtf16Le(original, text);
        AddFileLine(Line{std::move(original), eol, true}, reading.Text);
    });
}

void ProfileFile::AddFileLine(Line&& line, std::string_view seen)
{
    if (auto name = HeaderName(seen)) {
        std::string sectionName(*name);
        AddSection(Section{std::move(sectionName), true, std::move(line), {}, {}});
    } else {
        AddLine(std::move(line), seen);
    }
}

void ProfileFile::AddSection(Section section)
{
    sectionIndex_.try_emplace(FoldCase(section.name), sections_.size());
    sections_.push_back(std::move(section));
}

void ProfileFile::AddLine(Line&& line, std::string_view seen)
{
    Section& section = sections_.back();
    if (Trim(seen).empty()) {
        section.blankTail.push_back(std::move(line));
        return;
    }
    // The blank lines so far are followed by this one, so they are inside the body after all.
    for (Line& blank : section.blankTail) section.body.push_back(std::move(blank));
    section.blankTail.clear();
    // The lines before the first header belong to no section that can be asked for.
    if (const auto kv = ParseKeyLine(seen); kv && section.hasHeader)
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
    return FindString(section, key).value_or(std::string(def));
}

std::optional<std::string> ProfileFile::FindString(std::string_view section, std::string_view key) const
{
    const std::size_t s = FindSection(section);
    if (s == npos) return std::nullopt;
    const std::size_t k = FindKey(s, key);
    if (k == npos) return std::nullopt;
    const Line& line = sections_[s].body[k];
    // CP932 cannot hold the value: an altered value would be worse than none.
    if (line.beyondCp932) return std::nullopt;
    return std::string(StoredValue(ParseKeyLine(line.text)->value).substr(0, kMaxValueBytes));
}

std::vector<std::pair<std::string, std::string>> ProfileFile::KeysPastMaxValue() const
{
    std::vector<std::pair<std::string, std::string>> found;
    for (std::size_t s = 0; s < sections_.size(); ++s) {
        const Section& section = sections_[s];
        if (!section.hasHeader || FindSection(section.name) != s) continue;
        for (std::size_t k = 0; k < section.body.size(); ++k) {
            const Line& line = section.body[k];
            const auto kv = line.beyondCp932 ? std::nullopt : ParseKeyLine(line.text);
            if (!kv || FindKey(s, kv->key) != k || StoredValue(kv->value).size() <= kMaxValueBytes) continue;
            found.emplace_back(section.name, std::string(kv->key));
        }
    }
    return found;
}

bool ProfileFile::ValueBeyondCp932(std::string_view section, std::string_view key) const
{
    const std::size_t s = FindSection(section);
    const std::size_t k = s == npos ? npos : FindKey(s, key);
    return k != npos && sections_[s].body[k].beyondCp932;
}

void ProfileFile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    if (value.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos) throw WriteError(path_);
    // A value longer than a read gives back would be cut on the next start: refuse it now
    // rather than lose its end silently later.
    if (StoredValue(value).size() > kMaxValueBytes) throw WriteError(path_);
    const std::string text = std::string(key) + "=" + std::string(value);
    CheckWritable(text);
    std::size_t s = FindSection(section);
    if (s == npos) {
        std::string header = std::string(1, '[').append(section).append(1, ']');
        CheckWritable(header);
        EndLastLine();
        s = sections_.size();
        AddSection(Section{std::string(section), true, Line{std::move(header), "\r\n"}, {}, {}});
    }
    Section& target = sections_[s];
    if (const std::size_t k = FindKey(s, key); k != npos) {
        target.body[k].text = text;
        target.body[k].beyondCp932 = false;
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

void ProfileFile::CheckWritable(std::string_view text) const
{
    if (utf16_ && !ConvertsToUtf16(text)) throw WriteError(path_);
}

void ProfileFile::AppendLine(std::string& out, const Line& line) const
{
    if (!utf16_) {
        out.append(line.text).append(line.eol);
        return;
    }
    if (line.beyondCp932) out.append(line.text);
    else AppendUtf16Le(out, Cp932ToUtf16(line.text));
    AppendUtf16Le(out, std::u16string(line.eol.begin(), line.eol.end()));
}

void ProfileFile::Save() const
{
    if (!readable_) throw WriteError(path_);
    std::string content(utf16_ ? kUtf16LeBom : "");
    for (const Section& s : sections_) {
        if (s.hasHeader) AppendLine(content, s.header);
        for (const std::vector<Line>* lines : {&s.body, &s.blankTail})
            for (const Line& line : *lines) AppendLine(content, line);
    }
    // The temporary file lies beside the file it replaces, so that renaming it is one step.
    const std::filesystem::path target = LinkTarget(path_);
    std::filesystem::path temp = target;
    temp += ".tmp";
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    // Unopened, the temporary path is not ours to remove: it may be a folder of the user's.
    if (!out.is_open()) throw WriteError(path_);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.close();
    std::error_code ec;
    if (out) std::filesystem::rename(temp, target, ec);
    if (!out || ec) {
        std::filesystem::remove(temp, ec);
        throw WriteError(path_);
    }
}

bool ProfileFile::ReadsBackUnchanged(std::string_view value)
{
    return Trim(value).size() == value.size() && !HasEnclosingQuotes(value);
}
