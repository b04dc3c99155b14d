// Command-line parsing of morvane-cli: global options, the command, its options and its
// positional arguments, with "--" ending the options (a pattern may begin with "-").
#pragma once

#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

// A usage error: exit status 1 with the message and a hint to --help.
class EUsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class CliEncoding { Cp932, Utf8 };

struct CliArguments {
    CliEncoding Encoding = CliEncoding::Cp932;
    bool Help = false;
    bool Version = false;
    bool Reference = false;                      // run the reference engine
    std::string Command;
    std::set<std::string> Flags;                 // "--fuzzy", "--lf", "--count"; "-E" as "--extended"
    std::map<std::string, std::string> Values;   // "--ini" -> FILE, ...
    std::vector<std::string> Positional;

    bool Has(const std::string& flag) const { return Flags.count(flag) != 0; }
};

// The encoding the locale asks for: UTF-8 when LC_ALL, LC_CTYPE or LANG names UTF-8.
CliEncoding EncodingFromLocale();

CliArguments ParseCliArguments(const std::vector<std::string>& args);
