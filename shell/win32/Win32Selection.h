// The foreground window's selection, copied and pasted by sending it Ctrl+C and Ctrl+V.
#pragma once

#include "shell/MainPlatform.h"

class Win32Selection : public ISelection {
public:
    bool CopySelection() override;
    void PasteClipboard() override;
};
