// A clipboard held in memory, for the tests. It can be told that another
// program holds it, so callers' handling of an unavailable clipboard can be exercised.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/ClipboardText.h"

class MemoryClipboard : public IClipboardText {
public:
    MappedText GetClipboardText() override;
    void SetClipboardText(const MappedText& text) override;

    // Whether the clipboard holds a text (possibly empty) rather than nothing.
    bool HasText() const { return text_.has_value(); }
    // Takes everything off, as when another program leaves only a picture behind.
    void Clear() { text_.reset(); }
    // While held, both operations raise EClipboardOpen and change nothing.
    void SetHeldByOtherProgram(bool held) { held_ = held; }

private:
    std::optional<MappedText> text_;  // as stored: zero bytes included
    bool held_ = false;
};
