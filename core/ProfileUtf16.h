// A profile file saved as UTF-16LE with a byte order mark, as Notepad can save it. The
// settings hold CP932, so such a file's lines are read in CP932, as the system's ANSI
// profile services read them, and written back in UTF-16LE.
#pragma once

#include <string>
#include <string_view>

inline constexpr std::string_view kUtf16LeBom = "\xFF\xFE";

bool StartsWithUtf16LeBom(std::string_view bytes);

// The code units of UTF-16LE bytes. A last odd byte, half a unit, stands for no character
// and is dropped.
std::u16string Utf16LeUnits(std::string_view bytes);

void AppendUtf16Le(std::string& out, std::u16string_view units);

// A line of the file in CP932. Where CP932 cannot hold a character of it (lone surrogates
// included), the line is not exact and the character reads as "？": no section or key
// name the program asks for contains it, yet brackets and "=" stay where they were.
struct Cp932Reading {
    std::string Text;
    bool Exact = true;
};
Cp932Reading ReadAsCp932(std::u16string_view line);

// Whether CP932 bytes form characters that UTF-16 can hold, so that a line made of them
// can be written into a UTF-16 file.
bool ConvertsToUtf16(std::string_view cp932);
