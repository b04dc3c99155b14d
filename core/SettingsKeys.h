// The settings file's keys in one place. Each part of the model (the whole settings, a
// group, a set, a condition) has one table of rows: the section the key stands in, its
// name, and how its member is read and written. Loading, saving and the check walk these
// tables; a new key is its member in EditSettings.h and one row in SettingsKeys.cpp.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/EditSettings.h"
#include "core/SettingsValues.h"

// "Main", "Group<g>", "Group<g>Set<s>", "Group<g>Set<s>Cond<n>", "Group<g>Set<s>LineNo".
enum class SettingsSection { Main, Group, Set, Cond, LineNo };

// Group, set and condition, 1-based; a section ignores the numbers it has no use for.
struct SectionPlace {
    int Group = 0;
    int Set = 0;
    int Cond = 0;
};

std::string SectionName(SettingsSection section, SectionPlace place);

// The key of the active group in "Main", the only one not in a group's sections.
constexpr std::string_view kActiveGroupKey = "Group";

// What a key holds, beyond how it is spelled: the check of a whole file compiles the
// patterns and templates and reads the hot keys.
enum class KeyMeaning { Value, HotKey, Pattern, Template };

// A pattern or template key, with the text the engine compiles from it.
struct EngineKey {
    SettingsSection Section;
    std::string_view Name;
    KeyMeaning Meaning;
    std::string Compiled;
};
// The swap's patterns of a set; the pattern and template of a condition.
std::vector<EngineKey> EngineKeysOf(const EditSet& set);
std::vector<EngineKey> EngineKeysOf(const ReplaceCondition& condition);

// "Order<k>", the key of a set's process at position k.
std::string OrderKeyName(std::size_t position);

// The hot key of a set (SettingsSection::Set) or the group's own (SettingsSection::Group).
std::string_view HotKeyName(SettingsSection section);

// Every key of the file into the model, which holds the defaults of those it cannot read.
void ReadSettingsKeys(const SettingsReader& in, EditSettings& settings);

// Every key a save writes, in the order the file gets them: groups and sets, but neither
// "MaxCnt" nor the conditions beyond the dialog's, nor the active group.
void WriteSettingsKeys(SettingsWriter& out, const EditSettings& settings);
