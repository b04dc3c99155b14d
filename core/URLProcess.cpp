#include "core/URLProcess.h"

#include "core/SplitLines.h"

std::string ProcessURL(const std::string& text, const EditSet& set, TNMURL& coder)
{
    std::vector<std::string> lines = SplitLines(text);
    for (std::string& line : lines) {
        coder.InputString = line;
        line = set.EnDeCd != 0 ? coder.Decode() : coder.Encode();
    }
    return JoinLines(lines);
}
