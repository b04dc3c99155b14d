#include "core/EditDriver.h"

std::string RunEditSet(std::string text, const EditSet& set, const ProcessRunner& runProcess)
{
    for (int code : set.Order) {
        if (code < 0 || code >= kProcessKindCount || !set.IfExec[static_cast<std::size_t>(code)]) continue;
        text = runProcess(code, std::move(text), set);
    }
    return text;
}

void EditDriver(const MappedText& text, const EditSet& set, History& history, const ProcessRunner& runProcess,
                IClipboardText& clipboard)
{
    history.AddHistory(text);
    clipboard.SetClipboardText(MappedText(RunEditSet(text.Text, set, runProcess), text.StandIns));
}
