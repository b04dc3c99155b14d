// The edit settings model: four groups of four edit sets, each set a pipeline of up to
// seven text processes with their parameters. Field names are the settings file's keys.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// Hot-key value: virtual-key code in bits 0-12, modifier flags above; 0 is "no hot key".
using ShortCut = std::uint16_t;
constexpr ShortCut kShortCutKeyMask = 0x1FFF;
constexpr ShortCut kShortCutShift = 0x2000;
constexpr ShortCut kShortCutCtrl = 0x4000;
constexpr ShortCut kShortCutAlt = 0x8000;

enum ProcessKind : int {
    pkReplace = 0,
    pkLineNo = 1,
    pkCase = 2,
    pkConvert = 3,
    pkSort = 4,
    pkSwap = 5,
    pkURL = 6,
};
constexpr int kProcessKindCount = 7;

// Caption of a process in the settings dialog's pipeline list (CP932).
std::string_view ProcessKindCaption(int kind);

constexpr int kMaxConditions = 100;
constexpr int kMaxNumberWidth = 8;  // the widest line-number padding the dialog offers
constexpr int kConditionsInDialog = 4;
constexpr int kSetsPerGroup = 4;
constexpr int kGroupCount = 4;

struct ReplaceCondition {
    std::string FromStr;
    std::string ToStr;
    bool NoCase = false;

    bool operator==(const ReplaceCondition&) const = default;
};

struct EditSet {
    ShortCut HotKey = 0;
    int MaxCnt = 4;
    std::array<int, kProcessKindCount> Order{0, 1, 2, 3, 4, 5, 6};
    std::array<bool, kProcessKindCount> IfExec{};
    std::array<ReplaceCondition, kMaxConditions> Cond{};  // Cond[0] is condition 1
    int Index = 1;
    int Step = 1;
    int Deg = 4;
    std::string Before;
    std::string After;
    int Add = 0;
    int Fill = 0;
    int SortMethod = 0;
    int CaseMethod = 2;
    bool CaseInitial = false;
    int KanaMethod = 2;
    int ZnHnMethod = 2;
    bool IfHnKn = false;
    std::string RLBefore;
    std::string RLCenter;
    std::string RLAfter;
    int EnDeCd = 0;
    bool URLUtf8 = false;  // URL coding of the characters' UTF-8 bytes instead of their CP932 bytes
    bool EditSelection = false;  // the hot key edits the selected text and pastes the result over it

    bool operator==(const EditSet&) const = default;
};

struct EditGroup {
    std::string Name;
    std::array<EditSet, kSetsPerGroup> Set{};  // Set[0] answers hot-key id 1
    ShortCut ExecHotKey = 0;

    bool operator==(const EditGroup&) const = default;
};

struct EditSettings {
    std::array<EditGroup, kGroupCount> Group{};  // Group[0] is group 1
    int ActiveGroup = 1;

    bool operator==(const EditSettings&) const = default;

    EditGroup& Active() { return Group[ActiveGroup - 1]; }
    const EditGroup& Active() const { return Group[ActiveGroup - 1]; }
};
