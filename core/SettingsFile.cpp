#include "core/SettingsFile.h"

#include <string>

#include "core/ProfileFile.h"
#include "core/SettingsKeys.h"
#include "core/SettingsValues.h"
#include "core/ShortCutText.h"

std::filesystem::path SettingsFilePath(const std::filesystem::path& programPath)
{
    auto name = programPath.filename().native();
    const auto dot = name.rfind('.');
    if (dot != name.npos) name.erase(dot);
    return programPath.parent_path() / (std::filesystem::path(name) += ".INI");
}

EditSettings LoadSettings(const std::filesystem::path& file, const IKeyNames& keyNames)
{
    const ProfileFile profile(file);
    const ShortCutText keys(keyNames);
    EditSettings settings;
    ReadSettingsKeys(SettingsReader(profile, keys), settings);
    return settings;
}

void SaveSettings(const std::filesystem::path& file, const EditSettings& settings, const IKeyNames& keyNames)
{
    ProfileFile profile(file);
    const ShortCutText keys(keyNames);
    SettingsWriter out(profile, keys);
    WriteSettingsKeys(out, settings);
    profile.Save();
}

void SaveActiveGroup(const std::filesystem::path& file, int activeGroup)
{
    ProfileFile profile(file);
    profile.WriteString(SectionName(SettingsSection::Main, {}), kActiveGroupKey, std::to_string(activeGroup));
    profile.Save();
}
