// Dictionaries of the preprocessor and the built-in fuzzy-character dictionary.
#pragma once

#include <string>
#include <vector>

// An ordered list of rows; each row an ordered list of CP932 entries that match each other.
using TREDictionary = std::vector<std::vector<std::string>>;

// Built once on first use (the program touches it at start) and shared read-only.
const TREDictionary& DefaultFuzzyCharDic();
