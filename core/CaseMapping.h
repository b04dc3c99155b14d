// Letter-case mapping of a CP932 byte buffer in place, the service the case process relies
// on. Only the ASCII letters change; a double-byte character is stepped over whole, so a
// trail byte that happens to equal an ASCII letter ('ア' is 0x83 0x41) is never touched.
// Full-width Latin, Greek and Cyrillic letters keep their case: the same result on every
// system, and the length in bytes never changes.
#pragma once

#include <cstddef>

void UpperCaseBuffer(char* buffer, std::size_t length);
void LowerCaseBuffer(char* buffer, std::size_t length);
