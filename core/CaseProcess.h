// The case process: lower- or upper-cases the whole text and can then raise the first
// character of every line.
#pragma once

#include <string>

#include "core/EditSettings.h"

// set.CaseMethod Lower lower-cases, Upper upper-cases, anything else leaves the case alone; with
// set.CaseInitial the first byte of every line is then upper-cased and the lines are
// rejoined with CR LF (which drops a final line break).
std::string ProcessCase(std::string text, const EditSet& set);
