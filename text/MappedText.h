// A text as the system keeps it between the edges: CP932 bytes and the map of the
// stand-ins they hold (see StandIns.h). The texts of one edit share one map; a text kept
// for later (the undo history, the dialog's trial text) keeps its map with it, so that it
// comes back exactly.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "text/StandIns.h"

struct MappedText {
    std::string Text;
    StandInMapPtr StandIns = std::make_shared<TStandInMap>();

    MappedText() = default;
    // A text without stand-ins: what a CP932 source such as the settings file holds.
    MappedText(std::string text) : Text(std::move(text)) {}
    MappedText(std::string_view text) : Text(text) {}
    MappedText(const char* text) : Text(text) {}
    MappedText(std::string text, StandInMapPtr standIns) : Text(std::move(text)), StandIns(std::move(standIns)) {}

    bool operator==(std::string_view other) const { return Text == other; }
};

// The text's CP932 bytes with its stand-ins carried over into another map: the same
// characters, the codes of `into`. Raises EEncodingError when `into` has no stand-in left.
std::string RemapStandIns(const MappedText& text, TStandInMap& into);
