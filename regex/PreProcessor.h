// TREPreProcessor: rewrites a pattern before it is parsed so that each plain literal
// outside a character class also matches its variant forms.
//
// The pattern is scanned into tokens; every run of plain characters is looked up in the
// dictionaries, and a hit is replaced by a group "(" entry "|" entry ... ")" listing the
// whole dictionary row. Class contents and metacharacters are copied byte for byte. Two
// passes exist: synonyms, then fuzzy characters; each runs only when its flag is set.
// In the extended syntax the groups are "(?:" ... ")", which capture nothing, so the
// pattern's own groups keep the numbers they have as written.
#pragma once

#include <string>
#include <vector>

#include "regex/FuzzyCharDic.h"
#include "regex/Scanner.h"

struct TRETokenRec {
    TREToken Token = retk_End;
    TRECharCode Code = 0;
    TRECharCode HighCode = 0;
    int StartPos = 0;
    int EndPos = 0;
};

class TREPreProcessor {
public:
    explicit TREPreProcessor(std::string text);

    void SetRegExpStr(std::string text);
    void Process();

    TREScanner Scanner;
    std::string ProcessedRegExpStr;
    std::vector<const TREDictionary*> SynonymDicList;    // not owned
    std::vector<const TREDictionary*> FuzzyCharDicList;  // not owned
    std::vector<TRETokenRec> TokenList;
    std::string ReplaceStr;
    bool UseFuzzyCharDic = false;
    bool UseSynonymDic = false;
    void SetExtended(bool extended) { Scanner.Extended = extended; }

private:
    using Lookup = int (TREPreProcessor::*)(int first, int last);

    void MakeTokenList();
    void DestroyTokenList();
    void ApplyDictionary(Lookup lookup);
    int FindSynonym(int first, int last);
    int FindFuzzyChar(int first, int last);
    int FindInDictionaries(const std::vector<const TREDictionary*>& list, int first, int last);
    int FindInDictionary(const TREDictionary& dictionary, int first, int last);
    int MatchEntry(const std::string& entry, int first, int last) const;
};
