// The line comparison the sort process orders lines by: a platform service. The portable
// collation lives in PortableLineComparer; the Windows program supplies the system's
// linguistic comparison.
#pragma once

#include <cstdint>

#include <string_view>

class TStandInMap;

class ILineComparer {
public:
    virtual ~ILineComparer() = default;
    // Negative, zero or positive as line `a` sorts before, together with or after line `b`.
    // It must be a consistent order: Compare(x, x) is zero and repeated calls agree. The
    // lines' stand-ins are those of the map (none without one).
    virtual int Compare(std::string_view a, std::string_view b, const TStandInMap* standIns) const = 0;
    int Compare(std::string_view a, std::string_view b) const { return Compare(a, b, nullptr); }
    // A key of the line's start that orders as Compare does wherever two keys differ:
    // a sort compares lines by it first and asks Compare only when the keys are equal.
    // The default, the same for every line, leaves every comparison to Compare.
    virtual std::uint64_t OrderPrefix(std::string_view line, const TStandInMap* standIns) const
    {
        (void)line;
        (void)standIns;
        return 0;
    }
};
