// A trace of one run of an edit set: each step that ran, with its figures and, when asked
// for, the text after it. The command line's run --trace and the settings dialog's 経過
// window show it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/EditSettings.h"
#include "core/ReplaceCount.h"
#include "core/TextProcesses.h"

struct EditTraceStep {
    int Position;  // 1-based position in the set's Order
    int Kind;
    std::size_t BytesIn;
    std::size_t BytesOut;
    std::vector<ReplaceCount> Replacements;  // the replace process only: each condition that ran
    std::string TextAfter;                   // empty unless the texts were kept
};
using EditTrace = std::vector<EditTraceStep>;

// Runs the set through the edit driver's own walk, adding each step to trace as it ends:
// when a step fails, trace holds the steps before it.
std::string RunEditSetTraced(const std::string& text, const EditSet& set, ProcessServices services, EditTrace& trace,
                             bool keepTexts);

// "2 文字列置換 12 -> 10 条件1:3 条件2:0": position, caption, bytes in and out, and the
// replacements of each condition.
std::string DescribeTraceStep(const EditTraceStep& step);
