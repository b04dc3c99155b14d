// The built-in fuzzy-character dictionary: each row lists the variant forms of one
// character (width, case, kana kind, small kana, voiced kana written with a separate
// voicing mark, numerals, punctuation) that a pattern literal is widened to.
//
// Order matters: the preprocessor takes the first row whose entry matches, so rows with
// several-character entries (voiced kana) stand before the rows of their first kana.
#include "regex/FuzzyCharDic.h"

#include "text/SjisLiteral.h"

namespace {

const std::initializer_list<std::string_view> kRows[] = {
    {"Ａ"_sj, "ａ"_sj, "A"_sj, "a"_sj},  // 1
    {"Ｂ"_sj, "ｂ"_sj, "B"_sj, "b"_sj},  // 2
    {"Ｃ"_sj, "ｃ"_sj, "C"_sj, "c"_sj},  // 3
    {"Ｄ"_sj, "ｄ"_sj, "D"_sj, "d"_sj},  // 4
    {"Ｅ"_sj, "ｅ"_sj, "E"_sj, "e"_sj},  // 5
    {"Ｆ"_sj, "ｆ"_sj, "F"_sj, "f"_sj},  // 6
    {"Ｇ"_sj, "ｇ"_sj, "G"_sj, "g"_sj},  // 7
    {"Ｈ"_sj, "ｈ"_sj, "H"_sj, "h"_sj},  // 8
    {"Ｉ"_sj, "ｉ"_sj, "I"_sj, "i"_sj},  // 9
    {"Ｊ"_sj, "ｊ"_sj, "J"_sj, "j"_sj},  // 10
    {"Ｋ"_sj, "ｋ"_sj, "K"_sj, "k"_sj},  // 11
    {"Ｌ"_sj, "ｌ"_sj, "L"_sj, "l"_sj},  // 12
    {"Ｍ"_sj, "ｍ"_sj, "M"_sj, "m"_sj},  // 13
    {"Ｎ"_sj, "ｎ"_sj, "N"_sj, "n"_sj},  // 14
    {"Ｏ"_sj, "ｏ"_sj, "O"_sj, "o"_sj},  // 15
    {"Ｐ"_sj, "ｐ"_sj, "P"_sj, "p"_sj},  // 16
    {"Ｑ"_sj, "ｑ"_sj, "Q"_sj, "q"_sj},  // 17
    {"Ｒ"_sj, "ｒ"_sj, "R"_sj, "r"_sj},  // 18
    {"Ｓ"_sj, "ｓ"_sj, "S"_sj, "s"_sj},  // 19
    {"Ｔ"_sj, "ｔ"_sj, "T"_sj, "t"_sj},  // 20
    {"Ｕ"_sj, "ｕ"_sj, "U"_sj, "u"_sj},  // 21
    {"Ｖ"_sj, "ｖ"_sj, "V"_sj, "v"_sj},  // 22
    {"Ｗ"_sj, "ｗ"_sj, "W"_sj, "w"_sj},  // 23
    {"Ｘ"_sj, "ｘ"_sj, "X"_sj, "x"_sj},  // 24
    {"Ｙ"_sj, "ｙ"_sj, "Y"_sj, "y"_sj},  // 25
    {"Ｚ"_sj, "ｚ"_sj, "Z"_sj, "z"_sj},  // 26
    {"0"_sj, "０"_sj, "零"_sj},  // 27
    {"1"_sj, "１"_sj, "一"_sj, "①"_sj, "Ⅰ"_sj, "壱"_sj},  // 28
    {"2"_sj, "２"_sj, "二"_sj, "②"_sj, "Ⅱ"_sj, "弐"_sj},  // 29
    {"3"_sj, "３"_sj, "三"_sj, "③"_sj, "Ⅲ"_sj, "参"_sj},  // 30
    {"4"_sj, "４"_sj, "四"_sj, "④"_sj, "Ⅳ"_sj},  // 31
    {"5"_sj, "５"_sj, "五"_sj, "⑤"_sj, "Ⅴ"_sj, "伍"_sj},  // 32
    {"6"_sj, "６"_sj, "六"_sj, "⑥"_sj, "Ⅵ"_sj},  // 33
    {"7"_sj, "７"_sj, "七"_sj, "⑦"_sj, "Ⅶ"_sj},  // 34
    {"8"_sj, "８"_sj, "八"_sj, "⑧"_sj, "Ⅷ"_sj},  // 35
    {"9"_sj, "９"_sj, "九"_sj, "⑨"_sj, "Ⅸ"_sj},  // 36
    {"　"_sj, " "_sj},  // 37: full-width space, space
    {"!"_sj, "！"_sj},  // 38
    {"\""_sj, "”"_sj},  // 39
    {"#"_sj, "＃"_sj},  // 40
    {"$"_sj, "＄"_sj},  // 41
    {"%"_sj, "％"_sj},  // 42
    {"&"_sj, "＆"_sj},  // 43
    {"'"_sj, "’"_sj},  // 44
    {"("_sj, "（"_sj},  // 45
    {")"_sj, "）"_sj},  // 46
    {"*"_sj, "＊"_sj},  // 47
    {"+"_sj, "＋"_sj},  // 48
    {"ー"_sj, "～"_sj, "ｰ"_sj},  // 49
    {"-"_sj, "ー"_sj, "－"_sj, "～"_sj, "ｰ"_sj},  // 50
    {"･"_sj, "・"_sj},  // 51
    {"/"_sj, "／"_sj},  // 52
    {":"_sj, "："_sj},  // 53
    {";"_sj, "；"_sj},  // 54
    {"<"_sj, "＜"_sj},  // 55
    {"="_sj, "＝"_sj},  // 56
    {">"_sj, "＞"_sj},  // 57
    {"?"_sj, "？"_sj},  // 58
    {"@"_sj, "＠"_sj},  // 59
    {"["_sj, "［"_sj, "〔"_sj},  // 60
    {"\\"_sj, "￥"_sj},  // 61
    {"]"_sj, "］"_sj, "〕"_sj},  // 62
    {"^"_sj, "＾"_sj},  // 63
    {"_"_sj, "＿"_sj},  // 64
    {"{"_sj, "｛"_sj},  // 65
    {"|"_sj, "｜"_sj},  // 66
    {"}"_sj, "｝"_sj},  // 67
    {"~"_sj, "￣"_sj},  // 68
    {","_sj, "､"_sj, "、"_sj, "，"_sj},  // 69
    {"｡"_sj, "."_sj, "。"_sj, "．"_sj},  // 70
    {"「"_sj, "『"_sj, "｢"_sj},  // 71
    {"」"_sj, "』"_sj, "｣"_sj},  // 72
    {"ん"_sj, "ン"_sj, "ﾝ"_sj},  // 73
    {"が"_sj, "ガ"_sj, "ｶﾞ"_sj, "か゛"_sj, "カ゛"_sj},  // 74
    {"ぎ"_sj, "ギ"_sj, "ｷﾞ"_sj, "き゛"_sj, "キ゛"_sj},  // 75
    {"ぐ"_sj, "グ"_sj, "ｸﾞ"_sj, "く゛"_sj, "ク゛"_sj},  // 76
    {"げ"_sj, "ゲ"_sj, "ｹﾞ"_sj, "け゛"_sj, "ケ゛"_sj},  // 77
    {"ご"_sj, "ゴ"_sj, "ｺﾞ"_sj, "こ゛"_sj, "コ゛"_sj},  // 78
    {"ざ"_sj, "ザ"_sj, "ｻﾞ"_sj, "さ゛"_sj, "サ゛"_sj},  // 79
    {"じ"_sj, "ジ"_sj, "ｼﾞ"_sj, "し゛"_sj, "シ゛"_sj, "ぢ"_sj, "ヂ"_sj, "ﾁﾞ"_sj, "ち゛"_sj, "チ゛"_sj},  // 80
    {"ず"_sj, "ズ"_sj, "ｽﾞ"_sj, "す゛"_sj, "ス゛"_sj, "づ"_sj, "ヅ"_sj, "ﾂﾞ"_sj, "つ゛"_sj, "ツ゛"_sj},  // 81
    {"ぜ"_sj, "ゼ"_sj, "ｾﾞ"_sj, "せ゛"_sj, "セ゛"_sj},  // 82
    {"ぞ"_sj, "ゾ"_sj, "ｿﾞ"_sj, "そ゛"_sj, "ソ゛"_sj},  // 83
    {"だ"_sj, "ダ"_sj, "ﾀﾞ"_sj, "た゛"_sj, "タ゛"_sj},  // 84
    {"で"_sj, "デ"_sj, "ﾃﾞ"_sj, "て゛"_sj, "テ゛"_sj},  // 85
    {"ど"_sj, "ド"_sj, "ﾄﾞ"_sj, "と゛"_sj, "ト゛"_sj},  // 86
    {"ば"_sj, "バ"_sj, "ﾊﾞ"_sj, "は゛"_sj, "ハ゛"_sj, "ヴァ"_sj, "う゛ぁ"_sj, "ウ゛ァ"_sj, "ｳﾞｧ"_sj},  // 87
    {"び"_sj, "ビ"_sj, "ﾋﾞ"_sj, "ひ゛"_sj, "ヒ゛"_sj, "ヴィ"_sj, "う゛ぃ"_sj, "ウ゛ィ"_sj, "ｳﾞｨ"_sj},  // 88
    {"ぶ"_sj, "ブ"_sj, "ﾌﾞ"_sj, "ふ゛"_sj, "フ゛"_sj, "ヴ"_sj, "ウ゛"_sj, "う゛"_sj, "ｳﾞ"_sj},  // 89
    {"べ"_sj, "ベ"_sj, "ﾍﾞ"_sj, "へ゛"_sj, "ヘ゛"_sj, "ヴェ"_sj, "う゛ぇ"_sj, "ウ゛ェ"_sj, "ｳﾞｪ"_sj},  // 90
    {"ぼ"_sj, "ボ"_sj, "ﾎﾞ"_sj, "ほ゛"_sj, "ホ゛"_sj, "ヴォ"_sj, "う゛ぉ"_sj, "ウ゛ォ"_sj, "ｳﾞｫ"_sj},  // 91
    {"ぱ"_sj, "パ"_sj, "ﾊﾟ"_sj, "は゜"_sj, "ハ゜"_sj},  // 92
    {"ぴ"_sj, "ピ"_sj, "ﾋﾟ"_sj, "ひ゜"_sj, "ヒ゜"_sj},  // 93
    {"ぷ"_sj, "プ"_sj, "ﾌﾟ"_sj, "ふ゜"_sj, "フ゜"_sj},  // 94
    {"ぺ"_sj, "ペ"_sj, "ﾍﾟ"_sj, "へ゜"_sj, "ヘ゜"_sj},  // 95
    {"ぽ"_sj, "ポ"_sj, "ﾎﾟ"_sj, "ほ゜"_sj, "ホ゜"_sj},  // 96
    {"あ"_sj, "ア"_sj, "ｱ"_sj, "ぁ"_sj, "ァ"_sj, "ｧ"_sj},  // 97
    {"い"_sj, "イ"_sj, "ｲ"_sj, "ぃ"_sj, "ィ"_sj, "ｨ"_sj},  // 98
    {"う"_sj, "ウ"_sj, "ｳ"_sj, "ぅ"_sj, "ゥ"_sj, "ｩ"_sj},  // 99
    {"え"_sj, "エ"_sj, "ｴ"_sj, "ぇ"_sj, "ェ"_sj, "ｪ"_sj},  // 100
    {"お"_sj, "オ"_sj, "ｵ"_sj, "ぉ"_sj, "ォ"_sj, "ｫ"_sj},  // 101
    {"か"_sj, "カ"_sj, "ｶ"_sj},  // 102
    {"き"_sj, "キ"_sj, "ｷ"_sj},  // 103
    {"く"_sj, "ク"_sj, "ｸ"_sj},  // 104
    {"け"_sj, "ケ"_sj, "ｹ"_sj},  // 105
    {"こ"_sj, "コ"_sj, "ｺ"_sj},  // 106
    {"さ"_sj, "サ"_sj, "ｻ"_sj},  // 107
    {"し"_sj, "シ"_sj, "ｼ"_sj},  // 108
    {"す"_sj, "ス"_sj, "ｽ"_sj},  // 109
    {"せ"_sj, "セ"_sj, "ｾ"_sj},  // 110
    {"そ"_sj, "ソ"_sj, "ｿ"_sj},  // 111
    {"た"_sj, "タ"_sj, "ﾀ"_sj},  // 112
    {"ち"_sj, "チ"_sj, "ﾁ"_sj},  // 113
    {"つ"_sj, "ツ"_sj, "ﾂ"_sj, "っ"_sj, "ッ"_sj, "ｯ"_sj},  // 114
    {"て"_sj, "テ"_sj, "ﾃ"_sj},  // 115
    {"と"_sj, "ト"_sj, "ﾄ"_sj},  // 116
    {"な"_sj, "ナ"_sj, "ﾅ"_sj},  // 117
    {"に"_sj, "ニ"_sj, "ﾆ"_sj},  // 118
    {"ぬ"_sj, "ヌ"_sj, "ﾇ"_sj},  // 119
    {"ね"_sj, "ネ"_sj, "ﾈ"_sj},  // 120
    {"の"_sj, "ノ"_sj, "ﾉ"_sj},  // 121
    {"は"_sj, "ハ"_sj, "ﾊ"_sj},  // 122
    {"ひ"_sj, "ヒ"_sj, "ﾋ"_sj},  // 123
    {"ふ"_sj, "フ"_sj, "ﾌ"_sj},  // 124
    {"へ"_sj, "ヘ"_sj, "ﾍ"_sj},  // 125
    {"ほ"_sj, "ホ"_sj, "ﾎ"_sj},  // 126
    {"ま"_sj, "マ"_sj, "ﾏ"_sj},  // 127
    {"み"_sj, "ミ"_sj, "ﾐ"_sj},  // 128
    {"む"_sj, "ム"_sj, "ﾑ"_sj},  // 129
    {"め"_sj, "メ"_sj, "ﾒ"_sj},  // 130
    {"も"_sj, "モ"_sj, "ﾓ"_sj},  // 131
    {"や"_sj, "ヤ"_sj, "ﾔ"_sj, "ゃ"_sj, "ャ"_sj, "ｬ"_sj},  // 132
    {"ゆ"_sj, "ユ"_sj, "ﾕ"_sj, "ゅ"_sj, "ュ"_sj, "ｭ"_sj},  // 133
    {"よ"_sj, "ヨ"_sj, "ﾖ"_sj, "ょ"_sj, "ョ"_sj, "ｮ"_sj},  // 134
    {"ら"_sj, "ラ"_sj, "ﾗ"_sj},  // 135
    {"り"_sj, "リ"_sj, "ﾘ"_sj},  // 136
    {"る"_sj, "ル"_sj, "ﾙ"_sj},  // 137
    {"れ"_sj, "レ"_sj, "ﾚ"_sj},  // 138
    {"ろ"_sj, "ロ"_sj, "ﾛ"_sj},  // 139
    {"わ"_sj, "ワ"_sj, "ﾜ"_sj, "うぁ"_sj, "ウァ"_sj, "ｳｧ"_sj},  // 140
    {"ヰ"_sj, "ゐ"_sj, "うぃ"_sj, "ウィ"_sj, "ｳｨ"_sj},  // 141
    {"ヱ"_sj, "ゑ"_sj, "うぇ"_sj, "ウェ"_sj, "ｳｪ"_sj},  // 142
    {"を"_sj, "ヲ"_sj, "ｦ"_sj, "うぉ"_sj, "ウォ"_sj, "ｳｫ"_sj},  // 143
    {"ﾞ"_sj, "゛"_sj},  // 144
    {"ﾟ"_sj, "゜"_sj},  // 145
};

TREDictionary BuildDefaultFuzzyCharDic()
{
    TREDictionary dictionary;
    dictionary.reserve(std::size(kRows));
    for (const auto& row : kRows) dictionary.emplace_back(row.begin(), row.end());
    return dictionary;
}

}  // namespace

const TREDictionary& DefaultFuzzyCharDic()
{
    static const TREDictionary dictionary = BuildDefaultFuzzyCharDic();
    return dictionary;
}
