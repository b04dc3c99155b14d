// Hot keys of a group that cannot all work: two slots of one group with the same key (the
// system registers only the first), and keys that take a common system key from every
// program. The settings dialog warns about them at OK; the command line's check lists them.
#pragma once

#include <string>
#include <vector>

#include "core/EditSettings.h"

// The hot-key slots of a group: its sets 1..4 and, as slot 5, its association launch.
constexpr int kExecSlot = kSetsPerGroup + 1;

// "編集設定（１）" .. "編集設定（４）", "関連付け起動": the slot's tab caption.
std::string HotKeySlotName(int slot);

ShortCut HotKeyOfSlot(const EditGroup& group, int slot);

enum class HotKeyConflictKind {
    SameKeyInGroup,  // Slot repeats the key of the earlier slot Other
    SystemKey,       // Slot's key is one that Windows itself uses (Alt+F4, Alt+Tab, ...)
};

struct HotKeyConflict {
    HotKeyConflictKind Kind;
    int Group;  // 1..4
    int Slot;   // 1..5
    int Other;  // the earlier slot with the same key; 0 for a system key
};

// Alt+F4, Alt+Tab, Alt+Space, Alt+Esc and Ctrl+Esc, with exactly these modifiers.
bool IsCommonSystemKey(ShortCut key);

std::vector<HotKeyConflict> FindHotKeyConflicts(const EditGroup& group, int groupNumber);
std::vector<HotKeyConflict> FindHotKeyConflicts(const EditSettings& settings);

// One line for the user, naming the key through keyText ("Ctrl+Alt+1（編集設定（２））は
// 編集設定（１）と同じキーです").
std::string DescribeHotKeyConflict(const HotKeyConflict& conflict, const std::string& keyText);
