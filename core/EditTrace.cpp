#include "core/EditTrace.h"

#include "text/SjisLiteral.h"

EditTraceRecorder::EditTraceRecorder(ProcessServices services, bool keepTexts)
    : services_(services), keepTexts_(keepTexts)
{
    services_.ReplaceCounts = &counts_;
}

ProcessRunner EditTraceRecorder::Runner() { return ProcessRunnerFor(services_); }

EditStepObserver EditTraceRecorder::Observer()
{
    return [this](const EditStep& step) {
        trace_.push_back({step.Position, step.Kind, step.Before.size(), step.After.size(), std::exchange(counts_, {}),
                          keepTexts_ ? step.After : std::string()});
    };
}

std::string DescribeTraceStep(const EditTraceStep& step)
{
    std::string line = std::to_string(step.Position) + " " + std::string(ProcessKindCaption(step.Kind)) + " " +
                       std::to_string(step.BytesIn) + " -> " + std::to_string(step.BytesOut);
    for (const ReplaceCount& replaced : step.Replacements)
        line += SjString(" 条件"_sj) + std::to_string(replaced.Condition) + ":" + std::to_string(replaced.Count);
    return line;
}
