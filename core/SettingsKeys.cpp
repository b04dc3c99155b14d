#include "core/SettingsKeys.h"

#include <algorithm>

#include "core/MemberOf.h"
#include "core/SwapProcess.h"

namespace {

using enum SettingsSection;

// Where a row's codec reads or writes.
struct KeyAt {
    SettingsSection Section;
    std::string_view Key;
    SectionPlace Place;

    std::string SectionName() const { return ::SectionName(Section, Place); }
};

// One key of an Owner, or a nested table of them (a group's sets, a set's conditions).
template <class Owner>
struct KeyRow {
    SettingsSection Section;
    std::string_view Name;
    void (*Read)(const SettingsReader& in, const KeyAt& at, Owner& owner);
    void (*Write)(SettingsWriter& out, const KeyAt& at, const Owner& owner);  // null: never written
    KeyMeaning Meaning = KeyMeaning::Value;
    // For a pattern or a template: the text the engine compiles from the member.
    std::string (*Compiled)(const Owner& owner) = nullptr;
};

template <class Owner, std::size_t N>
void ReadKeys(const SettingsReader& in, const KeyRow<Owner> (&rows)[N], SectionPlace place, Owner& owner)
{
    for (const KeyRow<Owner>& row : rows) row.Read(in, {row.Section, row.Name, place}, owner);
}

template <class Owner, std::size_t N>
void WriteKeys(SettingsWriter& out, const KeyRow<Owner> (&rows)[N], SectionPlace place, const Owner& owner)
{
    for (const KeyRow<Owner>& row : rows)
        if (row.Write) row.Write(out, {row.Section, row.Name, place}, owner);
}

template <auto Member>
using OwnerOf = typename MemberOf<decltype(Member)>::Owner;

// An int, or an enum over int, as its number: a number the enum does not name is kept.
template <auto Member>
constexpr KeyRow<OwnerOf<Member>> Integer(SettingsSection section, std::string_view name)
{
    using Owner = OwnerOf<Member>;
    using Type = typename MemberOf<decltype(Member)>::Value;
    return {section, name,
            [](const SettingsReader& in, const KeyAt& at, Owner& owner) {
                int number = static_cast<int>(owner.*Member);
                in.Integer(at.SectionName(), at.Key, number);
                owner.*Member = static_cast<Type>(number);
            },
            [](SettingsWriter& out, const KeyAt& at, const Owner& owner) {
                out.Integer(at.SectionName(), at.Key, static_cast<int>(owner.*Member));
            }};
}

// A member of the type the reader's and writer's functions take.
template <auto Member, auto ReadValue, auto WriteValue>
constexpr KeyRow<OwnerOf<Member>> Direct(SettingsSection section, std::string_view name)
{
    using Owner = OwnerOf<Member>;
    return {section, name,
            [](const SettingsReader& in, const KeyAt& at, Owner& owner) {
                (in.*ReadValue)(at.SectionName(), at.Key, owner.*Member);
            },
            [](SettingsWriter& out, const KeyAt& at, const Owner& owner) {
                (out.*WriteValue)(at.SectionName(), at.Key, owner.*Member);
            }};
}
template <auto Member>
constexpr auto Boolean(SettingsSection section, std::string_view name)
{
    return Direct<Member, &SettingsReader::Boolean, &SettingsWriter::Boolean>(section, name);
}
template <auto Member>
constexpr auto Plain(SettingsSection section, std::string_view name)
{
    return Direct<Member, &SettingsReader::Plain, &SettingsWriter::Plain>(section, name);
}
template <auto Member>
constexpr auto Quoted(SettingsSection section, std::string_view name)
{
    return Direct<Member, &SettingsReader::Quoted, &SettingsWriter::Quoted>(section, name);
}
template <auto Member>
constexpr auto HotKey(SettingsSection section, std::string_view name)
{
    auto row = Direct<Member, &SettingsReader::HotKey, &SettingsWriter::HotKey>(section, name);
    row.Meaning = KeyMeaning::HotKey;
    return row;
}

// A string the engine compiles as a pattern or a template: as it stands, unless the
// process makes more of it.
template <auto Member>
constexpr auto ForEngine(KeyRow<OwnerOf<Member>> row, KeyMeaning meaning,
                         std::string (*compiled)(const OwnerOf<Member>&) = nullptr)
{
    row.Meaning = meaning;
    row.Compiled = compiled ? compiled : [](const OwnerOf<Member>& owner) { return std::string(owner.*Member); };
    return row;
}

constexpr KeyRow<ReplaceCondition> kConditionKeys[] = {
    ForEngine<&ReplaceCondition::FromStr>(Quoted<&ReplaceCondition::FromStr>(Cond, "FromStr"), KeyMeaning::Pattern),
    ForEngine<&ReplaceCondition::ToStr>(Quoted<&ReplaceCondition::ToStr>(Cond, "ToStr"), KeyMeaning::Template),
    Boolean<&ReplaceCondition::NoCase>(Cond, "NoCase"),
};

// The conditions up to the file's count are read; the dialog's four are written, and the
// file keeps the others as they are.
void ReadConditions(const SettingsReader& in, const KeyAt& at, EditSet& set)
{
    for (int n = 1; n <= set.MaxCnt; ++n) ReadKeys(in, kConditionKeys, {at.Place.Group, at.Place.Set, n}, set.Cond[n - 1]);
}

void WriteConditions(SettingsWriter& out, const KeyAt& at, const EditSet& set)
{
    for (int n = 1; n <= kConditionsInDialog; ++n)
        WriteKeys(out, kConditionKeys, {at.Place.Group, at.Place.Set, n}, set.Cond[n - 1]);
}

// The model holds kMaxConditions conditions; a larger count keeps as many as it can.
void ReadConditionCount(const SettingsReader& in, const KeyAt& at, EditSet& set)
{
    in.Integer(at.SectionName(), at.Key, set.MaxCnt);
    set.MaxCnt = std::min(set.MaxCnt, kMaxConditions);
}

// "Order<k>" and "IfExec<k>" for each position k, in pairs.
constexpr std::string_view kIfExecKey = "IfExec";

std::string IndexedKey(std::string_view key, std::size_t k) { return std::string(key) + std::to_string(k); }
constexpr std::string_view kOrderKey = "Order";

void ReadOrder(const SettingsReader& in, const KeyAt& at, EditSet& set)
{
    const std::string section = at.SectionName();
    for (std::size_t k = 0; k < set.Order.size(); ++k) {
        int kind = static_cast<int>(set.Order[k]);
        in.Integer(section, IndexedKey(at.Key, k), kind);
        set.Order[k] = static_cast<ProcessKind>(kind);
        in.Boolean(section, IndexedKey(kIfExecKey, k), set.IfExec[k]);
    }
}

void WriteOrder(SettingsWriter& out, const KeyAt& at, const EditSet& set)
{
    const std::string section = at.SectionName();
    for (std::size_t k = 0; k < set.Order.size(); ++k) {
        out.Integer(section, IndexedKey(at.Key, k), static_cast<int>(set.Order[k]));
        out.Boolean(section, IndexedKey(kIfExecKey, k), set.IfExec[k]);
    }
}

// In the order a save writes them, which is the order of the keys in a new file.
constexpr KeyRow<EditSet> kSetKeys[] = {
    HotKey<&EditSet::HotKey>(Set, "HotKey"),
    {Set, "MaxCnt", ReadConditionCount, nullptr},  // before the conditions, which it counts
    {Set, kOrderKey, ReadOrder, WriteOrder},
    {Cond, "", ReadConditions, WriteConditions},
    Integer<&EditSet::Index>(LineNo, "Index"),
    Integer<&EditSet::Step>(LineNo, "Step"),
    // A hand-edited width beyond the dialog's is kept as written: the numbering bounds the
    // width it pads to.
    Integer<&EditSet::Deg>(LineNo, "Deg"),
    Plain<&EditSet::Before>(LineNo, "Before"),
    Plain<&EditSet::After>(LineNo, "After"),
    Integer<&EditSet::Add>(LineNo, "Add"),
    Integer<&EditSet::Fill>(LineNo, "Fill"),
    Integer<&EditSet::SortMethod>(Set, "SortMethod"),
    Integer<&EditSet::CaseMethod>(Set, "CaseMethod"),
    Boolean<&EditSet::CaseInitial>(Set, "CaseInitial"),
    Integer<&EditSet::KanaMethod>(Set, "KanaMethod"),
    Integer<&EditSet::ZnHnMethod>(Set, "ZnHnMethod"),
    Boolean<&EditSet::IfHnKn>(Set, "IfHnKn"),
    ForEngine<&EditSet::RLBefore>(Plain<&EditSet::RLBefore>(Set, "RLBefore"), KeyMeaning::Pattern),
    ForEngine<&EditSet::RLCenter>(Plain<&EditSet::RLCenter>(Set, "RLCenter"), KeyMeaning::Pattern),
    // The swap anchors the last pattern at the line's end.
    ForEngine<&EditSet::RLAfter>(Plain<&EditSet::RLAfter>(Set, "RLAfter"), KeyMeaning::Pattern, SwapTrailingPattern),
    Integer<&EditSet::EnDeCd>(Set, "EnDeCd"),
    Boolean<&EditSet::URLUtf8>(Set, "URLUtf8"),
    Boolean<&EditSet::EditSelection>(Set, "EditSelection"),
    Boolean<&EditSet::ExtendedRegex>(Set, "ExtendedRegex"),
};

void ReadSets(const SettingsReader& in, const KeyAt& at, EditGroup& group)
{
    for (int s = 1; s <= kSetsPerGroup; ++s) ReadKeys(in, kSetKeys, {at.Place.Group, s}, group.Set[s - 1]);
}

void WriteSets(SettingsWriter& out, const KeyAt& at, const EditGroup& group)
{
    for (int s = 1; s <= kSetsPerGroup; ++s) WriteKeys(out, kSetKeys, {at.Place.Group, s}, group.Set[s - 1]);
}

constexpr KeyRow<EditGroup> kGroupKeys[] = {
    Plain<&EditGroup::Name>(Group, "Name"),
    HotKey<&EditGroup::ExecHotKey>(Group, "ExecHotKey"),
    {Set, "", ReadSets, WriteSets},
};

void ReadGroups(const SettingsReader& in, const KeyAt&, EditSettings& settings)
{
    for (int g = 1; g <= kGroupCount; ++g) ReadKeys(in, kGroupKeys, {g}, settings.Group[g - 1]);
}

void WriteGroups(SettingsWriter& out, const KeyAt&, const EditSettings& settings)
{
    for (int g = 1; g <= kGroupCount; ++g) WriteKeys(out, kGroupKeys, {g}, settings.Group[g - 1]);
}

// A number that names no group keeps the default (the first group), as in a new file.
// Only the program's exit writes it (SaveActiveGroup).
void ReadActiveGroup(const SettingsReader& in, const KeyAt& at, EditSettings& settings)
{
    int active = settings.ActiveGroup;
    in.Integer(at.SectionName(), at.Key, active);
    if (active >= 1 && active <= kGroupCount) settings.ActiveGroup = active;
}

constexpr KeyRow<EditSettings> kSettingsKeys[] = {
    {Group, "", ReadGroups, WriteGroups},
    {Main, kActiveGroupKey, ReadActiveGroup, nullptr},
};

}  // namespace

std::string SectionName(SettingsSection section, SectionPlace place)
{
    if (section == Main) return "Main";
    const std::string group = "Group" + std::to_string(place.Group);
    if (section == Group) return group;
    const std::string set = group + "Set" + std::to_string(place.Set);
    if (section == Cond) return set + "Cond" + std::to_string(place.Cond);
    return section == LineNo ? set + "LineNo" : set;
}

namespace {

template <class Owner, std::size_t N>
std::vector<EngineKey> EngineKeys(const KeyRow<Owner> (&rows)[N], const Owner& owner)
{
    std::vector<EngineKey> keys;
    for (const KeyRow<Owner>& row : rows)
        if (row.Compiled) keys.push_back({row.Section, row.Name, row.Meaning, row.Compiled(owner)});
    return keys;
}

}  // namespace

std::vector<EngineKey> EngineKeysOf(const EditSet& set) { return EngineKeys(kSetKeys, set); }

std::vector<EngineKey> EngineKeysOf(const ReplaceCondition& condition) { return EngineKeys(kConditionKeys, condition); }

std::string OrderKeyName(std::size_t position) { return IndexedKey(kOrderKey, position); }

std::string_view HotKeyName(SettingsSection section)
{
    const auto named = [](const auto& rows) {
        return std::find_if(std::begin(rows), std::end(rows), [](const auto& row) { return row.Meaning == KeyMeaning::HotKey; })->Name;
    };
    return section == Group ? named(kGroupKeys) : named(kSetKeys);
}

void ReadSettingsKeys(const SettingsReader& in, EditSettings& settings) { ReadKeys(in, kSettingsKeys, {}, settings); }

void WriteSettingsKeys(SettingsWriter& out, const EditSettings& settings) { WriteKeys(out, kSettingsKeys, {}, settings); }
