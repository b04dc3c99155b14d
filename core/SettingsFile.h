// The settings file: the whole edit settings model in an INI file beside the program.
// Sections "Main", "Group<g>", "Group<g>Set<s>", "Group<g>Set<s>Cond<n>" and
// "Group<g>Set<s>LineNo"; keys are the model's field names. Read once at start, written
// whole by the settings dialog's OK, and only the active group at exit.
#pragma once

#include <filesystem>

#include "core/EditSettings.h"
#include "core/KeyNames.h"

// The program's path with the extension of its file name replaced by ".INI" (appended
// when the name has no dot): prog.exe uses prog.INI.
std::filesystem::path SettingsFilePath(const std::filesystem::path& programPath);

// Every field from the file, its default where a key is missing or unreadable. A missing
// or unreadable file gives the defaults; nothing is reported.
EditSettings LoadSettings(const std::filesystem::path& file, const IKeyNames& keyNames);

// Writes every group and set, except "MaxCnt" and the conditions beyond the fourth,
// which the file keeps as they are. Everything else in the file stays too, and so does a
// text that CP932 cannot hold (in a UTF-16 file), which loaded as empty, while its field
// is still empty. Raises "<path> に書き込めません" when the file cannot be written; it is
// then unchanged.
void SaveSettings(const std::filesystem::path& file, const EditSettings& settings, const IKeyNames& keyNames);

// Writes "Main" / "Group", the only key saved at exit.
void SaveActiveGroup(const std::filesystem::path& file, int activeGroup);
