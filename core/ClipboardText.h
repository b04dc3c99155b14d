// Clipboard access as the rest of the system needs it: text in CP932 with the stand-ins of
// the characters CP932 cannot hold, and nothing else.
// The driver, the main window and the settings dialog reach the clipboard only through
// this interface; the tests use a fake held in memory, the program the Win32
// implementation.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "text/MappedText.h"
#include "text/SjisLiteral.h"

class IClipboardText {
public:
    virtual ~IClipboardText() = default;

    // The clipboard's text up to its first zero byte, with a map of its own; the empty
    // text when the clipboard holds no text (it is empty, or holds only a picture or
    // another format).
    virtual MappedText GetClipboardText() = 0;

    // Makes the text, its stand-ins turned back into their characters, the clipboard's
    // only content; the empty text too stays a text.
    virtual void SetClipboardText(const MappedText& text) = 0;
};

// Raised by both operations when the clipboard cannot be opened (another program holds
// it); nothing has been read or changed then.
class EClipboardOpen : public std::runtime_error {
public:
    EClipboardOpen() : std::runtime_error(std::string("クリップボードを開くことができません"_sj)) {}
    // holder: the program that has the clipboard open, as the user knows it.
    explicit EClipboardOpen(const std::string& holder)
        : std::runtime_error(std::string("クリップボードを開くことができません（"_sj) + holder +
                             std::string("が使用中です）"_sj))
    {
    }
};
