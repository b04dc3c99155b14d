#include "shell/win32/Win32Launcher.h"

#include <objbase.h>
#include <shellapi.h>

#include "text/Cp932.h"

namespace {

std::wstring Wide(const std::string& cp932, const TStandInMap& standIns)
{
    const std::u16string unicode = Cp932ToUtf16(cp932, standIns);
    return std::wstring(unicode.begin(), unicode.end());
}

// The empty text becomes no string at all, as the shell expects for "none".
const wchar_t* OrNull(const std::wstring& text) { return text.empty() ? nullptr : text.c_str(); }

}  // namespace

Win32Launcher::Win32Launcher(HWND owner)
    : owner_(owner), comInitialized_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)))
{
}

Win32Launcher::~Win32Launcher()
{
    if (comInitialized_) CoUninitialize();
}

unsigned Win32Launcher::LaunchFile(const std::string& fileName, const std::string& parameters,
                                   const std::string& directory, int showMode, const TStandInMap& standIns)
{
    std::wstring file, params, dir;
    try {
        file = Wide(fileName, standIns);
        params = Wide(parameters, standIns);
        dir = Wide(directory, standIns);
    } catch (const EEncodingError&) {
        return SE_ERR_FNF;
    }
    const HINSTANCE result = ShellExecuteW(owner_, nullptr, file.c_str(), OrNull(params), OrNull(dir), showMode);
    return static_cast<unsigned>(reinterpret_cast<INT_PTR>(result));
}
