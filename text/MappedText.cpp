#include "text/MappedText.h"

#include "text/Cp932.h"

std::string RemapStandIns(const MappedText& text, TStandInMap& into)
{
    // Without stand-ins on either side every code means its own character in both maps.
    if (text.StandIns->Empty() && into.Empty()) return text.Text;
    return Utf16ToCp932(Cp932ToUtf16(text.Text, *text.StandIns), into);
}
