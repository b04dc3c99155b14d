// The extended syntax of TREScanner. Every refusal names the construct and the 1-based
// position where it begins, so that a pattern taken from another tool never silently
// means something else here.
#include <string>

#include "regex/Scanner.h"
#include "regex/ScriptClasses.h"
#include "text/SjisLiteral.h"
#include "text/StandIns.h"

namespace {

[[noreturn]] void Refuse(std::string_view what, int position) { throw ERegExpParser(what, position); }

bool IsAsciiLetter(TRECharCode c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(TRECharCode c) { return c >= '0' && c <= '9'; }

}  // namespace

TREToken TREScanner::GetExtendedToken()
{
    Code = GetChar(Text, Position);
    switch (Code) {
    case 0: return retk_End;
    case '$': return retk_LTail;
    case '(': return ReadGroupOpening();
    case ')': return retk_RPar;
    case '*': RefuseLazyOrPossessive(); return retk_Star;
    case '+': RefuseLazyOrPossessive(); return retk_Plus;
    case '?': RefuseLazyOrPossessive(); return retk_QMark;
    case '.': return retk_Dot;
    case '|': return retk_Union;
    case '^': return retk_LHead;
    case '{': return ReadBound();
    case '[': {
        const TRECharCode next = GetChar(Text, Position);
        if (next == 0) Refuse("右ブラケット\"]\"が必要です"_sj, Position);
        if (next == '^') return retk_NegLBra;
        UngetChar(Text, Position);
        return retk_LBra;
    }
    case '\\': return ExtendedEscape(false);
    default: return retk_Char;  // "]" and "}" included
    }
}

// "(", "(?:", or a refused "(?" construct.
TREToken TREScanner::ReadGroupOpening()
{
    const int after = Position;
    if (GetChar(Text, Position) != '?') {
        Position = after;  // (GetChar does not move at the end, so UngetChar would go too far)
        return retk_LPar;
    }
    const TRECharCode kind = GetChar(Text, Position);
    if (kind == ':') return retk_LParNoCapture;
    if (kind == '=' || kind == '!') Refuse("先読み\"(?=\" \"(?!\"は使えません"_sj, TokenStart);
    if (kind == '<') {
        const TRECharCode next = GetChar(Text, Position);
        if (next == '=' || next == '!') Refuse("後読み\"(?<=\" \"(?<!\"は使えません"_sj, TokenStart);
        Refuse("名前付きグループ\"(?<\"は使えません"_sj, TokenStart);
    }
    if (IsAsciiLetter(kind) || kind == '-') Refuse("フラグ指定\"(?i)\"などは使えません"_sj, TokenStart);
    Refuse("\"(?\"で始まるこの構文は使えません"_sj, TokenStart);
}

// After a quantifier: "?" would make it lazy and "+" possessive, neither of which a
// leftmost-longest matcher can honour.
void TREScanner::RefuseLazyOrPossessive()
{
    const int at = Position;
    const TRECharCode next = GetChar(Text, Position);
    Position = at;
    if (next == '?') Refuse("最短一致の繰り返し(\"*?\"など)は使えません"_sj, at);
    if (next == '+') Refuse("強欲な繰り返し(\"*+\"など)は使えません"_sj, at);
}

TREToken TREScanner::ReadBound()
{
    auto readNumber = [this](int& value) {
        bool any = false;
        value = 0;
        for (int at = Position;; at = Position) {
            const TRECharCode c = GetChar(Text, Position);
            if (!IsDigit(c)) {
                Position = at;
                return any;
            }
            any = true;
            value = std::min(value * 10 + (c - '0'), kMaxBound + 1);
        }
    };
    const auto bad = [this] { Refuse("不正な繰り返し回数指定\"{n,m}\"です(n, mは0から1000)"_sj, TokenStart); };
    if (!readNumber(BoundMin)) bad();
    BoundMax = BoundMin;
    TRECharCode c = GetChar(Text, Position);
    if (c == ',') {
        if (!readNumber(BoundMax)) BoundMax = -1;
        c = GetChar(Text, Position);
    }
    if (c != '}' || BoundMin > kMaxBound || BoundMax > kMaxBound || (BoundMax >= 0 && BoundMax < BoundMin)) bad();
    RefuseLazyOrPossessive();
    return retk_Bound;
}

// The escape after a backslash. Outside brackets a class or an assertion may result;
// inside, only a class or a character.
TREToken TREScanner::ExtendedEscape(bool inClass)
{
    const int start = Position - 1;
    Code = GetChar(Text, Position);
    switch (Code) {
    case 0: Refuse("\"\\\"の次には文字が必要です。"_sj, Position);
    case 'd': case 'w': case 's':
        ClassRanges = EscapeClassRanges(static_cast<char>(Code));
        return retk_Class;
    case 'D': case 'W': case 'S':
        ClassRanges = ComplementRanges(EscapeClassRanges(static_cast<char>(Code - 'A' + 'a')));
        return retk_Class;
    case 'p': case 'P': return ReadScriptClass(Code == 'P');
    case 'b': case 'B':
        if (inClass) break;
        return Code == 'b' ? retk_WordBoundary : retk_NotWordBoundary;
    case 'n': case 'r': case 't': case 'x': case '0':
        Position = start + 1;  // DecodeEscape reads the letter again
        Code = DecodeEscape(Text, Position);
        return retk_Char;
    default:
        if (IsDigit(Code)) Refuse("パターン中の後方参照\"\\1\"などは使えません"_sj, start);
        if (!IsAsciiLetter(Code)) return retk_Char;
        break;
    }
    Refuse(SjString("未知のエスケープ\"\\"_sj) + CharToStr(Code) + SjString("\"です"_sj), start);
}

TREToken TREScanner::ReadScriptClass(bool negated)
{
    const int start = Position - 2;
    std::string name;
    bool closed = false;
    if (GetChar(Text, Position) == '{') {
        TRECharCode c = GetChar(Text, Position);
        for (; c != 0 && c != '}'; c = GetChar(Text, Position)) name += CharToStr(c);
        closed = c == '}';
    }
    const auto script = ScriptOfName(name);
    if (!script || !closed)
        Refuse(SjString("未知の文字クラス\"\\p{"_sj) + name + SjString("}\"です(Hiragana, Katakana, Hanが使えます)"_sj), start);
    TRERangeList ranges;
    for (const TRECodeRange& r : ScriptCodeRanges(*script)) ranges.emplace_back(r.Low, r.High);
    ClassRanges = negated ? ComplementRanges(ranges) : ranges;
    return retk_Class;
}

TREToken TREScanner::GetExtendedClassToken()
{
    const bool first = classStart_;
    classStart_ = false;
    const TRECharCode low = GetChar(Text, Position);
    Code = low;
    if (low == 0) Refuse("右ブラケット\"]\"が必要です"_sj, Position);
    if (low == ']' && !first) return retk_RBra;  // first in its brackets it is a member
    TREToken token = retk_Char;
    if (low == '[') {
        const int after = Position;
        const TRECharCode next = GetChar(Text, Position);
        if (next == ':') token = ReadBracketClass();
        else if (next == '=' || next == '.') Refuse("等価クラス\"[=\"・照合要素\"[.\"は使えません"_sj, TokenStart);
        else Position = after;
    } else if (low == '\\') {
        token = ExtendedEscape(true);
    }
    if (token != retk_Class) return ClassRangeFrom(Code, low != '\\');
    // A class cannot end a range: "[\d-z]" would have no meaning.
    const int at = Position;
    if (GetChar(Text, Position) == '-' && GetChar(Text, Position) != ']')
        Refuse("文字クラスは範囲\"-\"の端に使えません"_sj, at);
    Position = at;
    return retk_Class;
}

TREToken TREScanner::ReadBracketClass()
{
    std::string name;
    for (TRECharCode c = GetChar(Text, Position); c != ':'; c = GetChar(Text, Position)) {
        if (c == 0) Refuse("\"[:\"を閉じる\":]\"が必要です"_sj, TokenStart);
        name += CharToStr(c);
    }
    const auto ranges = PosixClassRanges(name);
    if (GetChar(Text, Position) != ']' || !ranges)
        Refuse(SjString("未知の文字クラス\"[:"_sj) + name + SjString(":]\"です"_sj), TokenStart);
    ClassRanges = *ranges;
    return retk_Class;
}

// A member of a bracket that begins with the character low: the character, or a range.
TREToken TREScanner::ClassRangeFrom(TRECharCode low, bool lowWritten)
{
    const int afterLow = Position;
    if (GetChar(Text, Position) != '-') {
        Position = afterLow;
        Code = low;
        return retk_Char;
    }
    TRECharCode high = GetChar(Text, Position);
    if (high == 0) Refuse("右ブラケット\"]\"が必要です"_sj, Position);
    if (high == ']') {  // "-" before the closing bracket is a plain member
        Position = afterLow;
        Code = low;
        return retk_Char;
    }
    const bool highWritten = high != '\\';
    const int afterHigh = Position;
    if (high == '[' && GetChar(Text, Position) == ':') Refuse("文字クラスは範囲\"-\"の端に使えません"_sj, afterLow);
    Position = afterHigh;
    if (!highWritten) {
        if (ExtendedEscape(true) != retk_Char) Refuse("文字クラスは範囲\"-\"の端に使えません"_sj, afterLow);
        high = Code;
    }
    // As in the classic syntax: a stand-in says nothing of its place among the characters.
    if ((lowWritten && IsUnassignedCp932Code(low)) || (highWritten && IsUnassignedCp932Code(high)))
        Refuse("Shift-JISにない文字は文字クラスの範囲の端に使えません"_sj, Position);
    if (high < low) Refuse("不正なキャラクタ範囲です"_sj, Position);
    Code = low;
    HighCode = high;
    return retk_CharRange;
}
