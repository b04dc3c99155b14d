// TREScanner: pattern text to tokens, one at a time, in two modes.
//
// Outside a character class the metacharacters are tokens of their own; inside one (after
// "[" or "[^" until "]") only "]", "\" and "-" are special, and "a-z" is one range token.
// Escapes are decoded here, so later stages never see a backslash.
//
// With Extended set the scanner reads the extended syntax (ExtendedScanner.cpp): "(?:",
// counted repetition, class escapes and bracket classes, word boundaries, "]" as a
// character; and it refuses what the engine cannot do (lookaround, back-references, lazy
// and possessive quantifiers, inline flags, unknown escapes, bad bounds), naming the
// construct and the position where it begins.
#pragma once

#include <cstdint>
#include <string>

#include "regex/CharClasses.h"
#include "regex/CharCode.h"

enum TREToken : std::uint8_t {
    retk_Char = 0,
    retk_CharRange = 1,
    retk_Union = 2,
    retk_LPar = 3,
    retk_RPar = 4,
    retk_Star = 5,
    retk_Plus = 6,
    retk_QMark = 7,
    retk_LBra = 8,
    retk_NegLBra = 9,
    retk_RBra = 10,
    retk_Dot = 11,
    retk_LHead = 12,
    retk_LTail = 13,
    retk_End = 14,
    // The extended syntax only:
    retk_LParNoCapture = 15,  // "(?:"
    retk_Bound = 16,          // "{n}" "{n,}" "{n,m}": BoundMin, BoundMax
    retk_Class = 17,          // "\d", "\p{Han}", "[:alpha:]" ...: ClassRanges
    retk_WordBoundary = 18,
    retk_NotWordBoundary = 19,
};

class TREScanner {
public:
    explicit TREScanner(std::string text);
    virtual ~TREScanner() = default;

    void SetText(std::string text);
    TREToken GetToken();

    std::string Text;
    int Position = 1;
    TREToken Token = retk_End;
    TRECharCode Code = 0;
    TRECharCode HighCode = 0;
    bool InClass = false;
    bool Extended = false;
    int TokenStart = 1;  // where the current token begins
    int BoundMin = 0;
    int BoundMax = 0;  // -1: no upper bound
    TRERangeList ClassRanges;

    static constexpr int kMaxBound = 1000;

protected:
    virtual TREToken GetNormalToken();
    virtual TREToken GetClassToken();

private:
    bool classStart_ = false;  // the next class token is the first of its bracket
    TREToken GetExtendedToken();
    TREToken GetExtendedClassToken();
    TREToken ExtendedEscape(bool inClass);
    TREToken ReadGroupOpening();
    TREToken ReadBound();
    TREToken ReadScriptClass(bool negated);
    TREToken ReadBracketClass();
    TREToken ClassRangeFrom(TRECharCode low, bool lowWritten);
    void RefuseLazyOrPossessive();
};
