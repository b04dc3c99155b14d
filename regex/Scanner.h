// TREScanner: pattern text to tokens, one at a time, in two modes.
//
// Outside a character class the metacharacters are tokens of their own; inside one (after
// "[" or "[^" until "]") only "]", "\" and "-" are special, and "a-z" is one range token.
// Escapes are decoded here, so later stages never see a backslash.
#pragma once

#include <cstdint>
#include <string>

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

protected:
    virtual TREToken GetNormalToken();
    virtual TREToken GetClassToken();
};
