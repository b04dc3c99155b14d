// Icons of the program's resources, loaded at the size they are shown at and owned.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

struct IconDeleter {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
using OwnedIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

// The icon resource's image nearest to size x size pixels, scaled to it; raises when the
// resource is missing.
OwnedIcon LoadIconResource(HINSTANCE instance, int resourceId, int size);
