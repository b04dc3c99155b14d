// The UTF-16 text by which the system's linguistic comparison orders a CP932 line. Every
// line has one, so the line order stays consistent even for lines holding bytes that are
// no CP932 character (a URL decoding can produce them): each such byte stands for itself
// as the private-use code point U+F000 + byte, which no CP932 character maps to.
#pragma once

#include <string>
#include <string_view>

class TStandInMap;

constexpr char16_t kStrayByteBase = 0xF000;

// Fills `out` (its capacity is reused, so sorting many lines does not allocate for each
// comparison) and returns it.
// With a map, a stand-in is its real character (a surrogate pair beyond the BMP), so the
// system compares what the user sees.
std::u16string& ToCollationText(std::string_view cp932, std::u16string& out, const TStandInMap* standIns = nullptr);
