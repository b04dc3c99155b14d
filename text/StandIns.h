// Characters beyond CP932 (é, €, —, NBSP, 〜 U+301C, emoji, 𠮷, Hangul) travel through the
// CP932 text inside as stand-ins: double-byte codes that no real text can contain. The
// engine and the processes see an ordinary double-byte character that no table touches; at
// the edge every stand-in becomes its character again, so nothing is refused or altered.
//
// Codes unassigned in CP932 are handed out first. After them come user-defined-area codes
// (0xF040-0xF9FC, the characters U+E000-U+E757), each only while no text converted with
// this map has held its own character; a user-defined character whose code was already
// handed out travels by a stand-in of its own. So a code, once it means a character in a
// map, means it for the map's whole life, and a kept text comes back exactly with its map.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

// How many distinct beyond-characters one map can carry at the most.
std::size_t StandInCapacity();

// True for a double-byte code that CP932 leaves unassigned: in a converted text it is
// always a stand-in. Such a code has no place in an order, so the engine refuses it as
// the end of a class range.
bool IsUnassignedCp932Code(std::uint16_t code);

class TStandInMap {
public:
    // The CP932 code by which a character travels: its own when it has one that is no
    // stand-in here, otherwise its stand-in, new on first sight. Raises EEncodingError
    // when every stand-in is taken.
    std::uint16_t CodeOf(char32_t c);
    // The character a code means: a stand-in's character or the code's own; -1 for a code
    // that is neither (a byte pair that is no CP932 character).
    std::int32_t CharacterOf(std::uint16_t code) const;
    bool IsStandIn(std::uint16_t code) const { return characterOf_.count(code) != 0; }
    // A text about to be converted holds this character; a user-defined one then keeps
    // its own code, which is never handed out as a stand-in afterwards.
    void NoteCharacter(char32_t c);
    bool Empty() const { return characterOf_.empty(); }

private:
    std::uint16_t NextFreeCode();

    std::unordered_map<char32_t, std::uint16_t> codeOf_;
    std::unordered_map<std::uint16_t, char32_t> characterOf_;
    std::vector<bool> userDefinedHeld_ = std::vector<bool>(kUserDefinedCount, false);
    std::size_t nextUnassigned_ = 0;
    std::size_t nextUserDefined_ = 0;

    static constexpr std::size_t kUserDefinedCount = 0xE758 - 0xE000;
};

using StandInMapPtr = std::shared_ptr<TStandInMap>;

// The position of the first stand-in of the map in a CP932 text at or after the character
// start `from`, or npos.
std::size_t FindStandIn(std::string_view text, const TStandInMap& standIns, std::size_t from = 0);
