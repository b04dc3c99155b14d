#include "support/MemoryClipboard.h"

std::string MemoryClipboard::GetClipboardText()
{
    if (held_) throw EClipboardOpen();
    if (!text_) return {};
    return text_->substr(0, text_->find('\0'));
}

void MemoryClipboard::SetClipboardText(std::string_view text)
{
    if (held_) throw EClipboardOpen();
    text_ = std::string(text);
}
