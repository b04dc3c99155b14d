#include "core/EditDriver.h"

std::string RunEditSet(const std::string& text, const EditSet& set, const ProcessRunner& runProcess)
{
    std::string current = text;
    for (int code : set.Order) {
        if (code < 0 || code >= kProcessKindCount || !set.IfExec[static_cast<std::size_t>(code)]) continue;
        current = runProcess(code, current, set);
    }
    return current;
}

void EditDriver(const MappedText& text, const EditSet& set, History& history, const ProcessRunner& runProcess,
                IClipboardText& clipboard)
{
    history.AddHistory(text);
    clipboard.SetClipboardText(MappedText(RunEditSet(text.Text, set, runProcess), text.StandIns));
}
