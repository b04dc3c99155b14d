#include "core/CaseProcess.h"

#include "core/CaseMapping.h"
#include "text/SplitLines.h"

std::string ProcessCase(std::string result, const EditSet& set)
{
    // A CaseMethod that names no conversion can only come from a hand-edited settings
    // file; it is taken as Keep, the choice that leaves the text as it is.
    if (set.CaseMethod == CaseConversion::Lower) LowerCaseBuffer(result.data(), result.size());
    else if (set.CaseMethod == CaseConversion::Upper) UpperCaseBuffer(result.data(), result.size());

    if (!set.CaseInitial) return result;

    return MapLines(result, [](std::string_view line, std::string& out) {
        // Only the first byte is mapped: a lead byte alone is not a letter and stays, so a
        // line starting with a double-byte character keeps it intact.
        const std::size_t start = out.size();
        out += line;
        if (!line.empty()) UpperCaseBuffer(out.data() + start, 1);
    });
}
