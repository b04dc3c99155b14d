#include "regex/Scanner.h"

#include "text/SjisLiteral.h"
#include "text/StandIns.h"

namespace {

[[noreturn]] void ThrowMissingBracket(int position)
{
    throw ERegExpParser("右ブラケット\"]\"が必要です"_sj, position);
}

}  // namespace

TREScanner::TREScanner(std::string text) { SetText(std::move(text)); }

void TREScanner::SetText(std::string text)
{
    Text = std::move(text);
    Position = 1;
    InClass = false;
}

TREToken TREScanner::GetToken()
{
    TokenStart = Position;
    if (InClass) {
        Token = Extended ? GetExtendedClassToken() : GetClassToken();
        if (Token == retk_RBra) InClass = false;
    } else {
        Token = Extended ? GetExtendedToken() : GetNormalToken();
        if (Token == retk_LBra || Token == retk_NegLBra) InClass = classStart_ = true;
    }
    return Token;
}

TREToken TREScanner::GetNormalToken()
{
    Code = GetChar(Text, Position);
    switch (Code) {
    case 0: return retk_End;
    case '$': return retk_LTail;
    case '(': return retk_LPar;
    case ')': return retk_RPar;
    case '*': return retk_Star;
    case '+': return retk_Plus;
    case '.': return retk_Dot;
    case '?': return retk_QMark;
    case '|': return retk_Union;
    case ']': return retk_RBra;
    case '^': return retk_LHead;
    case '[': {
        const TRECharCode next = GetChar(Text, Position);
        if (next == 0) ThrowMissingBracket(Position);
        if (next == '^') return retk_NegLBra;
        UngetChar(Text, Position);
        return retk_LBra;
    }
    case '\\':
        Code = DecodeEscape(Text, Position);
        return retk_Char;
    default: return retk_Char;
    }
}

TREToken TREScanner::GetClassToken()
{
    TRECharCode lo = GetChar(Text, Position);
    Code = lo;
    if (lo == 0) ThrowMissingBracket(Position);
    if (lo == ']') return retk_RBra;
    const bool lowWritten = lo != '\\';
    if (!lowWritten) lo = DecodeEscape(Text, Position);

    const TRECharCode next = GetChar(Text, Position);
    if (next == '-') {
        TRECharCode hi = GetChar(Text, Position);
        if (hi == 0) ThrowMissingBracket(Position);
        if (hi == ']') {
            // "-" before the closing bracket is a plain member: give it back.
            UngetChar(Text, Position);
            UngetChar(Text, Position);
            Code = lo;
            return retk_Char;
        }
        const bool highWritten = hi != '\\';
        if (!highWritten) hi = DecodeEscape(Text, Position);
        // A character beyond CP932 is written as a stand-in code that says nothing of its
        // place among the characters: [a-é] would take in whatever codes lie between. An
        // escape (\xfcfc) means the code itself and may end a range.
        if ((lowWritten && IsUnassignedCp932Code(lo)) || (highWritten && IsUnassignedCp932Code(hi)))
            throw ERegExpParser("Shift-JISにない文字は文字クラスの範囲の端に使えません"_sj, Position);
        if (hi < lo) throw ERegExpParser("不正なキャラクタ範囲です"_sj, Position);
        Code = lo;
        HighCode = hi;
        return retk_CharRange;
    }
    if (next == 0) ThrowMissingBracket(Position);
    UngetChar(Text, Position);
    Code = lo;
    return retk_Char;
}
