// What a run of the built morvane-cli gave, and the file reading the CLI tests share.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

struct CliResult {
    int status;
    std::string out;
    std::string err;
};

inline std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}
