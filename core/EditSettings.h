// The edit settings model: four groups of four edit sets, each set a pipeline of up to
// seven text processes with their parameters. Field names are the settings file's keys.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Hot-key value: virtual-key code in bits 0-12, modifier flags above; 0 is "no hot key".
using ShortCut = std::uint16_t;
constexpr ShortCut kShortCutKeyMask = 0x1FFF;
constexpr ShortCut kShortCutShift = 0x2000;
constexpr ShortCut kShortCutCtrl = 0x4000;
constexpr ShortCut kShortCutAlt = 0x8000;

// The text processes a set's Order lists, numbered as the file writes them. A hand-edited
// file may hold any other number: it is kept, written back, and runs no process.
enum class ProcessKind : int {
    Replace = 0,
    LineNo = 1,
    Case = 2,
    Convert = 3,  // kana conversion, then width conversion
    Sort = 4,
    Swap = 5,
    URL = 6,
};
constexpr int kProcessKindCount = 7;
constexpr std::array<ProcessKind, kProcessKindCount> kProcessKinds{
    ProcessKind::Replace, ProcessKind::LineNo, ProcessKind::Case, ProcessKind::Convert,
    ProcessKind::Sort,    ProcessKind::Swap,   ProcessKind::URL,
};
constexpr bool IsProcessKind(ProcessKind kind)
{
    return static_cast<int>(kind) >= 0 && static_cast<int>(kind) < kProcessKindCount;
}
// Where a kind's flag stands in IfExec; only for an IsProcessKind kind.
constexpr std::size_t KindIndex(ProcessKind kind) { return static_cast<std::size_t>(kind); }

// Caption of a process in the settings dialog's pipeline list (CP932); empty for a
// number that names no process.
std::string_view ProcessKindCaption(ProcessKind kind);

// The selectors of the processes, numbered as the file writes them and in the order of
// the dialog's choices. Like Order, they keep a hand-edited number that names none of
// their values; each process says what it does with one.
enum class NumberPlace : int { Front = 0, Back = 1 };             // the line number before or after the line
enum class NumberFill : int { Zeros = 0, Blanks = 1 };            // what pads a line number to its width
enum class CaseConversion : int { Lower = 0, Upper = 1, Keep = 2 };
enum class KanaConversion : int { ToKatakana = 0, ToHiragana = 1, Keep = 2 };
enum class WidthConversion : int { ToHalfWidth = 0, ToFullWidth = 1, Keep = 2 };
enum class SortOrder : int { Ascending = 0, Descending = 1, Reverse = 2 };
enum class URLDirection : int { Encode = 0, Decode = 1 };

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
    std::array<ProcessKind, kProcessKindCount> Order = kProcessKinds;
    std::array<bool, kProcessKindCount> IfExec{};  // by KindIndex, not by position in Order
    std::array<ReplaceCondition, kMaxConditions> Cond{};  // Cond[0] is condition 1
    int Index = 1;
    int Step = 1;
    int Deg = 4;
    std::string Before;
    std::string After;
    NumberPlace Add = NumberPlace::Front;
    NumberFill Fill = NumberFill::Zeros;
    SortOrder SortMethod = SortOrder::Ascending;
    CaseConversion CaseMethod = CaseConversion::Keep;
    bool CaseInitial = false;
    KanaConversion KanaMethod = KanaConversion::Keep;
    WidthConversion ZnHnMethod = WidthConversion::Keep;
    bool IfHnKn = false;
    std::string RLBefore;
    std::string RLCenter;
    std::string RLAfter;
    URLDirection EnDeCd = URLDirection::Encode;
    bool URLUtf8 = false;  // URL coding of the characters' UTF-8 bytes instead of their CP932 bytes
    bool EditSelection = false;  // the hot key edits the selected text and pastes the result over it
    bool ExtendedRegex = false;  // every pattern and template of the set in the extended syntax

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
