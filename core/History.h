// The undo history: every text handed to the edit driver, newest first, kept in memory for
// the program's run and never trimmed. The tray menu's undo entry shows the newest 31 as
// items captioned with their first 30 bytes; clicking one puts its text back on the
// clipboard.
#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

#include "core/ClipboardText.h"

constexpr int kUndoMenuMaxItems = 31;
constexpr std::size_t kUndoCaptionBytes = 30;

// The undo menu's items as the history drives them. The window mirrors them onto its
// real menu and hands a click on item i to History::MenuHistoriesClick(i).
class IUndoMenu {
public:
    virtual ~IUndoMenu() = default;
    virtual int ItemCount() const = 0;
    virtual void AddItem() = 0;
    // The caption's stand-ins are those of its entry's map.
    virtual void SetCaption(int item, const MappedText& caption) = 0;
};

class History {
public:
    explicit History(IUndoMenu& menu) : menu_(menu) {}

    // Records the text as the newest entry, duplicates and the empty text included, and
    // recaptions the menu: item i shows entry i, cut at 30 bytes even inside a double-byte
    // character, with line breaks and ampersands as they are. Items are added on demand
    // up to 31 and never removed.
    void AddHistory(MappedText text);

    // Puts entry `item` whole on the clipboard; the history and the menu stay as they are.
    void MenuHistoriesClick(int item, IClipboardText& clipboard) const;

    // Newest first; the settings dialog lists all of them.
    const std::deque<MappedText>& Entries() const { return entries_; }

private:
    std::deque<MappedText> entries_;
    IUndoMenu& menu_;
};
