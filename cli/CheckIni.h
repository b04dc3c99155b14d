// morvane-cli check --ini FILE: the findings of a settings file, one line each.
#pragma once

#include <string>
#include <vector>

#include "core/SettingsCheck.h"

// "[Group1Set2Cond1] FromStr: MESSAGE (position 3)", the position only for a pattern or
// template error; in the internal encoding (CP932).
std::string FindingsReport(const std::vector<SettingsFinding>& findings);
