#include "support/MemoryClipboard.h"

MappedText MemoryClipboard::GetClipboardText()
{
    if (held_) throw EClipboardOpen();
    if (!text_) return {};
    return MappedText(text_->Text.substr(0, text_->Text.find('\0')), text_->StandIns);
}

void MemoryClipboard::SetClipboardText(const MappedText& text)
{
    if (held_) throw EClipboardOpen();
    text_ = text;
}
