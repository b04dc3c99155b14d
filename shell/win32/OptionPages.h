// The pages of the settings dialog's PageControlExec: where each page's controls go.
#pragma once

#include "shell/win32/OptionBuilder.h"

// Where a page's controls go: its left edge, top and width.
struct PageArea {
    int X;
    int Y;
    int Width;
};

// Makes or lays out again the controls of the page; returns the page's bottom.
int BuildOptionPage(Builder& b, OptionPage page, PageArea area);
