// A trace of one run of an edit set: each step that ran, with its figures and, when asked
// for, the text after it. The command line's run --trace and the settings dialog's 経過
// window show it.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "core/EditDriver.h"
#include "core/EditSettings.h"
#include "core/ReplaceCount.h"
#include "core/TextProcesses.h"

struct EditTraceStep {
    int Position;  // 1-based position in the set's Order
    ProcessKind Kind;
    std::size_t BytesIn;
    std::size_t BytesOut;
    std::vector<ReplaceCount> Replacements;  // the replace process only: each condition that ran
    std::string TextAfter;                   // empty unless the texts were kept
};
using EditTrace = std::vector<EditTraceStep>;

// Binds the processes to services and records what the edit driver's walk tells of each
// step: pass Runner() and Observer() to RunEditSet or EditDriver. Each step is added as it
// ends, so when a step fails the trace holds the steps before it.
class EditTraceRecorder {
public:
    EditTraceRecorder(ProcessServices services, bool keepTexts);
    EditTraceRecorder(const EditTraceRecorder&) = delete;
    EditTraceRecorder& operator=(const EditTraceRecorder&) = delete;

    ProcessRunner Runner();
    EditStepObserver Observer();
    const EditTrace& Trace() const { return trace_; }
    EditTrace TakeTrace() { return std::move(trace_); }

private:
    ProcessServices services_;
    bool keepTexts_;
    std::vector<ReplaceCount> counts_;  // of the step running
    EditTrace trace_;
};

// "2 文字列置換 12 -> 10 条件1:3 条件2:0": position, caption, bytes in and out, and the
// replacements of each condition.
std::string DescribeTraceStep(const EditTraceStep& step);
