// The edit driver: what a hot key finally does. It records the text in the undo history,
// passes it through the edit set's enabled processes in the set's order, and puts the
// result on the clipboard.
#pragma once

#include <functional>
#include <string>

#include "core/EditSettings.h"
#include "core/History.h"
#include "core/ClipboardText.h"

// Runs the process of one ProcessKind on a text; for Convert that is the kana
// conversion and then the width conversion on its result.
// The text is handed over, so a process that keeps its length can work in place.
using ProcessRunner = std::function<std::string(ProcessKind kind, std::string text, const EditSet& set)>;

// The pipeline alone: for each position of Order in turn, the process of the kind there
// runs when that kind's IfExec flag is set. Flags belong to kinds, not positions; a kind
// at two positions runs twice; a number that names no kind does nothing.
std::string RunEditSet(std::string text, const EditSet& set, const ProcessRunner& runProcess);

// One step that ran: its 1-based position in Order, its kind and the texts around it.
struct EditStep {
    int Position;
    ProcessKind Kind;
    const std::string& Before;
    const std::string& After;
};
using EditStepObserver = std::function<void(const EditStep& step)>;

// RunEditSet telling the observer of each step as it ends, so that a trace shows exactly
// the steps that ran, up to a step that fails.
std::string RunEditSet(std::string text, const EditSet& set, const ProcessRunner& runProcess,
                       const EditStepObserver& observeStep);

// Records the text as handed in, then runs the pipeline and puts the result on the
// clipboard. A failing process, or a clipboard that cannot be opened, ends the run with
// its exception: the history keeps the entry and the clipboard its old content.
// The runner must work with the text's own stand-in map.
// observeStep, when given, hears of each step as RunEditSet tells it.
void EditDriver(const MappedText& text, const EditSet& set, History& history, const ProcessRunner& runProcess,
                IClipboardText& clipboard, const EditStepObserver& observeStep = {});
