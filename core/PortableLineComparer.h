// A linguistic-looking line order built from the CP932 bytes alone, for systems without
// the Windows locale comparison. It keeps what the line sort relies on:
// - ASCII letter case is ignored (trail bytes of double-byte characters are never folded);
// - symbols sort before digits, digits before letters;
// - hyphen and apostrophe are ignored at first and only break ties, like a word sort, so
//   "co-op" sorts next to "coop" (right after it);
// - the empty line sorts first.
// Everything else gets a fixed total order: other single-byte characters (half-width
// katakana and the like) after the letters, double-byte characters after all single-byte
// ones, each by its code, and characters beyond CP932 (stand-ins) after all of them, by
// code point. Two lines compare equal only when they differ in ASCII case alone.
#pragma once

#include "core/LineComparer.h"

class PortableLineComparer final : public ILineComparer {
public:
    using ILineComparer::Compare;
    int Compare(std::string_view a, std::string_view b, const TStandInMap* standIns) const override;
    // The first-level weights of the line's first three characters that count.
    std::uint64_t OrderPrefix(std::string_view line, const TStandInMap* standIns) const override;
};
