// How many replacements one condition of the replace process made: the figure a trace shows.
#pragma once

struct ReplaceCount {
    int Condition;  // 1-based
    int Count;
};
