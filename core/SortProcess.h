// The line sort process: orders the lines of the text ascending or descending by a line
// comparer, or reverses their order.
#pragma once

#include <string>

#include "core/EditSettings.h"
#include "core/LineComparer.h"

// set.SortMethod Descending emits the ascending order last line first (ties reversed too),
// Reverse emits the lines last to first without sorting, anything else sorts ascending. The lines are
// joined with CR LF, so a final line break is dropped.
// Stand-ins are ordered through the map (none: null).
std::string ProcessSort(const std::string& text, const EditSet& set, const ILineComparer& comparer,
                        const TStandInMap* standIns = nullptr);
