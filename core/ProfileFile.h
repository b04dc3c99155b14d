// An INI ("profile") file held in memory: read once, changed key by key, written back in
// one go. It behaves like the Windows profile-string services in everything the settings
// file relies on:
//   - section and key names match regardless of ASCII case; the first match counts;
//   - a section header's name runs to the last "]" of its line; a line starting with "["
//     that has none is no header;
//   - a value loses the blanks (space, tab) at its ends, then one pair of enclosing double
//     or single quotes;
//   - a missing file, section or key gives the caller's default;
//   - writing replaces the key's first line, or appends the key after the last non-blank
//     line of its section; a missing section is appended at the end of the file, a
//     missing file is created.
// Every line that is not rewritten, comments and foreign keys included, is written back
// byte for byte with its own line end; new lines end in CR LF. Values are CP932 bytes and
// are never transcoded.
//
// A file that starts with the UTF-16LE byte order mark (Notepad's "Unicode") is read in
// CP932 and saved as UTF-16LE, mark and all. A line holding a character that CP932 cannot
// hold still counts as a header or a key, but its value reads as the caller's default and
// the line is saved exactly as the file had it until its key is written.
//
// Like GetPrivateProfileStringA with the settings file's 2048-byte buffer, a value reads
// as at most 2047 bytes. Writing a longer value is refused, so that nothing the program
// writes is cut when it is read back.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

class ProfileFile {
public:
    static constexpr std::size_t kMaxValueBytes = 2047;

    // Reads the file. A missing file reads as empty. An existing file that cannot be read
    // also reads as empty, but Save then refuses to overwrite it.
    explicit ProfileFile(std::filesystem::path path);

    std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;
    // The value ReadString reads, or nothing where it would give the caller's default.
    std::optional<std::string> FindString(std::string_view section, std::string_view key) const;

    // Raises the write error for a value that one line cannot hold (CR, LF or a zero
    // byte): written raw it would split into lines that read as other keys or sections.
    // In a UTF-16 file it raises it too for bytes that are no CP932 characters.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);

    // Whether the key's value holds a character that CP932 cannot hold (only a UTF-16 file
    // can): ReadString then gives the default, though the file holds a value.
    bool ValueBeyondCp932(std::string_view section, std::string_view key) const;

    // The keys that ReadString reads cut, their value being longer than kMaxValueBytes:
    // section and key names as the file spells them, in the file's order.
    std::vector<std::pair<std::string, std::string>> KeysPastMaxValue() const;

    // Writes the whole file through a temporary file that then replaces it, so a failed
    // write leaves the old file intact. A path that is a symbolic link is written where
    // the link leads, and stays a link. Raises "<path> に書き込めません" on failure.
    void Save() const;

    // Whether ReadString gives this value back exactly as WriteString wrote it: not when
    // blanks at its ends or a pair of enclosing quotes would be taken off.
    static bool ReadsBackUnchanged(std::string_view value);

private:
    struct Line {
        std::string text;      // for a line beyond CP932, its UTF-16LE bytes as the file has them
        std::string_view eol;  // "\r\n", "\n", "\r" (static texts), or empty for a last line without one
        bool beyondCp932 = false;
    };
    struct Section {
        std::string name;       // trimmed name between the brackets
        bool hasHeader = true;  // false only for the lines before the first header
        Line header;
        std::vector<Line> body;        // up to the last line that is not blank
        std::vector<Line> blankTail;   // the blank lines after it, which new keys go before
    };

    static constexpr std::size_t npos = static_cast<std::size_t>(-1);
    std::size_t FindSection(std::string_view name) const;                   // index, or npos
    std::size_t FindKey(std::size_t section, std::string_view key) const;  // index in body, or npos
    // A line as read from the file; `seen` is its text as CP932 reads it.
    void AddFileLine(Line&& line, std::string_view seen);
    void AddSection(Section section);
    void AddLine(Line&& line, std::string_view seen);  // to the last section
    void ReadUtf16Le(std::string_view bytes);
    void AppendLine(std::string& out, const Line& line) const;
    // Raises the write error for a line that the file's encoding cannot hold.
    void CheckWritable(std::string_view text) const;
    // Gives the file's last line a line end, so that a line can follow it.
    void EndLastLine();

    std::filesystem::path path_;
    std::vector<Section> sections_;
    // A hand-edited file may hold millions of lines, and loading the settings reads some
    // thousand keys: names are looked up through these indexes, by their case-folded form.
    // The first section of each name, and the first line of each key in its section.
    std::unordered_map<std::string, std::size_t> sectionIndex_;
    std::map<std::pair<std::size_t, std::string>, std::size_t> keyIndex_;
    bool readable_ = true;
    bool utf16_ = false;
};
