// Name comparison for INI section and key names and for key names of hot keys: ASCII
// letters match regardless of case, everything else byte for byte. The text is walked as
// CP932, so the trail byte of a double-byte character, which may look like a letter, is
// never folded.
#pragma once

#include <string>
#include <string_view>

bool EqualsIgnoringCase(std::string_view a, std::string_view b);
bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix);

// The name with its ASCII letters in upper case, double-byte characters untouched: two
// names are EqualsIgnoringCase exactly when their folded forms are equal, so the folded
// form can key an index.
std::string FoldCase(std::string_view name);
