// The character tables of the "文字変換" process: hiragana/katakana pairs for the kana
// conversion, and full-width/half-width pairs (ASCII, plain katakana, voiced katakana) for
// the width conversion. Tables come in parallel pairs: entry k of one corresponds to entry
// k of its partner. Every entry is a CP932 character of a fixed width per table.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "text/SjisLiteral.h"

// Entries of one width (1 or 2 bytes) stored back to back.
struct CharTable {
    std::string_view entries;
    std::size_t width;

    constexpr std::size_t Count() const { return entries.size() / width; }
    constexpr std::string_view Entry(std::size_t k) const { return entries.substr(k * width, width); }

    // Index of the entry whose bytes equal ch. Compared entry by entry, so the trail byte
    // of one entry and the lead byte of the next are never taken for a character.
    constexpr std::optional<std::size_t> Find(std::string_view ch) const
    {
        if (ch.size() != width) return std::nullopt;
        for (std::size_t k = 0; k < Count(); ++k)
            if (Entry(k) == ch) return k;
        return std::nullopt;
    }
};

// "ヴ" stands at the same index in both, so it maps to itself in either direction.
inline constexpr CharTable HiraganaTable{
    "あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもらりるれろやゆよわをん"
    "がぎぐげござじずぜぞだぢづでどばびぶべぼヴぱぴぷぺぽぁぃぅぇぉっゃゅょ"_sj, 2};
inline constexpr CharTable KatakanaTable{
    "アイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモラリルレロヤユヨワヲン"
    "ガギグゲゴザジズゼゾダヂヅデドバビブベボヴパピプペポァィゥェォッャュョ"_sj, 2};

// The full-width partners of the bytes 0x20-0x7E. The first entry is the ideographic
// space; the quotes map to the typographic ones, the backslash to "￥", the tilde to "￣".
inline constexpr CharTable FullAsciiTable{
    "　！”＃＄％＆’（）＊＋，－．／"                  // 0x20-0x2F
    "０１２３４５６７８９：；＜＝＞？"                  // 0x30-0x3F
    "＠ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺ［￥］＾＿"  // 0x40-0x5F
    "‘ａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔｕｖｗｘｙｚ｛｜｝￣"_sj,  // 0x60-0x7E
    2};
inline constexpr CharTable HalfAsciiTable{
    " !\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmnopqrstuvwxyz{|}~",
    1};

// Katakana with a half-width form of one byte. The long-vowel mark "ー" has none here.
inline constexpr CharTable FullKanaTable{
    "アイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモラリルレロヤユヨワヲン"
    "ァィゥェォッャュョ"_sj, 2};
inline constexpr CharTable HalfKanaTable{
    "ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾗﾘﾙﾚﾛﾔﾕﾖﾜｦﾝｧｨｩｪｫｯｬｭｮ"_sj, 1};

// Voiced and semi-voiced katakana, whose half-width form is a kana byte and a mark byte.
inline constexpr CharTable FullVoicedTable{"ガギグゲゴザジズゼゾダヂヅデドバビブベボヴパピプペポ"_sj, 2};
inline constexpr CharTable HalfVoicedTable{
    "ｶﾞｷﾞｸﾞｹﾞｺﾞｻﾞｼﾞｽﾞｾﾞｿﾞﾀﾞﾁﾞﾂﾞﾃﾞﾄﾞﾊﾞﾋﾞﾌﾞﾍﾞﾎﾞｳﾞﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ"_sj, 2};

// The half-width voiced mark "ﾞ" and semi-voiced mark "ﾟ".
inline constexpr unsigned char kVoicedMark = 0xDE;
inline constexpr unsigned char kSemiVoicedMark = 0xDF;

static_assert(HiraganaTable.Count() == 81 && KatakanaTable.Count() == 81);
static_assert(FullAsciiTable.Count() == 95 && HalfAsciiTable.Count() == 95);
static_assert(FullKanaTable.Count() == 55 && HalfKanaTable.Count() == 55);
static_assert(FullVoicedTable.Count() == 26 && HalfVoicedTable.Count() == 26);
