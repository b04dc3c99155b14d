#include "regex/PreProcessor.h"

TREPreProcessor::TREPreProcessor(std::string text) : Scanner(std::move(text)) {}

void TREPreProcessor::SetRegExpStr(std::string text) { Scanner.SetText(std::move(text)); }

void TREPreProcessor::Process()
{
    ProcessedRegExpStr = Scanner.Text;
    if (UseSynonymDic) {
        ApplyDictionary(&TREPreProcessor::FindSynonym);
        Scanner.SetText(ProcessedRegExpStr);
    }
    if (UseFuzzyCharDic) ApplyDictionary(&TREPreProcessor::FindFuzzyChar);
}

void TREPreProcessor::DestroyTokenList() { TokenList.clear(); }

void TREPreProcessor::MakeTokenList()
{
    DestroyTokenList();
    int previous = Scanner.Position;
    for (TREToken kind = Scanner.GetToken(); kind != retk_End; kind = Scanner.GetToken()) {
        TokenList.push_back({kind, Scanner.Code, Scanner.HighCode, previous, Scanner.Position});
        previous = Scanner.Position;
    }
    TokenList.push_back({});
}

void TREPreProcessor::ApplyDictionary(Lookup lookup)
{
    ProcessedRegExpStr.clear();
    MakeTokenList();
    const std::string& pattern = Scanner.Text;
    auto sourceText = [&](const TRETokenRec& t) {
        if (t.Token == retk_End) return std::string_view();  // the closing record covers nothing
        return std::string_view(pattern).substr(static_cast<std::size_t>(t.StartPos - 1),
                                                static_cast<std::size_t>(t.EndPos - t.StartPos));
    };
    bool inClass = false;
    int i = 0;
    const int count = static_cast<int>(TokenList.size());
    while (i < count) {
        const TRETokenRec& t = TokenList[i];
        if (t.Token == retk_LBra || t.Token == retk_NegLBra) inClass = true;
        if (t.Token == retk_RBra) inClass = false;
        if (t.Token != retk_Char || inClass) {
            ProcessedRegExpStr += sourceText(t);
            ++i;
            continue;
        }
        int j = i;
        while (TokenList[j].Token == retk_Char) ++j;  // the closing retk_End record stops it
        while (i < j) {
            const int k = (this->*lookup)(i, j);
            if (k == -1) {
                ProcessedRegExpStr += sourceText(TokenList[i]);
                ++i;
            } else {
                ProcessedRegExpStr += ReplaceStr;
                i = k;
            }
        }
    }
}

int TREPreProcessor::FindSynonym(int first, int last) { return FindInDictionaries(SynonymDicList, first, last); }

int TREPreProcessor::FindFuzzyChar(int first, int last) { return FindInDictionaries(FuzzyCharDicList, first, last); }

int TREPreProcessor::FindInDictionaries(const std::vector<const TREDictionary*>& list, int first, int last)
{
    for (const TREDictionary* dictionary : list) {
        const int k = FindInDictionary(*dictionary, first, last);
        if (k != -1) return k;
    }
    return -1;
}

int TREPreProcessor::FindInDictionary(const TREDictionary& dictionary, int first, int last)
{
    for (const auto& row : dictionary) {
        for (const auto& entry : row) {
            const int k = MatchEntry(entry, first, last);
            if (k == -1) continue;
            ReplaceStr = Scanner.Extended ? "(?:" : "(";
            for (std::size_t e = 0; e < row.size(); ++e) {
                if (e > 0) ReplaceStr += '|';
                ReplaceStr += QuoteMetaChars(row[e], Scanner.Extended);
            }
            ReplaceStr += ')';
            return k;
        }
    }
    return -1;
}

int TREPreProcessor::MatchEntry(const std::string& entry, int first, int last) const
{
    if (entry.empty()) return -1;
    int position = 1;
    int token = first;
    for (TRECharCode ch = GetChar(entry, position); ch != 0; ch = GetChar(entry, position)) {
        if (token >= last || TokenList[token].Code != ch) return -1;
        ++token;
    }
    return token;
}
