#include "shell/win32/Win32LineComparer.h"

#include <windows.h>

#include <climits>
#include <stdexcept>

#include "text/CollationText.h"
#include "text/SjisLiteral.h"

namespace {

int Length(const std::u16string& text)
{
    if (text.size() > INT_MAX) throw std::length_error(std::string("行が長すぎて比較できません"_sj));
    return static_cast<int>(text.size());
}

}  // namespace

int Win32LineComparer::Compare(std::string_view a, std::string_view b, const TStandInMap* standIns) const
{
    ToCollationText(a, a_, standIns);
    ToCollationText(b, b_, standIns);
    const int result = CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, reinterpret_cast<const wchar_t*>(a_.data()),
                                      Length(a_), reinterpret_cast<const wchar_t*>(b_.data()), Length(b_));
    if (result == 0) throw std::runtime_error(std::string("行を比較できません"_sj));
    return result - CSTR_EQUAL;
}
