// The class and the type of a pointer to member: the tables that bind a row to a field of
// the settings model (the settings keys, the dialog's controls) take both from the member.
#pragma once

template <typename>
struct MemberOf;
template <typename Owner_, typename Value_>
struct MemberOf<Value_ Owner_::*> {
    using Owner = Owner_;
    using Value = Value_;
};
