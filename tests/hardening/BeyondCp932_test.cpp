// Characters beyond CP932 through every process, on random texts: what no process changes
// comes back exactly, and no process alters or drops one of them.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "core/EditDriver.h"
#include "core/NMURL.h"
#include "core/PortableLineComparer.h"
#include "core/TextProcesses.h"
#include "regex/AWKStr.h"
#include "text/Cp932.h"
#include "text/SplitLines.h"
#include "text/StandIns.h"
#include "support/ProcessOrder.h"

namespace {

// CP932 characters, characters beyond it (BMP and supplementary), and line breaks.
const char* const kPieces[] = {"a", "Z", "0", " ", "=", "あ", "ア", "ｱ", "漢", "①", "～", "é",
                               "〜", "😀", "𠮷", "한", "—", "\u00A0", "€", "−", "\r", "\n", "\r\n"};

std::string RandomText(std::mt19937& rng)
{
    std::string text;
    for (int n = static_cast<int>(rng() % 40); n > 0; --n) text += kPieces[rng() % std::size(kPieces)];
    return text;
}

// The characters the text's stand-ins stand for, sorted: a multiset to compare.
std::vector<char32_t> BeyondCharacters(const std::string& cp932, const TStandInMap& map)
{
    std::vector<char32_t> found;
    for (std::size_t i = 0; i < cp932.size(); i += CharLengthAt(cp932, i)) {
        const std::uint16_t code = CharCodeAt(cp932, i);
        if (CharLengthAt(cp932, i) == 2 && map.IsStandIn(code)) found.push_back(static_cast<char32_t>(map.CharacterOf(code)));
    }
    std::sort(found.begin(), found.end());
    return found;
}

struct Pipeline {
    TAWKStr awk;
    TNMURL url;
    PortableLineComparer comparer;

    std::string Run(ProcessKind kind, const std::string& text, const EditSet& set, TStandInMap& map)
    {
        ProcessServices services{awk, url, comparer, map};
        return RunTextProcess(kind, text, set, services);
    }
};

// Settings under which a process leaves every character as it is.
EditSet Unchanging()
{
    EditSet set;
    set.MaxCnt = 0;
    set.CaseMethod = CaseConversion::Keep;
    set.KanaMethod = KanaConversion::Keep;
    set.ZnHnMethod = WidthConversion::Keep;
    set.RLCenter = "zzzq";
    return set;
}

// Settings under which every process does its work.
EditSet Working(bool urlUtf8)
{
    EditSet set;
    set.Cond[0] = {"a|.$", "<&>", true};
    set.CaseMethod = CaseConversion::Upper;
    set.CaseInitial = true;
    set.KanaMethod = KanaConversion::ToKatakana;
    set.ZnHnMethod = WidthConversion::ToHalfWidth;
    set.IfHnKn = true;
    set.RLCenter = "=";
    set.URLUtf8 = urlUtf8;
    return set;
}

TEST(BeyondCp932, UnchangingProcessesAndANoOpSetGiveTheTextBack)
{
    std::mt19937 rng(932);
    Pipeline p;
    for (int round = 0; round < 300; ++round) {
        TStandInMap map;
        const std::string text = Utf8ToCp932(RandomText(rng), map);
        const std::string lines = JoinLines(SplitLines(text));  // what a line-based process writes
        const EditSet same = Unchanging();
        EditSet noOp = same;  // every process that can keep the text whole, enabled
        noOp.IfExec[KindIndex(ProcessKind::Replace)] = noOp.IfExec[KindIndex(ProcessKind::Case)] = noOp.IfExec[KindIndex(ProcessKind::Convert)] = true;
        EXPECT_EQ(RunEditSet(text, noOp, [&](ProcessKind k, const std::string& t, const EditSet& s) { return p.Run(k, t, s, map); }),
                  text);
        EXPECT_EQ(p.Run(ProcessKind::Replace, text, same, map), text);
        EXPECT_EQ(p.Run(ProcessKind::Convert, text, same, map), text);
        EXPECT_EQ(p.Run(ProcessKind::Case, text, same, map), text);
        EXPECT_EQ(p.Run(ProcessKind::Swap, text, same, map), lines);
        for (const bool utf8 : {false, true}) {
            EditSet encode = same, decode = same;
            encode.URLUtf8 = decode.URLUtf8 = utf8;
            decode.EnDeCd = URLDirection::Decode;
            // Two line-based steps: a final empty line the first one writes, the second drops.
            EXPECT_EQ(p.Run(ProcessKind::URL, p.Run(ProcessKind::URL, text, encode, map), decode, map), JoinLines(SplitLines(lines)))
                << "UTF-8 " << utf8;
        }
    }
}

TEST(BeyondCp932, NoProcessAltersOrDropsOne)
{
    std::mt19937 rng(65001);
    Pipeline p;
    for (int round = 0; round < 300; ++round) {
        TStandInMap map;
        const std::string text = Utf8ToCp932(RandomText(rng), map);
        const std::vector<char32_t> beyond = BeyondCharacters(text, map);
        for (const bool utf8 : {false, true}) {
            const EditSet set = Working(utf8);
            for (const ProcessKind kind : kProcessKinds) {
                std::string out = p.Run(kind, text, set, map);
                if (kind == ProcessKind::URL) {  // an encoding keeps them as its decoding shows
                    EditSet decode = set;
                    decode.EnDeCd = URLDirection::Decode;
                    out = p.Run(ProcessKind::URL, out, decode, map);
                }
                EXPECT_EQ(BeyondCharacters(out, map), beyond) << "process " << kind << " UTF-8 " << utf8;
            }
        }
    }
}

}  // namespace
