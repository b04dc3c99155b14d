#include "core/URLProcess.h"

#include "text/SplitLines.h"

std::string ProcessURL(const std::string& text, const EditSet& set, TNMURL& coder, TStandInMap* standIns)
{
    coder.UTF8 = set.URLUtf8;
    coder.StandIns = standIns;
    return MapLines(text, [&](std::string_view line, std::string& out) {
        coder.InputString = line;
        out += set.EnDeCd != URLDirection::Encode ? coder.Decode() : coder.Encode();
    });
}
