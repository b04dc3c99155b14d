// GNU sed as a peer of the regular-expression benchmark: a whole process over a file,
// timed from start to exit, since sed has no library to call.
#pragma once

#include <string>

// The script "s/PATTERN/REPLACEMENT/g" with a delimiter byte no text of ours holds.
std::string SedSubstitution(const std::string& pattern, const std::string& replacement);
// Whether a GNU sed is on the path.
bool SedAvailable();
// Runs sed -E with the script over inputPath under LC_ALL=locale, its output to outputPath;
// returns the wall time in seconds. A failing sed raises std::runtime_error with the first
// line of its error output (kept in outputPath + ".err" unless the output is /dev/null).
double RunSed(const std::string& script, const std::string& inputPath, const std::string& outputPath,
              const std::string& locale);
