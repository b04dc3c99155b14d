#include "shell/UnstorableField.h"

#include <string_view>

#include "text/Cp932.h"
#include "text/SjisLiteral.h"

namespace {

std::optional<std::string> Describe(std::string_view where, std::string_view field, std::string_view text,
                                    const TStandInMap& standIns)
{
    const std::size_t at = FindStandIn(text, standIns);
    if (at == std::string_view::npos) return std::nullopt;
    const std::string_view standIn = text.substr(at, 2);
    const std::uint16_t code = CharCodeAt(standIn, 0);
    return std::string(where) + SjString("の「"_sj) + std::string(field) + SjString("」に、設定ファイルに保存できない文字 "_sj) +
           CodePointName(static_cast<char32_t>(standIns.CharacterOf(code))) + SjString("（"_sj) + std::string(standIn) +
           SjString("）があります。"_sj);
}

std::string FullWidthDigit(int n) { return SjString("０"_sj).replace(1, 1, 1, static_cast<char>(0x4F + n)); }

std::optional<std::string> InSet(const EditSet& set, const std::string& where, const TStandInMap& standIns)
{
    struct Field {
        std::string_view Label;
        const std::string& Text;
    };
    const Field fields[] = {
        {"前置"_sj, set.Before},
        {"後置"_sj, set.After},
        {"右辺<->左辺 ^"_sj, set.RLBefore},
        {"右辺<->左辺 右辺 左辺"_sj, set.RLCenter},
        {"右辺<->左辺 $"_sj, set.RLAfter},
    };
    for (std::size_t k = 0; k < set.Cond.size(); ++k) {
        const std::string cond = where + SjString(" 置換条件（"_sj) + FullWidthDigit(static_cast<int>(k) + 1) + SjString("）"_sj);
        if (auto found = Describe(cond, "検索文字列"_sj, set.Cond[k].FromStr, standIns)) return found;
        if (auto found = Describe(cond, "置換文字列"_sj, set.Cond[k].ToStr, standIns)) return found;
    }
    for (const Field& f : fields)
        if (auto found = Describe(where, f.Label, f.Text, standIns)) return found;
    return std::nullopt;
}

}  // namespace

std::optional<std::string> FindUnstorableField(const std::array<EditGroup, kGroupCount>& groups,
                                               const TStandInMap& standIns)
{
    if (standIns.Empty()) return std::nullopt;
    for (int g = 0; g < kGroupCount; ++g) {
        const std::string group = SjString("グループ("_sj) + std::to_string(g + 1) + ")";
        if (auto found = Describe(group, "名称"_sj, groups[g].Name, standIns)) return found;
        for (int s = 0; s < kSetsPerGroup; ++s) {
            const std::string where = group + SjString(" 編集設定（"_sj) + FullWidthDigit(s + 1) + SjString("）"_sj);
            if (auto found = InSet(groups[g].Set[s], where, standIns)) return found;
        }
    }
    return std::nullopt;
}
