#include "core/ReplaceProcess.h"

#include <algorithm>

std::string ProcessReplace(const std::string& text, const EditSet& set, TAWKStr& awk, std::vector<ReplaceCount>* counts)
{
    // A MaxCnt above the model's condition slots (a hand-edited settings file) uses all
    // of them rather than reading past the end.
    const int count = std::min(set.MaxCnt, kMaxConditions);
    std::string result = text;
    for (int n = 0; n < count; ++n) {
        const ReplaceCondition& condition = set.Cond[static_cast<std::size_t>(n)];
        if (condition.FromStr.empty()) continue;
        // The switches govern patterns set after them, so they go first.
        awk.SetUseFuzzyCharDic(condition.NoCase);
        awk.SetExtended(set.ExtendedRegex);
        awk.SetRegExp(condition.FromStr);
        const int replaced = awk.GSub(condition.ToStr, result);
        if (counts != nullptr) counts->push_back({n + 1, replaced});
    }
    return result;
}
