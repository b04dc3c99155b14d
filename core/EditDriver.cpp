#include "core/EditDriver.h"

std::string RunEditSet(std::string text, const EditSet& set, const ProcessRunner& runProcess)
{
    return RunEditSet(std::move(text), set, runProcess, {});
}

std::string RunEditSet(std::string text, const EditSet& set, const ProcessRunner& runProcess,
                       const EditStepObserver& observeStep)
{
    for (std::size_t position = 0; position < set.Order.size(); ++position) {
        const ProcessKind kind = set.Order[position];
        if (!IsProcessKind(kind) || !set.IfExec[KindIndex(kind)]) continue;
        if (!observeStep) {
            text = runProcess(kind, std::move(text), set);
            continue;
        }
        // The observer sees the text before the step too: only a trace pays for keeping it.
        std::string next = runProcess(kind, text, set);
        observeStep({static_cast<int>(position) + 1, kind, text, next});
        text = std::move(next);
    }
    return text;
}

void EditDriver(const MappedText& text, const EditSet& set, History& history, const ProcessRunner& runProcess,
                IClipboardText& clipboard, const EditStepObserver& observeStep)
{
    history.AddHistory(text);
    clipboard.SetClipboardText(MappedText(RunEditSet(text.Text, set, runProcess, observeStep), text.StandIns));
}
