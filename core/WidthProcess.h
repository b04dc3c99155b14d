// Width conversion, the second half of the "文字変換" process: full-width to half-width
// or back, over the whole text at once (it runs on the result of the kana conversion).
#pragma once

#include <string>

#include "core/EditSettings.h"

// ZnHnMethod ToHalfWidth turns full-width ASCII forms into ASCII, ToFullWidth turns ASCII into full-width
// forms; any other value leaves the text unchanged. With IfHnKn, katakana are converted
// too (voiced ones to and from a kana byte followed by a mark byte).
std::string ProcessZnHn(std::string text, const EditSet& set);
