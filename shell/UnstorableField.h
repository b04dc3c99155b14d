// The settings file holds CP932 alone: a field of the dialog that holds a character beyond
// it (typed or pasted, carried by a stand-in) cannot be saved. Nothing is ever saved as
// '?': OK names the first such field and the character, and the dialog stays open.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "core/EditSettings.h"
#include "text/StandIns.h"

// A message naming the group, set, field and character (U+XXXX and the character, by its
// stand-in in `standIns`), or none when every field can be stored.
std::optional<std::string> FindUnstorableField(const std::array<EditGroup, kGroupCount>& groups,
                                               const TStandInMap& standIns);
