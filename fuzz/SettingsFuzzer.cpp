// libFuzzer target: any settings file loads without crashing, and what the program saves
// from it loads back to the same model (except what saving leaves alone: MaxCnt and the
// conditions beyond the fourth, which stay as the file had them, and the active group).
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/KeyNames.h"
#include "core/SettingsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::filesystem::path dir = [] {
        auto d = std::filesystem::temp_directory_path() / ("morvane-settings-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(d);
        return d;
    }();
    const auto file = dir / "Morvane.INI";
    std::ofstream(file, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                  static_cast<std::streamsize>(size));
    const PortableKeyNames keyNames;
    const EditSettings loaded = LoadSettings(file, keyNames);
    try {
        SaveSettings(file, loaded, keyNames);
    } catch (const std::runtime_error&) {
        return 0;  // a value the file cannot hold is refused, with the error the user sees
    }
    const EditSettings reloaded = LoadSettings(file, keyNames);
    if (!(reloaded == loaded)) std::abort();
    return 0;
}
