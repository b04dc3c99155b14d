#include "core/SettingsCheck.h"

#include <algorithm>

#include "core/ClassicSyntaxHints.h"
#include "core/EditSettings.h"
#include "core/HotKeyConflicts.h"
#include "core/ProfileFile.h"
#include "core/SettingsFile.h"
#include "core/SettingsKeys.h"
#include "core/ShortCutText.h"
#include "regex/AWKStr.h"
#include "text/SjisLiteral.h"

namespace {

std::string SlotSection(int g, int slot)
{
    return slot == kExecSlot ? SectionName(SettingsSection::Group, {g}) : SectionName(SettingsSection::Set, {g, slot});
}
std::string SlotKey(int slot) { return std::string(HotKeyName(slot == kExecSlot ? SettingsSection::Group : SettingsSection::Set)); }

class SettingsChecker {
public:
    SettingsChecker(const std::filesystem::path& file, const IKeyNames& keyNames)
        : profile_(file), settings_(LoadSettings(file, keyNames)), keys_(keyNames)
    {
    }

    std::vector<SettingsFinding> Run()
    {
        for (int g = 1; g <= kGroupCount; ++g) {
            for (int s = 1; s <= kSetsPerGroup; ++s) {
                CheckHotKey(g, s);
                CheckSet(g, s);
            }
            CheckHotKey(g, kExecSlot);
        }
        for (const HotKeyConflict& conflict : FindHotKeyConflicts(settings_)) {
            const ShortCut key = HotKeyOfSlot(settings_.Group[conflict.Group - 1], conflict.Slot);
            Add(SlotSection(conflict.Group, conflict.Slot), SlotKey(conflict.Slot),
                DescribeHotKeyConflict(conflict, keys_.ToText(key)));
        }
        for (const auto& [section, key] : profile_.KeysPastMaxValue())
            Add(section, key, SjString("値が2047バイトを超えています（2047バイトまでしか読まれません）"_sj));
        return std::move(findings_);
    }

private:
    void Add(const std::string& section, const std::string& key, const std::string& message, int position = 0)
    {
        findings_.push_back({section, key, message, position});
    }

    // The raw text, since the model holds 0 for a key it could not read.
    void CheckHotKey(int g, int slot)
    {
        const std::string section = SlotSection(g, slot);
        const std::string text = profile_.ReadString(section, SlotKey(slot), "");
        if (text.empty()) return;
        const ShortCut key = keys_.FromText(text);
        if (key == 0) {
            Add(section, SlotKey(slot), SjString("ホットキーとして読めません"_sj));
        } else if ((key & (kShortCutShift | kShortCutCtrl | kShortCutAlt)) == 0) {
            Add(section, SlotKey(slot),
                SjString("修飾キーがありません（登録されず、設定画面で入力すると Alt が付きます）"_sj));
        }
    }

    void CheckSet(int g, int s)
    {
        const EditSet& set = settings_.Group[g - 1].Set[s - 1];
        const std::string section = SectionName(SettingsSection::Set, {g, s});
        if (set.HotKey != 0 && !RunsAnyProcess(set))
            Add(section, SlotKey(s), SjString("ホットキーがありますが、実行する処理がありません"_sj));
        CheckOrder(g, s, set);
        awk_.SetExtended(set.ExtendedRegex);
        const int conditions = std::min(set.MaxCnt, kMaxConditions);
        for (int n = 1; n <= conditions; ++n) {
            // The fuzzy switch changes what a pattern becomes, so it is set as the replace sets it.
            awk_.SetUseFuzzyCharDic(set.Cond[n - 1].NoCase);
            CheckEngineKeys(SectionName(SettingsSection::Cond, {g, s, n}), EngineKeysOf(set.Cond[n - 1]));
        }
        awk_.SetUseFuzzyCharDic(false);
        CheckEngineKeys(section, EngineKeysOf(set));
        for (const ClassicSyntaxHint& hint : ClassicSyntaxHints(set))
            Add(SectionName(hint.Section, {g, s, hint.Cond}), hint.Key,
                DescribeClassicSyntaxHint(hint.Hint, "（拡張構文にするには ExtendedRegex=1）"_sj), hint.Hint.Position);
    }

    // A process at two positions runs twice; a missing Order key's default can do this
    // unseen, and then another process has no position at all.
    void CheckOrder(int g, int s, const EditSet& set)
    {
        for (std::size_t k = 1; k < set.Order.size(); ++k) {
            const ProcessKind kind = set.Order[k];
            if (!IsProcessKind(kind) || std::find(set.Order.begin(), set.Order.begin() + k, kind) == set.Order.begin() + k)
                continue;
            Add(SectionName(SettingsSection::Set, {g, s}), OrderKeyName(k),
                SjString("処理「"_sj) + std::string(ProcessKindCaption(kind)) +
                    SjString("」が順序に2回あります（2回実行され、ほかの処理のどれかは実行できません）"_sj));
        }
    }

    static bool RunsAnyProcess(const EditSet& set)
    {
        return std::any_of(set.Order.begin(), set.Order.end(), [&](ProcessKind kind) {
            return IsProcessKind(kind) && set.IfExec[KindIndex(kind)];
        });
    }

    // Each pattern and template compiled as its process compiles it.
    void CheckEngineKeys(const std::string& section, const std::vector<EngineKey>& keys)
    {
        for (const EngineKey& key : keys) {
            try {
                if (key.Meaning == KeyMeaning::Template) awk_.PrepareReplacement(key.Compiled);
                else awk_.SetRegExp(key.Compiled);
            } catch (const ERegExpParser& e) {
                Add(section, std::string(key.Name), e.what(), e.ErrorPos);
            }
        }
    }

    ProfileFile profile_;
    EditSettings settings_;
    ShortCutText keys_;
    TAWKStr awk_;
    std::vector<SettingsFinding> findings_;
};

}  // namespace

std::vector<SettingsFinding> CheckSettingsFile(const std::filesystem::path& file, const IKeyNames& keyNames)
{
    return SettingsChecker(file, keyNames).Run();
}
