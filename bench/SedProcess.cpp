#include "bench/SedProcess.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <stdexcept>
#include <vector>

extern char** environ;

namespace {

int Spawn(std::vector<std::string> args, const std::string& inputPath, const std::string& outputPath,
          const std::string& locale, const std::string& errorPath = "/dev/null")
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, inputPath.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errorPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<std::string> environment;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry = *e;
        if (entry.rfind("LC_", 0) != 0 && entry.rfind("LANG", 0) != 0) environment.push_back(entry);
    }
    environment.push_back("LC_ALL=" + locale);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (std::string& e : environment) envp.push_back(e.data());
    envp.push_back(nullptr);
    pid_t pid = 0;
    const int r = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (r != 0) throw std::runtime_error("cannot start sed");
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

std::string SedSubstitution(const std::string& pattern, const std::string& replacement)
{
    const char delimiter = '\x01';
    return std::string("s") + delimiter + pattern + delimiter + replacement + delimiter + "g";
}

bool SedAvailable()
{
    try {
        return Spawn({"sed", "--version"}, "/dev/null", "/dev/null", "C") == 0;
    } catch (const std::runtime_error&) {
        return false;
    }
}

double RunSed(const std::string& script, const std::string& inputPath, const std::string& outputPath,
              const std::string& locale)
{
    const std::string errorPath = outputPath == "/dev/null" ? outputPath : outputPath + ".err";
    const auto start = std::chrono::steady_clock::now();
    const int status = Spawn({"sed", "-E", script}, inputPath, outputPath, locale, errorPath);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    if (status != 0) {
        std::ifstream errors(errorPath);
        std::string message;
        std::getline(errors, message);
        throw std::runtime_error("sed failed: " + message);
    }
    return elapsed.count();
}
