// The line order of the sort process on Windows: the system's linguistic comparison for
// the user's locale, ignoring case, over the lines converted from CP932 to UTF-16.
#pragma once

#include <string>

#include "core/LineComparer.h"

class Win32LineComparer final : public ILineComparer {
public:
    // A line holding bytes that are no CP932 character is still ordered, consistently
    // with every other line: each such byte compares as a private-use character of its
    // own (see CollationText). Falling back to byte order for such pairs alone would mix
    // two orders, and a sort needs one.
    // Stand-ins compare as their real characters.
    using ILineComparer::Compare;
    int Compare(std::string_view a, std::string_view b, const TStandInMap* standIns) const override;

private:
    // Reused between calls: a sort compares many times. One thread only, like the program.
    mutable std::u16string a_, b_;
};
