#include "shell/win32/Win32KeyNames.h"

#include <windows.h>

#include <iterator>

#include "text/Cp932.h"
#include "core/ShortCutText.h"

namespace {

// The wide names are converted explicitly: the ANSI names would come in the system's
// code page, which need not be CP932.
std::string NameFromLayout(int keyCode)
{
    // The extended-key scan code (0xE0 prefix) tells apart keys that share a scan code,
    // like the keypad's "/" and the main "/".
    const UINT scanCode = MapVirtualKeyW(static_cast<UINT>(keyCode), MAPVK_VK_TO_VSC_EX);
    if (scanCode == 0) return {};
    LONG keyData = static_cast<LONG>((scanCode & 0xFF) << 16);
    if ((scanCode & 0xFF00) != 0) keyData |= 1L << 24;
    wchar_t buffer[64];
    const int length = GetKeyNameTextW(keyData, buffer, static_cast<int>(std::size(buffer)));
    std::u16string name;
    for (int i = 0; i < length; ++i) name += static_cast<char16_t>(buffer[i]);
    // Blanks at the ends would be lost in the settings file.
    while (!name.empty() && name.back() == u' ') name.pop_back();
    while (!name.empty() && name.front() == u' ') name.erase(0, 1);
    try {
        return Utf16ToCp932(name);
    } catch (const EEncodingError&) {
        return PortableKeyNames().LayoutKeyName(keyCode);
    }
}

}  // namespace

Win32KeyNames::Win32KeyNames()
{
    // Codes below 8 are mouse buttons and never hot keys.
    for (int code = 8; code < 256; ++code) names_[code] = NameFromLayout(code);
    const ShortCutText text(*this);
    for (int code = 8; code < 256; ++code)
        if (!names_[code].empty() && text.FromText(names_[code]) != code) names_[code] = PortableKeyNames().LayoutKeyName(code);
}

std::string Win32KeyNames::LayoutKeyName(int keyCode) const
{
    if (keyCode < 0 || keyCode > 0xFF) return {};
    return names_[keyCode];
}
