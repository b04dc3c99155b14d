#include "text/StandIns.h"

#include "text/Cp932.h"
#include "text/SjisLiteral.h"

namespace {

constexpr char32_t kFirstUserDefined = 0xE000;
constexpr std::uint16_t kFirstUserDefinedLead = 0xF0;
constexpr int kTrailsPerLead = 188;  // 0x40-0x7E and 0x80-0xFC

// Only user-defined codes are both characters of their own and possible stand-ins.
bool IsUserDefinedCode(int code) { return code >= 0xF040 && code <= 0xF9FC; }

bool IsTrailByte(int b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }

std::uint16_t UserDefinedCode(std::size_t index)
{
    const auto lead = static_cast<std::uint16_t>(kFirstUserDefinedLead + index / kTrailsPerLead);
    const int offset = static_cast<int>(index % kTrailsPerLead);
    return static_cast<std::uint16_t>(lead * 256 + (offset < 0x3F ? 0x40 + offset : 0x41 + offset));
}

// Every double-byte code with a valid lead and trail byte that the table leaves without a
// character, in code order.
const std::vector<std::uint16_t>& UnassignedCodes()
{
    static const std::vector<std::uint16_t> codes = [] {
        std::vector<std::uint16_t> found;
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            if (!IsLeadByte(static_cast<unsigned char>(lead))) continue;
            for (int trail = 0x40; trail <= 0xFC; ++trail) {
                const auto code = static_cast<std::uint16_t>(lead * 256 + trail);
                if (IsTrailByte(trail) && Cp932CodeToUnicode(code) < 0) found.push_back(code);
            }
        }
        return found;
    }();
    return codes;
}

}  // namespace

std::size_t StandInCapacity() { return UnassignedCodes().size() + (0xE758 - kFirstUserDefined); }

bool IsUnassignedCp932Code(std::uint16_t code)
{
    return IsLeadByte(static_cast<unsigned char>(code >> 8)) && IsTrailByte(code & 0xFF) && Cp932CodeToUnicode(code) < 0;
}

void TStandInMap::NoteCharacter(char32_t c)
{
    if (c >= kFirstUserDefined && c < kFirstUserDefined + kUserDefinedCount && !codeOf_.count(c))
        userDefinedHeld_[c - kFirstUserDefined] = true;
}

std::uint16_t TStandInMap::CodeOf(char32_t c)
{
    const int own = UnicodeToCp932Code(c);
    if (own >= 0 && !IsUserDefinedCode(own)) return static_cast<std::uint16_t>(own);  // the common case
    if (const auto known = codeOf_.find(c); known != codeOf_.end()) return known->second;
    if (own >= 0 && !IsStandIn(static_cast<std::uint16_t>(own))) {
        NoteCharacter(c);
        return static_cast<std::uint16_t>(own);
    }
    const std::uint16_t code = NextFreeCode();
    codeOf_.emplace(c, code);
    characterOf_.emplace(code, c);
    return code;
}

std::uint16_t TStandInMap::NextFreeCode()
{
    const auto& unassigned = UnassignedCodes();
    if (nextUnassigned_ < unassigned.size()) return unassigned[nextUnassigned_++];
    while (nextUserDefined_ < kUserDefinedCount && userDefinedHeld_[nextUserDefined_]) ++nextUserDefined_;
    if (nextUserDefined_ < kUserDefinedCount) return UserDefinedCode(nextUserDefined_++);
    throw EEncodingError(SjString("Shift-JISで表せない文字の種類が多すぎます（扱えるのは"_sj) +
                         std::to_string(StandInCapacity()) + SjString("種類までです）"_sj));
}

std::size_t FindStandIn(std::string_view text, const TStandInMap& standIns, std::size_t from)
{
    if (standIns.Empty()) return std::string_view::npos;
    for (std::size_t i = from; i < text.size(); i += CharLengthAt(text, i)) {
        if (CharLengthAt(text, i) == 2 && standIns.IsStandIn(CharCodeAt(text, i))) return i;
    }
    return std::string_view::npos;
}

std::int32_t TStandInMap::CharacterOf(std::uint16_t code) const
{
    const int own = Cp932CodeToUnicode(code);
    if ((own >= 0 && !IsUserDefinedCode(code)) || characterOf_.empty()) return own;  // the common case
    if (const auto standIn = characterOf_.find(code); standIn != characterOf_.end())
        return static_cast<std::int32_t>(standIn->second);
    return own;
}
