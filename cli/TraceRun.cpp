#include "cli/TraceRun.h"

std::string TraceReport(const EditTrace& trace, bool withTexts)
{
    std::string report;
    for (const EditTraceStep& step : trace) {
        report += DescribeTraceStep(step) + "\n";
        if (!withTexts) continue;
        report += step.TextAfter;
        if (!step.TextAfter.empty() && step.TextAfter.back() != '\n') report += '\n';
    }
    return report;
}
