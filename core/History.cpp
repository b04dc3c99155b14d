#include "core/History.h"

#include <algorithm>

void History::AddHistory(MappedText text)
{
    entries_.push_front(std::move(text));
    const int shown = static_cast<int>(std::min<std::size_t>(entries_.size(), kUndoMenuMaxItems));
    for (int i = 0; i < shown; ++i) {
        if (menu_.ItemCount() <= i) menu_.AddItem();
        const MappedText& entry = entries_[static_cast<std::size_t>(i)];
        menu_.SetCaption(i, MappedText(entry.Text.substr(0, kUndoCaptionBytes), entry.StandIns));
    }
}

void History::MenuHistoriesClick(int item, IClipboardText& clipboard) const
{
    clipboard.SetClipboardText(entries_.at(static_cast<std::size_t>(item)));
}
