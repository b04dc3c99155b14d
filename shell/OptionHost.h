// What the settings dialog uses of the main window: the live model (written only by OK),
// the history (read only), the edit driver (with a trace) and association launch for its run button,
// the clipboard, and the writing of the settings file.
#pragma once

#include <functional>
#include <string>

#include "core/EditSettings.h"
#include "core/EditTrace.h"
#include "core/History.h"
#include "core/KeyNames.h"
#include "core/ClipboardText.h"

struct OptionHost {
    EditSettings& Model;
    const History& Histories;
    // Runs the edit driver and gives back the trace of its steps, texts included.
    std::function<EditTrace(const MappedText& text, const EditSet& set)> EditDriver;
    std::function<void(const MappedText& text)> ExecAssociation;
    IClipboardText& Clipboard;
    // Writes every group and set of Model to the settings file; raises on failure.
    std::function<void()> SaveSettings;
    // Whether another program holds a hot key (empty: none can be told).
    std::function<bool(ShortCut key)> HotKeyTaken;
    // The names of keys in messages; null: the names of the settings file without a layout.
    const IKeyNames* KeyNames = nullptr;
};
