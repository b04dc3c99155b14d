// The script classes of the extended syntax (\p{Hiragana}, \p{Katakana}, \p{Han}) as code
// ranges. The data is generated (scripts/gen-script-classes.py) from Unicode's script
// properties over our CP932 table, so a stand-in, having no character, is in no class.
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "regex/CharCode.h"

enum class TREScript { Hiragana, Katakana, Han };

struct TRECodeRange {
    TRECharCode Low;
    TRECharCode High;
};

// CP932 codes (a byte, or lead*256+trail) whose character's Unicode Script_Extensions
// holds the script, as sorted, disjoint, inclusive ranges.
std::span<const TRECodeRange> ScriptCodeRanges(TREScript script);

// The script a class name written in a pattern names: exactly "Hiragana", "Katakana" or
// "Han"; nothing for any other spelling.
std::optional<TREScript> ScriptOfName(std::string_view name);
