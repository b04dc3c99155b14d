#include "core/EditDriver.h"

std::string RunEditSet(const std::string& text, const EditSet& set, const ProcessRunner& runProcess)
{
    return RunEditSet(text, set, runProcess, {});
}

std::string RunEditSet(const std::string& text, const EditSet& set, const ProcessRunner& runProcess,
                       const EditStepObserver& observeStep)
{
    std::string current = text;
    for (std::size_t position = 0; position < set.Order.size(); ++position) {
        const int code = set.Order[position];
        if (code < 0 || code >= kProcessKindCount || !set.IfExec[static_cast<std::size_t>(code)]) continue;
        std::string next = runProcess(code, current, set);
        if (observeStep) observeStep({static_cast<int>(position) + 1, code, current, next});
        current = std::move(next);
    }
    return current;
}

void EditDriver(const MappedText& text, const EditSet& set, History& history, const ProcessRunner& runProcess,
                IClipboardText& clipboard, const EditStepObserver& observeStep)
{
    history.AddHistory(text);
    clipboard.SetClipboardText(MappedText(RunEditSet(text.Text, set, runProcess, observeStep), text.StandIns));
}
