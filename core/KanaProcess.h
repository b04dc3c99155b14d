// Kana conversion, the first half of the "文字変換" process: hiragana to katakana or back,
// over the whole text at once.
#pragma once

#include <string>

#include "core/EditSettings.h"

// KanaMethod ToKatakana turns hiragana into katakana, ToHiragana katakana into hiragana; any other value
// leaves the text unchanged. Characters outside the kana tables are copied as they are.
std::string ProcessKana(std::string text, const EditSet& set);
