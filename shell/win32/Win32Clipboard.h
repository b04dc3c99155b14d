// The Windows clipboard as CP932 text. It is read and written as Unicode text and
// converted explicitly, so Japanese text survives on a system of any code page, and every
// character beyond CP932 travels by a stand-in of the text's own map; a text that a
// program put there only in the ANSI format is taken as CP932 bytes.
#pragma once

#include <windows.h>

#include "core/ClipboardText.h"

class Win32Clipboard final : public IClipboardText {
public:
    // owner: the window that owns the clipboard's content after a write. It must be a
    // window: with none the system refuses to take the text.
    explicit Win32Clipboard(HWND owner) : owner_(owner) {}

    // Raises EEncodingError when the text holds more distinct characters beyond CP932
    // than a map has stand-ins.
    MappedText GetClipboardText() override;

    // Raises EEncodingError, with the clipboard untouched, when the text holds bytes that
    // are no CP932 character.
    void SetClipboardText(const MappedText& text) override;

private:
    HWND owner_;
};
