#include "core/HotKeyConflicts.h"

#include "text/SjisLiteral.h"

namespace {

constexpr unsigned kVkTab = 0x09, kVkEscape = 0x1B, kVkSpace = 0x20, kVkF4 = 0x73;

// Only keys with a modifier are registered (a bare key would be taken from every program).
bool IsRegistered(ShortCut key)
{
    return (key & (kShortCutShift | kShortCutCtrl | kShortCutAlt)) != 0 && (key & kShortCutKeyMask) != 0;
}

}  // namespace

std::string HotKeySlotName(int slot)
{
    static constexpr std::string_view kDigits[] = {"１"_sj, "２"_sj, "３"_sj, "４"_sj};
    if (slot == kExecSlot) return SjString("関連付け起動"_sj);
    return SjString("編集設定（"_sj) + std::string(kDigits[slot - 1]) + SjString("）"_sj);
}

ShortCut HotKeyOfSlot(const EditGroup& group, int slot)
{
    return slot == kExecSlot ? group.ExecHotKey : group.Set[slot - 1].HotKey;
}

bool IsCommonSystemKey(ShortCut key)
{
    const unsigned code = key & kShortCutKeyMask;
    const unsigned modifiers = key & ~kShortCutKeyMask;
    if (modifiers == kShortCutAlt) return code == kVkF4 || code == kVkTab || code == kVkSpace || code == kVkEscape;
    return modifiers == kShortCutCtrl && code == kVkEscape;
}

std::vector<HotKeyConflict> FindHotKeyConflicts(const EditGroup& group, int groupNumber)
{
    std::vector<HotKeyConflict> found;
    for (int slot = 1; slot <= kExecSlot; ++slot) {
        const ShortCut key = HotKeyOfSlot(group, slot);
        if (!IsRegistered(key)) continue;
        if (IsCommonSystemKey(key)) found.push_back({HotKeyConflictKind::SystemKey, groupNumber, slot, 0});
        for (int other = 1; other < slot; ++other) {
            if (HotKeyOfSlot(group, other) != key) continue;
            found.push_back({HotKeyConflictKind::SameKeyInGroup, groupNumber, slot, other});
            break;
        }
    }
    return found;
}

std::vector<HotKeyConflict> FindHotKeyConflicts(const EditSettings& settings)
{
    std::vector<HotKeyConflict> found;
    for (int g = 1; g <= kGroupCount; ++g) {
        const std::vector<HotKeyConflict> inGroup = FindHotKeyConflicts(settings.Group[g - 1], g);
        found.insert(found.end(), inGroup.begin(), inGroup.end());
    }
    return found;
}

std::string DescribeHotKeyConflict(const HotKeyConflict& conflict, const std::string& keyText)
{
    const std::string head = keyText + SjString("（"_sj) + HotKeySlotName(conflict.Slot) + SjString("）は"_sj);
    if (conflict.Kind == HotKeyConflictKind::SystemKey) return head + SjString("Windowsの操作に使われるキーです"_sj);
    const std::string other = HotKeySlotName(conflict.Other);
    return head + other + SjString("と同じキーです（"_sj) + other + SjString("だけが働きます）"_sj);
}
