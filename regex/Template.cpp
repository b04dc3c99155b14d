#include "regex/Template.h"

#include <algorithm>

#include "regex/CharCode.h"
#include "text/SjisLiteral.h"

bool TRETemplate::NeedsGroups() const
{
    return std::any_of(references.begin(), references.end(), [](int r) { return r != 0; });
}

std::string TRETemplate::Expand(std::string_view matched) const
{
    std::string result;
    AppendExpansion(result, matched);
    return result;
}

void TRETemplate::AppendExpansion(std::string& out, std::string_view matched) const
{
    out += literals.front();
    for (std::size_t i = 1; i < literals.size(); ++i) {
        out += matched;
        out += literals[i];
    }
}

void TRETemplate::AppendExpansion(std::string& out, const std::vector<TMatchResult>& groups) const
{
    out += literals.front();
    for (std::size_t i = 1; i < literals.size(); ++i) {
        const TMatchResult& g = groups[static_cast<std::size_t>(references[i - 1])];
        if (g.Found()) out.append(g.Start, g.End);
        out += literals[i];
    }
}

std::string DecodeTemplateEscapes(std::string_view s)
{
    std::string result;
    int position = 1;
    for (TRECharCode ch = GetChar(s, position); ch != 0; ch = GetChar(s, position)) {
        if (ch == '\\') ch = DecodeEscape(s, position);
        result += CharToStr(ch);
    }
    return result;
}

TRETemplate PrepareClassicTemplate(std::string_view templateText)
{
    // Pass 1: protect escaped ampersands, so that decoding cannot turn them into "&".
    std::string protectedText;
    int position = 1;
    for (TRECharCode ch = GetChar(templateText, position); ch != 0; ch = GetChar(templateText, position)) {
        if (ch == '\\') {
            protectedText += '\\';
            ch = GetChar(templateText, position);
            if (ch == '&') protectedText += '\\';
        }
        protectedText += CharToStr(ch);
    }
    // Pass 2: decode the escapes.
    const std::string decoded = DecodeTemplateEscapes(protectedText);
    // Pass 3: "&" is the match, "\&" a literal ampersand.
    TRETemplate prepared;
    prepared.literals.emplace_back();
    position = 1;
    for (TRECharCode ch = GetChar(decoded, position); ch != 0; ch = GetChar(decoded, position)) {
        if (ch == '&') {
            prepared.literals.emplace_back();
            prepared.references.push_back(0);
        } else if (ch == '\\') {
            const TRECharCode next = GetChar(decoded, position);
            if (next == '&') {
                prepared.literals.back() += '&';
            } else {
                if (next != 0) UngetChar(decoded, position);
                prepared.literals.back() += '\\';
            }
        } else {
            prepared.literals.back() += CharToStr(ch);
        }
    }
    return prepared;
}

namespace {

bool IsDigit(TRECharCode c) { return c >= '0' && c <= '9'; }

void AddReference(TRETemplate& t, int group, int groupCount, int position)
{
    if (group > groupCount)
        throw ERegExpParser(SjString("置換文字列の参照する"_sj) + std::to_string(group) +
                                SjString("番目の括弧がパターンにありません"_sj),
                            position);
    t.references.push_back(group);
    t.literals.emplace_back();
}

// After "$" (at position - 1): a group reference, "$$", or a literal "$".
void ReadDollar(std::string_view text, int& position, TRETemplate& t, int groupCount)
{
    const int start = position - 1;
    const int after = position;
    const TRECharCode next = GetChar(text, position);
    if (next == '$') return void(t.literals.back() += '$');
    if (IsDigit(next) && next != '0') return AddReference(t, next - '0', groupCount, start);
    if (next == '{') {
        int group = 0, digits = 0;
        TRECharCode c = GetChar(text, position);
        for (; IsDigit(c) && digits < 3; c = GetChar(text, position), ++digits) group = group * 10 + (c - '0');
        if (c != '}' || digits == 0 || group > 99)
            throw ERegExpParser("置換文字列の\"${n}\"が不正です(nは0から99)"_sj, start);
        return AddReference(t, group, groupCount, start);
    }
    position = after;
    t.literals.back() += '$';
}

}  // namespace

TRETemplate PrepareExtendedTemplate(std::string_view text, int groupCount)
{
    TRETemplate t;
    t.literals.emplace_back();
    int position = 1;
    for (TRECharCode ch = GetChar(text, position); ch != 0; ch = GetChar(text, position)) {
        if (ch == '&') {
            AddReference(t, 0, groupCount, position - 1);
        } else if (ch == '$') {
            ReadDollar(text, position, t, groupCount);
        } else if (ch == '\\') {
            const int start = position - 1;
            const TRECharCode next = GetChar(text, position);
            if (IsDigit(next)) {
                AddReference(t, next - '0', groupCount, start);
            } else if (next == '&' || next == '$') {
                t.literals.back() += static_cast<char>(next);
            } else {
                position = start + 1;
                t.literals.back() += CharToStr(DecodeEscape(text, position));
            }
        } else {
            t.literals.back() += CharToStr(ch);
        }
    }
    return t;
}
