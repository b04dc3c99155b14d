// The settings dialog's controls, one row each: the one place that names a control and
// says what it is. From the rows come the logic's OptionControl, the fields the controls
// edit, the window's child ids, captions and item counts, and the names by which the Wine
// test driver acts on a control (the row's name). Adding a control is adding a row.
#pragma once

#include <array>
#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

#include "core/EditSettings.h"
#include "core/MemberOf.h"
#include "text/SjisLiteral.h"

enum class OptionControlKind {
    Label,
    Edit,
    Memo,      // the multi-line trial text
    SpinEdit,  // a number with up-down arrows
    CheckBox,
    RadioGroup,
    Tabs,
    ComboBox,
    HotKey,
    CheckList,  // the pipeline list: one checkable item per process
    ListBox,
    Button,
};

// Pages of PageControlExec, by index; opNone for a control outside them.
enum OptionPage : int {
    opNone = -1,
    opReplace = 0,
    opLineNo = 1,
    opCase = 2,
    opConvert = 3,
    opOther = 4,
};

// The range of a spin edit.
struct SpinRange {
    int Min;
    int Max;
};

// The captions of a radio group's buttons or of a tab control's tabs; more than fit here
// fail the build.
class ItemCaptions {
public:
    constexpr ItemCaptions() = default;
    constexpr ItemCaptions(std::initializer_list<std::string_view> items)
    {
        for (std::string_view item : items) items_.at(count_++) = item;
    }
    constexpr int Count() const { return count_; }
    constexpr std::string_view operator[](int index) const { return items_.at(static_cast<std::size_t>(index)); }

private:
    std::array<std::string_view, 5> items_{};  // the set tabs and the pages take five
    int count_ = 0;
};

// The set being edited and its replace condition shown: where a bound control's field lives.
struct FieldTarget {
    EditSet& Set;
    ReplaceCondition& Cond;
};

enum class FieldOwner { None, Set, Condition };

// How a control reaches the field it edits: an edit its text, a check box its mark, a spin
// edit or a radio group a number (the item index for a radio group), converted to and from
// the field's own type, an int or an enum.
struct OptionField {
    FieldOwner Owner = FieldOwner::None;
    std::string& (*Text)(FieldTarget) = nullptr;
    bool& (*Flag)(FieldTarget) = nullptr;
    int (*Number)(FieldTarget) = nullptr;
    void (*SetNumber)(FieldTarget, int) = nullptr;
};

namespace option_field_detail {

template <typename Owner>
constexpr Owner& In(FieldTarget target)
{
    if constexpr (std::is_same_v<Owner, EditSet>) return target.Set;
    else return target.Cond;
}

}  // namespace option_field_detail

// The binding of a control to a field of EditSet or ReplaceCondition.
template <auto Member>
constexpr OptionField Bound()
{
    using Owner = typename MemberOf<decltype(Member)>::Owner;
    using Value = typename MemberOf<decltype(Member)>::Value;
    using option_field_detail::In;
    static_assert(std::is_same_v<Owner, EditSet> || std::is_same_v<Owner, ReplaceCondition>);
    OptionField field{std::is_same_v<Owner, EditSet> ? FieldOwner::Set : FieldOwner::Condition};
    if constexpr (std::is_same_v<Value, std::string>) {
        field.Text = [](FieldTarget target) -> std::string& { return In<Owner>(target).*Member; };
    } else if constexpr (std::is_same_v<Value, bool>) {
        field.Flag = [](FieldTarget target) -> bool& { return In<Owner>(target).*Member; };
    } else {
        static_assert(std::is_same_v<Value, int> || std::is_enum_v<Value>);
        field.Number = [](FieldTarget target) { return static_cast<int>(In<Owner>(target).*Member); };
        field.SetNumber = [](FieldTarget target, int value) { In<Owner>(target).*Member = static_cast<Value>(value); };
    }
    return field;
}

// What a row says of its control, by designated initializers in this order.
struct OptionControlTraits {
    // The window's child id. A radio group's buttons take the ids after it, one per item;
    // a spin edit's arrows the id after it.
    int Id = 0;
    OptionControlKind Kind = OptionControlKind::Label;
    OptionPage Page = opNone;
    // A label's or button's text, a radio group's title; for LabelHotKeyTaken the text it
    // shows when another program holds the key.
    std::string_view Caption{};
    ItemCaptions Items{};  // a radio group's buttons, a tab control's tabs
    OptionField Field{};
    SpinRange Range{0, 0};
    // A value beyond the range is shown clamped but stays in the working copy until the
    // user changes the field.
    bool KeepsValueBeyondRange = false;
};

// Every control of the dialog, from the top down: X(Name, what OptionControlTraits says).
#define OPTION_CONTROLS(X) \
    X(LabelGroup, .Id = 1001, .Kind = K::Label, .Caption = "グループ"_sj) \
    X(ComboBoxGroup, .Id = 1002, .Kind = K::ComboBox) \
    X(LabelName, .Id = 1003, .Kind = K::Label, .Caption = "名称"_sj) \
    X(EditGroupName, .Id = 1004, .Kind = K::Edit) \
    X(TabControlSet, .Id = 1010, .Kind = K::Tabs, \
      .Items = {"編集設定（１）"_sj, "編集設定（２）"_sj, "編集設定（３）"_sj, "編集設定（４）"_sj, "関連付け起動"_sj}) \
    X(LabelHotKey, .Id = 1011, .Kind = K::Label, .Caption = "ホットキー"_sj) \
    X(HotKey, .Id = 1012, .Kind = K::HotKey) \
    X(CheckBoxEditSelection, .Id = 1016, .Kind = K::CheckBox, .Caption = "選択中のテキストを編集して貼り付ける"_sj, \
      .Field = Bound<&EditSet::EditSelection>()) \
    X(CheckBoxExtendedRegex, .Id = 1018, .Kind = K::CheckBox, .Caption = "拡張構文"_sj, \
      .Field = Bound<&EditSet::ExtendedRegex>()) \
    X(LabelHotKeyTaken, .Id = 1017, .Kind = K::Label, .Caption = "他のプログラムが使用中です"_sj) \
    /* Shown on the association-launch tab; the line breaks at its run of blanks. */ \
    X(LabelComment, .Id = 1013, .Kind = K::Label, \
      .Caption = "クリップボード内容がファイル名やURLアドレス名で、アプリケーションと関連付けされている場合、" \
                 "           " \
                 "そのアプリケーションよりクリップボード内容と同一のファイルやURLアドレスをオープンします。"_sj) \
    X(LabelOrder, .Id = 1014, .Kind = K::Label, .Caption = "適用処理(順序)"_sj) \
    X(CheckListBoxOrder, .Id = 1015, .Kind = K::CheckList) \
    X(PageControlExec, .Id = 1020, .Kind = K::Tabs, \
      .Items = {"文字列置換"_sj, "行番号"_sj, "大/小文字"_sj, "文字変換"_sj, "その他"_sj}) \
    X(TabControlReplace, .Id = 1100, .Kind = K::Tabs, .Page = opReplace, \
      .Items = {"置換条件（１）"_sj, "置換条件（２）"_sj, "置換条件（３）"_sj, "置換条件（４）"_sj}) \
    X(LabelFrom, .Id = 1101, .Kind = K::Label, .Page = opReplace, .Caption = "検索文字列"_sj) \
    X(EditFrom, .Id = 1102, .Kind = K::Edit, .Page = opReplace, .Field = Bound<&ReplaceCondition::FromStr>()) \
    X(LabelTo, .Id = 1103, .Kind = K::Label, .Page = opReplace, .Caption = "置換文字列"_sj) \
    X(EditTo, .Id = 1104, .Kind = K::Edit, .Page = opReplace, .Field = Bound<&ReplaceCondition::ToStr>()) \
    X(CheckBoxCase, .Id = 1105, .Kind = K::CheckBox, .Page = opReplace, .Caption = "大文字小文字を区別しない"_sj, \
      .Field = Bound<&ReplaceCondition::NoCase>()) \
    X(LabelIndex, .Id = 1200, .Kind = K::Label, .Page = opLineNo, .Caption = "開始"_sj) \
    X(SpinEditIndex, .Id = 1201, .Kind = K::SpinEdit, .Page = opLineNo, .Field = Bound<&EditSet::Index>(), \
      .Range = {0, 99}) \
    X(LabelStep, .Id = 1203, .Kind = K::Label, .Page = opLineNo, .Caption = "ステップ"_sj) \
    X(SpinEditStep, .Id = 1204, .Kind = K::SpinEdit, .Page = opLineNo, .Field = Bound<&EditSet::Step>(), \
      .Range = {1, 20}) \
    /* A hand-edited width wider than the dialog offers is the user's choice: the numbering bounds it. */ \
    X(LabelDeg, .Id = 1206, .Kind = K::Label, .Page = opLineNo, .Caption = "桁数"_sj) \
    X(SpinEditDeg, .Id = 1207, .Kind = K::SpinEdit, .Page = opLineNo, .Field = Bound<&EditSet::Deg>(), \
      .Range = {0, kMaxNumberWidth}, .KeepsValueBeyondRange = true) \
    /* Its words stand over EditBefore, the number between the edits, and EditAfter. */ \
    X(LabelBeforeAfter, .Id = 1209, .Kind = K::Label, .Page = opLineNo, \
      .Caption = "前置            行番号             後置"_sj) \
    X(EditBefore, .Id = 1210, .Kind = K::Edit, .Page = opLineNo, .Field = Bound<&EditSet::Before>()) \
    X(EditAfter, .Id = 1211, .Kind = K::Edit, .Page = opLineNo, .Field = Bound<&EditSet::After>()) \
    X(RadioGroupAdd, .Id = 1220, .Kind = K::RadioGroup, .Page = opLineNo, .Items = {"先付"_sj, "後付"_sj}, \
      .Field = Bound<&EditSet::Add>()) \
    X(RadioGroupFill, .Id = 1230, .Kind = K::RadioGroup, .Page = opLineNo, .Items = {"０埋め"_sj, "空白埋め"_sj}, \
      .Field = Bound<&EditSet::Fill>()) \
    X(RadioGroupCase, .Id = 1300, .Kind = K::RadioGroup, .Page = opCase, \
      .Items = {"すべて小文字"_sj, "すべて大文字"_sj, "変更しない"_sj}, .Field = Bound<&EditSet::CaseMethod>()) \
    X(CheckBoxInitial, .Id = 1310, .Kind = K::CheckBox, .Page = opCase, .Caption = "先頭文字のみ大文字"_sj, \
      .Field = Bound<&EditSet::CaseInitial>()) \
    X(RadioGroupZnHn, .Id = 1400, .Kind = K::RadioGroup, .Page = opConvert, .Caption = "全角<->半角"_sj, \
      .Items = {"全角->半角"_sj, "半角->全角"_sj, "変更しない"_sj}, .Field = Bound<&EditSet::ZnHnMethod>()) \
    X(RadioGroupKana, .Id = 1410, .Kind = K::RadioGroup, .Page = opConvert, .Caption = "かな<->カナ"_sj, \
      .Items = {"ひらがな　→　カタカナ"_sj, "カタカナ　→　ひらがな"_sj, "変更しない"_sj}, \
      .Field = Bound<&EditSet::KanaMethod>()) \
    X(CheckBoxHnKn, .Id = 1420, .Kind = K::CheckBox, .Page = opConvert, .Caption = "半角ｶﾅに適用"_sj, \
      .Field = Bound<&EditSet::IfHnKn>()) \
    X(RadioGroupSort, .Id = 1500, .Kind = K::RadioGroup, .Page = opOther, .Caption = "行ソート"_sj, \
      .Items = {"昇順"_sj, "降順"_sj, "逆順"_sj}, .Field = Bound<&EditSet::SortMethod>()) \
    /* Its words stand over the gaps around EditRLBefore, EditRLCenter and EditRLAfter. */ \
    X(LabelRL, .Id = 1510, .Kind = K::Label, .Page = opOther, \
      .Caption = "^                    右辺                    左辺                    $"_sj) \
    X(EditRLBefore, .Id = 1511, .Kind = K::Edit, .Page = opOther, .Field = Bound<&EditSet::RLBefore>()) \
    X(EditRLCenter, .Id = 1512, .Kind = K::Edit, .Page = opOther, .Field = Bound<&EditSet::RLCenter>()) \
    X(EditRLAfter, .Id = 1513, .Kind = K::Edit, .Page = opOther, .Field = Bound<&EditSet::RLAfter>()) \
    X(RadioGroupEnDeCd, .Id = 1520, .Kind = K::RadioGroup, .Page = opOther, .Caption = "URL", \
      .Items = {"エンコード"_sj, "デコード"_sj}, .Field = Bound<&EditSet::EnDeCd>()) \
    X(CheckBoxURLUtf8, .Id = 1530, .Kind = K::CheckBox, .Page = opOther, .Caption = "UTF-8", \
      .Field = Bound<&EditSet::URLUtf8>()) \
    X(TabControlEdit, .Id = 1600, .Kind = K::Tabs, .Items = {"クリップボード"_sj, "元に戻す"_sj}) \
    X(MemoClipboard, .Id = 1601, .Kind = K::Memo) \
    X(ButtonUpdate, .Id = 1602, .Kind = K::Button, .Caption = "更新"_sj) \
    X(ButtonExe, .Id = 1603, .Kind = K::Button, .Caption = "実行"_sj) \
    X(ButtonTrace, .Id = 1605, .Kind = K::Button, .Caption = "経過"_sj) /* the steps of the last 実行 that ran a set */ \
    X(ListBoxUndo, .Id = 1604, .Kind = K::ListBox) \
    X(ButtonOk, .Id = 1, .Kind = K::Button, .Caption = "ＯＫ"_sj) /* IDOK */ \
    X(ButtonCancel, .Id = 2, .Kind = K::Button, .Caption = "キャンセル"_sj) /* IDCANCEL */

#define OPTION_CONTROL_ENUMERATOR(name, ...) name,
enum class OptionControl { OPTION_CONTROLS(OPTION_CONTROL_ENUMERATOR) };
#undef OPTION_CONTROL_ENUMERATOR

struct OptionControlRow : OptionControlTraits {
    OptionControl Control;
    std::string_view Name;  // the enumerator's name
};

inline constexpr auto kOptionControls = [] {
    using K = OptionControlKind;
#define OPTION_CONTROL_ROW(name, ...) OptionControlRow{{__VA_ARGS__}, OptionControl::name, #name},
    return std::array{OPTION_CONTROLS(OPTION_CONTROL_ROW)};
#undef OPTION_CONTROL_ROW
}();

constexpr const OptionControlRow& OptionControlRowOf(OptionControl control)
{
    return kOptionControls[static_cast<std::size_t>(control)];
}

// The control of that name; none for an unknown name.
constexpr std::optional<OptionControl> OptionControlNamed(std::string_view name)
{
    for (const OptionControlRow& row : kOptionControls)
        if (row.Name == name) return row.Control;
    return std::nullopt;
}

// How many child ids a control takes from its own on: its radio buttons or arrows too.
constexpr int OptionIdsTaken(const OptionControlTraits& traits)
{
    if (traits.Kind == OptionControlKind::RadioGroup) return 1 + traits.Items.Count();
    return traits.Kind == OptionControlKind::SpinEdit ? 2 : 1;
}

constexpr int kOptionPageCount = OptionControlRowOf(OptionControl::PageControlExec).Items.Count();
static_assert(opOther + 1 == kOptionPageCount);

namespace option_control_detail {

// Whether a control's kind, items, range and field go together.
constexpr bool Consistent(const OptionControlRow& row)
{
    using K = OptionControlKind;
    const OptionField& f = row.Field;
    const bool hasItems = row.Kind == K::RadioGroup || row.Kind == K::Tabs;
    if (hasItems != (row.Items.Count() > 0) || row.Page < opNone || row.Page >= kOptionPageCount) return false;
    switch (row.Kind) {
    case K::Edit: return f.Owner == FieldOwner::None || f.Text;
    case K::CheckBox: return f.Owner == FieldOwner::None || f.Flag;
    case K::SpinEdit: return f.Number && row.Range.Min <= row.Range.Max;
    case K::RadioGroup: return f.Number && row.Items.Count() > 1;
    default: return f.Owner == FieldOwner::None;
    }
}

// Whether no two controls share a child id.
constexpr bool IdsDistinct()
{
    for (const OptionControlRow& a : kOptionControls)
        for (const OptionControlRow& b : kOptionControls)
            if (&a != &b && a.Id < b.Id + OptionIdsTaken(b) && b.Id < a.Id + OptionIdsTaken(a)) return false;
    return true;
}

constexpr bool AllConsistent()
{
    for (const OptionControlRow& row : kOptionControls)
        if (row.Id <= 0 || !Consistent(row)) return false;
    return IdsDistinct();
}

}  // namespace option_control_detail

static_assert(option_control_detail::AllConsistent(), "a control's row contradicts itself or another's id");
