#include "core/AssociationLaunch.h"

#include <vector>

#include "text/Cp932.h"
#include "text/SplitLines.h"

namespace {

std::string TrimControlAndBlanks(const std::string& s)
{
    std::size_t begin = 0, end = s.size();
    while (begin < end && static_cast<unsigned char>(s[begin]) <= 32) ++begin;
    while (end > begin && static_cast<unsigned char>(s[end - 1]) <= 32) --end;
    return s.substr(begin, end - begin);
}

// Everything up to and including the last backslash or colon that is a character of its
// own (the trail byte of a double-byte character never counts), or empty.
std::string DirectoryPart(const std::string& candidate)
{
    std::size_t cut = 0;
    for (std::size_t i = 0; i < candidate.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(candidate[i]);
        if (IsLeadByte(b) && i + 1 < candidate.size()) {
            ++i;
            continue;
        }
        if (b == '\\' || b == ':') cut = i + 1;
    }
    return candidate.substr(0, cut);
}

std::vector<std::string> Words(std::string line)
{
    for (char& c : line)
        if (c == ' ') c = '\n';
    return SplitLines(line);
}

}  // namespace

// File names, parameters and directories are handed over whole, however long: cutting
// them to a fixed buffer would open the wrong file or none without saying so.
void ExecAssociation(const MappedText& text, ILauncher& launcher)
{
    for (const std::string& line : SplitLines(text.Text)) {
        const std::vector<std::string> words = Words(line);
        for (std::size_t k = 1; k <= words.size(); ++k) {
            std::string candidate, parameters;
            for (std::size_t i = 0; i < words.size(); ++i) (i < k ? candidate : parameters) += words[i] + " ";
            const unsigned result = launcher.LaunchFile(TrimControlAndBlanks(candidate), TrimControlAndBlanks(parameters),
                                                        DirectoryPart(candidate), kShowModeShow, *text.StandIns);
            if (result > 32) break;
        }
    }
}
