#include "core/History.h"

#include <algorithm>

void History::AddHistory(std::string text)
{
    entries_.push_front(std::move(text));
    const int shown = static_cast<int>(std::min<std::size_t>(entries_.size(), kUndoMenuMaxItems));
    for (int i = 0; i < shown; ++i) {
        if (menu_.ItemCount() <= i) menu_.AddItem();
        const std::string& entry = entries_[static_cast<std::size_t>(i)];
        menu_.SetCaption(i, std::string_view(entry).substr(0, kUndoCaptionBytes));
    }
}

void History::MenuHistoriesClick(int item, IClipboardText& clipboard) const
{
    clipboard.SetClipboardText(entries_.at(static_cast<std::size_t>(item)));
}
