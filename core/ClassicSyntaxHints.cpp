#include "core/ClassicSyntaxHints.h"

#include <algorithm>

#include "text/SjisLiteral.h"

namespace {

std::optional<TREExtendedHint> HintIn(const EngineKey& key)
{
    return key.Meaning == KeyMeaning::Template ? ExtendedReferenceInTemplate(key.Compiled)
                                               : ExtendedConstructInPattern(key.Compiled);
}

void AddHints(std::vector<ClassicSyntaxHint>& hints, const std::vector<EngineKey>& keys, int cond)
{
    for (const EngineKey& key : keys)
        if (const auto hint = HintIn(key)) hints.push_back({key.Section, cond, std::string(key.Name), key.Meaning, *hint});
}

}  // namespace

std::vector<ClassicSyntaxHint> ClassicSyntaxHints(const EditSet& set)
{
    std::vector<ClassicSyntaxHint> hints;
    if (set.ExtendedRegex) return hints;
    const int conditions = std::min(set.MaxCnt, kMaxConditions);
    for (int n = 1; n <= conditions; ++n) AddHints(hints, EngineKeysOf(set.Cond[n - 1]), n);
    AddHints(hints, EngineKeysOf(set), 0);
    return hints;
}

std::string DescribeClassicSyntaxHint(const TREExtendedHint& hint, std::string_view remedy)
{
    return SjString("「"_sj) + hint.Construct + SjString("」は拡張構文の書き方で、標準の構文では別の意味になります"_sj) +
           std::string(remedy);
}
