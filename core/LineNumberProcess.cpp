#include "core/LineNumberProcess.h"

#include <algorithm>
#include <cstdint>

#include "text/SplitLines.h"

std::string ProcessLineNo(const std::string& text, const EditSet& set)
{
    const char fillChar = set.Fill == 0 ? '0' : ' ';
    const std::size_t width = static_cast<std::size_t>(std::clamp(set.Deg, 0, kMaxLineNumberWidth));
    // The running number wraps around like 32-bit two's-complement arithmetic: a
    // hand-edited Step may overflow it, and signed overflow must not be undefined.
    std::uint32_t number = static_cast<std::uint32_t>(set.Index);
    return MapLines(text, [&](std::string_view line, std::string& out) {
        // The sign belongs to the number text, so a negative number is filled in front of
        // its minus sign ("00-5"), exactly like any other number text.
        const std::string digits = std::to_string(static_cast<std::int32_t>(number));
        const std::size_t fillCount = width > digits.size() ? width - digits.size() : 0;
        std::string label = set.Before;
        label.append(fillCount, fillChar);
        label += digits;
        label += set.After;
        if (set.Add == 0) out += label;
        out += line;
        if (set.Add != 0) out += label;
        number += static_cast<std::uint32_t>(set.Step);
    });
}
