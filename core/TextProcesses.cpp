#include "core/TextProcesses.h"

#include "core/CaseProcess.h"
#include "core/KanaProcess.h"
#include "core/LineNumberProcess.h"
#include "core/ReplaceProcess.h"
#include "core/SortProcess.h"
#include "core/SwapProcess.h"
#include "core/URLProcess.h"
#include "core/WidthProcess.h"

std::string RunTextProcess(int kind, std::string text, const EditSet& set, ProcessServices& services)
{
    switch (kind) {
    case pkReplace: return ProcessReplace(text, set, services.AWKStr, services.ReplaceCounts);
    case pkLineNo: return ProcessLineNo(text, set);
    case pkCase: return ProcessCase(std::move(text), set);
    case pkConvert: return ProcessZnHn(ProcessKana(std::move(text), set), set);
    case pkSort: return ProcessSort(text, set, services.LineComparer, &services.StandIns);
    case pkSwap: return ProcessSwap(text, set, services.AWKStr);
    case pkURL: return ProcessURL(text, set, services.NMURL, &services.StandIns);
    default: return text;
    }
}

ProcessRunner ProcessRunnerFor(ProcessServices& services)
{
    return [&services](int kind, std::string text, const EditSet& set) {
        return RunTextProcess(kind, std::move(text), set, services);
    };
}
