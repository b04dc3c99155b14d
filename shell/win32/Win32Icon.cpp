#include "shell/win32/Win32Icon.h"

#include <stdexcept>
#include <string>

#include "text/SjisLiteral.h"

OwnedIcon LoadIconResource(HINSTANCE instance, int resourceId, int size)
{
    const HANDLE icon = LoadImageW(instance, MAKEINTRESOURCEW(resourceId), IMAGE_ICON, size, size, LR_DEFAULTCOLOR);
    if (!icon) throw std::runtime_error(SjString("アイコンのリソースがありません："_sj) + std::to_string(resourceId));
    return OwnedIcon(static_cast<HICON>(icon));
}
