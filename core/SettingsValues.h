// How the settings file spells a value: integers in decimal or hexadecimal, booleans as
// integers, plain and quoted strings, hot keys by name. The reader leaves a field as it is
// where the file has no readable value, so every default comes from the model's structs.
#pragma once

#include <string>
#include <string_view>

#include "core/EditSettings.h"
#include "core/ProfileFile.h"
#include "core/ShortCutText.h"

class SettingsReader {
public:
    SettingsReader(const ProfileFile& file, const ShortCutText& keys) : file_(file), keys_(keys) {}

    // An optional sign, then decimal digits, or hexadecimal ones after "$", "0x" or "0X".
    // Decimal must fit a 32-bit signed integer; hexadecimal may use all 32 bits and is
    // taken as their two's-complement value ("$FFFFFFFF" is -1). Anything else keeps value.
    void Integer(std::string_view section, std::string_view key, int& value) const;
    // An integer; any but 0 is true.
    void Boolean(std::string_view section, std::string_view key, bool& value) const;
    void Plain(std::string_view section, std::string_view key, std::string& value) const;
    void Quoted(std::string_view section, std::string_view key, std::string& value) const;
    // A text that names no key gives 0, "no hot key".
    void HotKey(std::string_view section, std::string_view key, ShortCut& value) const;

private:
    const ProfileFile& file_;
    const ShortCutText& keys_;
};

class SettingsWriter {
public:
    SettingsWriter(ProfileFile& file, const ShortCutText& keys) : file_(file), keys_(keys) {}

    void Integer(std::string_view section, std::string_view key, int value);
    void Boolean(std::string_view section, std::string_view key, bool value);
    // Written as it is, unless reading would change it (blanks at its ends, a pair of
    // enclosing quotes): then in one pair of double quotes, which reading takes off again.
    void Plain(std::string_view section, std::string_view key, std::string_view value);
    // In double quotes with inner ones doubled, so blanks at the ends survive.
    void Quoted(std::string_view section, std::string_view key, std::string_view value);
    void HotKey(std::string_view section, std::string_view key, ShortCut value);

private:
    // A text that CP932 cannot hold loaded as empty; writing the empty text back would
    // lose it, so the file keeps it until the field gets a text of its own.
    bool KeepsBeyondCp932(std::string_view section, std::string_view key, std::string_view value) const;

    ProfileFile& file_;
    const ShortCutText& keys_;
};
