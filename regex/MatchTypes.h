// The results and settings that every searcher of the engine shares.
#pragma once

#include <cstdint>

enum TMatchCORE_LineSeparator : std::uint8_t {
    mcls_CRLF = 0,
    mcls_LF = 1,
};

// A match as pointers into the searched text; both null when nothing matched.
struct TMatchResult {
    const char* Start = nullptr;
    const char* End = nullptr;
    bool Found() const { return Start != nullptr; }
};
