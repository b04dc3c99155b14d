#include "cli/CliArguments.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace {

struct CommandSpec {
    std::set<std::string> flags;
    std::set<std::string> values;
    std::size_t positionals;
};

const std::map<std::string, CommandSpec>& Commands()
{
    static const std::map<std::string, CommandSpec> commands = {
        {"gsub", {{"-E", "--extended", "--fuzzy", "--lf", "--count"}, {}, 2}},
        {"match", {{"-E", "--extended", "--groups", "--fuzzy", "--lf"}, {}, 1}},
        {"expand", {{"-E", "--extended", "--fuzzy"}, {}, 1}},
        // "--trace" alone is a flag, "--trace=text" a value.
        {"run", {{"--trace", "--lf"}, {"--ini", "--group", "--set", "--trace"}, 0}},
        {"check", {{}, {"--ini"}, 0}},
    };
    return commands;
}

CliEncoding ParseEncoding(std::string name)
{
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    if (name == "cp932" || name == "shift_jis" || name == "sjis") return CliEncoding::Cp932;
    if (name == "utf-8" || name == "utf8") return CliEncoding::Utf8;
    throw EUsageError("unknown encoding '" + name + "' (use cp932 or utf-8)");
}

}  // namespace

CliEncoding EncodingFromLocale()
{
    for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = std::getenv(name);
        if (value == nullptr || *value == 0) continue;
        std::string v(value);
        std::transform(v.begin(), v.end(), v.begin(), [](unsigned char c) { return std::tolower(c); });
        return (v.find("utf-8") != std::string::npos || v.find("utf8") != std::string::npos) ? CliEncoding::Utf8
                                                                                            : CliEncoding::Cp932;
    }
    return CliEncoding::Cp932;
}

CliArguments ParseCliArguments(const std::vector<std::string>& args)
{
    CliArguments result;
    result.Encoding = EncodingFromLocale();
    std::size_t i = 0;
    for (; i < args.size() && args[i].rfind("--", 0) == 0; ++i) {
        const std::string& a = args[i];
        if (a == "--help") result.Help = true;
        else if (a == "--version") result.Version = true;
        else if (a == "--reference") result.Reference = true;
        else if (a.rfind("--encoding=", 0) == 0) result.Encoding = ParseEncoding(a.substr(11));
        else if (a == "--encoding" && i + 1 < args.size()) result.Encoding = ParseEncoding(args[++i]);
        else throw EUsageError("unknown option '" + a + "'");
    }
    if (result.Help || result.Version) return result;
    if (i == args.size()) throw EUsageError("no command given");
    result.Command = args[i++];
    const auto accepted = Commands().find(result.Command);
    if (accepted == Commands().end()) throw EUsageError("unknown command '" + result.Command + "'");

    bool optionsEnded = false;
    for (; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (!optionsEnded && a == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && a.size() > 1 && a[0] == '-' && result.Positional.empty()) {
            std::string name = a;
            std::string value;
            const bool inlineValue = a.find('=') != std::string::npos;
            if (inlineValue) {
                name = a.substr(0, a.find('='));
                value = a.substr(a.find('=') + 1);
            }
            if (accepted->second.flags.count(name) && !inlineValue) {
                result.Flags.insert(name == "-E" ? "--extended" : name);
            } else if (accepted->second.values.count(name)) {
                if (!inlineValue) {
                    if (i + 1 == args.size()) throw EUsageError("option '" + name + "' needs a value");
                    value = args[++i];
                }
                result.Values[name] = value;
            } else {
                throw EUsageError("unknown option '" + a + "' for " + result.Command);
            }
        } else {
            result.Positional.push_back(a);
        }
    }
    if (result.Positional.size() != accepted->second.positionals)
        throw EUsageError(result.Command + " takes " + std::to_string(accepted->second.positionals) + " argument(s)");
    return result;
}
