// Runs one text process of an edit set by its ProcessKind: the dispatch table that
// the edit driver, the settings dialog's trial run and morvane-cli share.
#pragma once

#include <string>
#include <vector>

#include "core/EditDriver.h"
#include "core/EditSettings.h"
#include "core/ReplaceCount.h"

class TAWKStr;
class TNMURL;
class ILineComparer;
class TStandInMap;

// The objects the processes use: the long-lived ones the main window owns, and the
// stand-in map of the text being edited (a process may add to it).
struct ProcessServices {
    TAWKStr& AWKStr;
    TNMURL& NMURL;
    const ILineComparer& LineComparer;
    TStandInMap& StandIns;
    // When set, the replace process adds its count of each condition here (a trace).
    std::vector<ReplaceCount>* ReplaceCounts = nullptr;
};

// The text after the process of kind; a number that names no process leaves it unchanged.
// Convert runs the kana conversion and then the width conversion on its result.
std::string RunTextProcess(ProcessKind kind, std::string text, const EditSet& set, ProcessServices& services);

// The runner the edit driver takes, bound to these services.
ProcessRunner ProcessRunnerFor(ProcessServices& services);
