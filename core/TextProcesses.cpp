#include "core/TextProcesses.h"

#include "core/CaseProcess.h"
#include "core/KanaProcess.h"
#include "core/LineNumberProcess.h"
#include "core/ReplaceProcess.h"
#include "core/SortProcess.h"
#include "core/SwapProcess.h"
#include "core/URLProcess.h"
#include "core/WidthProcess.h"

std::string RunTextProcess(ProcessKind kind, std::string text, const EditSet& set, ProcessServices& services)
{
    switch (kind) {
    case ProcessKind::Replace: return ProcessReplace(text, set, services.AWKStr, services.ReplaceCounts);
    case ProcessKind::LineNo: return ProcessLineNo(text, set);
    case ProcessKind::Case: return ProcessCase(std::move(text), set);
    case ProcessKind::Convert: return ProcessZnHn(ProcessKana(std::move(text), set), set);
    case ProcessKind::Sort: return ProcessSort(text, set, services.LineComparer, &services.StandIns);
    case ProcessKind::Swap: return ProcessSwap(text, set, services.AWKStr);
    case ProcessKind::URL: return ProcessURL(text, set, services.NMURL, &services.StandIns);
    default: return text;
    }
}

ProcessRunner ProcessRunnerFor(ProcessServices& services)
{
    return [&services](ProcessKind kind, std::string text, const EditSet& set) {
        return RunTextProcess(kind, std::move(text), set, services);
    };
}
