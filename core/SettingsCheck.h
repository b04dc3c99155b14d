// The command line's check of a whole settings file: what would fail or not work as the
// user expects once the program reads it. Patterns and templates that the engine rejects,
// hot keys that cannot be read or registered, or that clash, sets whose hot key runs no
// process, and values longer than a read can take.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "core/KeyNames.h"

struct SettingsFinding {
    std::string Section;
    std::string Key;
    std::string Message;  // CP932
    int Position = 0;     // 1-based in the value for a pattern or template error; 0 otherwise
};

// The findings in file order of groups and sets; the caller makes sure the file can be read.
std::vector<SettingsFinding> CheckSettingsFile(const std::filesystem::path& file, const IKeyNames& keyNames);
