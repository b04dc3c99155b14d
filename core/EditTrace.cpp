#include "core/EditTrace.h"

#include <utility>

#include "core/EditDriver.h"
#include "text/SjisLiteral.h"

std::string RunEditSetTraced(const std::string& text, const EditSet& set, ProcessServices services, EditTrace& trace,
                             bool keepTexts)
{
    std::vector<ReplaceCount> counts;
    services.ReplaceCounts = &counts;
    const auto record = [&](const EditStep& step) {
        trace.push_back({step.Position, step.Kind, step.Before.size(), step.After.size(), std::exchange(counts, {}),
                         keepTexts ? step.After : std::string()});
    };
    return RunEditSet(text, set, ProcessRunnerFor(services), record);
}

std::string DescribeTraceStep(const EditTraceStep& step)
{
    std::string line = std::to_string(step.Position) + " " + std::string(ProcessKindCaption(step.Kind)) + " " +
                       std::to_string(step.BytesIn) + " -> " + std::to_string(step.BytesOut);
    for (const ReplaceCount& replaced : step.Replacements)
        line += SjString(" 条件"_sj) + std::to_string(replaced.Condition) + ":" + std::to_string(replaced.Count);
    return line;
}
