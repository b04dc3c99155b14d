// libFuzzer target: the whole edit pipeline, as `morvane-cli run` drives it, on a random
// settings file and text. Input: "set byte, settings file, 0xFF 0xFE, text". Pattern and
// template errors are the user's clear errors; anything else (a crash, a hang, another
// exception) is a finding.
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "core/KeyNames.h"
#include "text/StandIns.h"
#include "core/NMURL.h"
#include "core/PortableLineComparer.h"
#include "core/SettingsFile.h"
#include "core/TextProcesses.h"
#include "regex/RegExp.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1) return 0;
    static const std::filesystem::path file = [] {
        auto d = std::filesystem::temp_directory_path() / ("morvane-pipeline-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(d);
        return d / "Morvane.INI";
    }();
    const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::size_t split = input.find("\xFF\xFE");
    const std::string_view ini = input.substr(0, split);
    const std::string text(split == std::string_view::npos ? std::string_view() : input.substr(split + 2));
    std::ofstream(file, std::ios::binary | std::ios::trunc).write(ini.data(), static_cast<std::streamsize>(ini.size()));

    const EditSettings settings = LoadSettings(file, PortableKeyNames());
    const EditSet& set = settings.Group[static_cast<std::size_t>(settings.ActiveGroup - 1)].Set[data[0] % 4];
    TAWKStr awk;
    TNMURL url;
    PortableLineComparer comparer;
    TStandInMap standIns;
    ProcessServices services{awk, url, comparer, standIns};
    try {
        RunEditSet(text, set, ProcessRunnerFor(services));
    } catch (const ERegExpParser&) {
    }
    return 0;
}
