#include "shell/win32/ErrorBox.h"

#include "shell/win32/WideText.h"

void ShowErrorBox(HWND owner, std::string_view cp932Message, const TStandInMap* standIns)
{
    const UINT flags = MB_OK | MB_ICONERROR | (owner ? 0 : MB_SETFOREGROUND);
    MessageBoxW(owner, WideDisplayText(cp932Message, standIns).c_str(), L"Morvane", flags);
}
