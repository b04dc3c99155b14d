// Process kinds in tests: an Order written as the settings file's numbers, which may name
// no process, and a kind in a message.
#pragma once

#include <array>
#include <ostream>

#include "core/EditSettings.h"

inline std::array<ProcessKind, kProcessKindCount> OrderOf(const std::array<int, kProcessKindCount>& numbers)
{
    std::array<ProcessKind, kProcessKindCount> order{};
    for (std::size_t k = 0; k < order.size(); ++k) order[k] = static_cast<ProcessKind>(numbers[k]);
    return order;
}

// Test messages show a kind by its number, which may name no process.
inline std::ostream& operator<<(std::ostream& out, ProcessKind kind) { return out << static_cast<int>(kind); }
