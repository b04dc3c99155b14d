// What run --trace writes to standard error: one line for each step that ran and, with
// --trace=text, the text after it.
#pragma once

#include <string>

#include "core/EditTrace.h"

// In the internal encoding (CP932); the caller converts it for output. A text that does
// not end in a line feed gets one, so the next step's line starts a line of its own.
std::string TraceReport(const EditTrace& trace, bool withTexts);
