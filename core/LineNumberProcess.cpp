#include "core/LineNumberProcess.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

#include "text/SplitLines.h"

std::string ProcessLineNo(const std::string& text, const EditSet& set)
{
    const char fillChar = set.Fill == NumberFill::Zeros ? '0' : ' ';
    const std::size_t width = static_cast<std::size_t>(std::clamp(set.Deg, 0, kMaxLineNumberWidth));
    // The running number wraps around like 32-bit two's-complement arithmetic: a
    // hand-edited Step may overflow it, and signed overflow must not be undefined.
    std::uint32_t number = static_cast<std::uint32_t>(set.Index);
    return MapLines(text, [&](std::string_view line, std::string& out) {
        // The sign belongs to the number text, so a negative number is filled in front of
        // its minus sign ("00-5"), exactly like any other number text.
        char digits[12];
        const std::size_t length =
            static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, static_cast<std::int32_t>(number)).ptr - digits);
        const std::size_t fillCount = width > length ? width - length : 0;
        auto appendLabel = [&] {
            out += set.Before;
            out.append(fillCount, fillChar);
            out.append(digits, length);
            out += set.After;
        };
        if (set.Add == NumberPlace::Front) appendLabel();
        out += line;
        if (set.Add != NumberPlace::Front) appendLabel();
        number += static_cast<std::uint32_t>(set.Step);
    }, set.Before.size() + std::max<std::size_t>(width, 11) + set.After.size());
}
