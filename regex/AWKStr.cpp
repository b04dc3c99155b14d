#include "regex/AWKStr.h"

#include <cstring>

TAWKStr::TAWKStr(TREEngine engine) : TMatchCORE(engine) { FuzzyCharDic().push_back(&DefaultFuzzyCharDic()); }

void TAWKStr::SetRegExp(const std::string& value)
{
    TMatchCORE::SetRegExp(value);
    SearchProc = (HasLineHead() || HasLineTail()) ? &TMatchCORE::SearchLineAware : &TMatchCORE::SearchPlain;
}

int TAWKStr::Match(const std::string& text, int& start, int& length) const
{
    const char* begin = text.c_str();
    const TMatchResult m = (this->*SearchProc)(begin, nullptr);
    if (!m.Found()) {
        start = 0;
        length = 0;
        return 0;
    }
    start = static_cast<int>(m.Start - begin) + 1;
    length = static_cast<int>(m.End - m.Start);
    return start;
}

std::string TAWKStr::ProcessEscSeq(std::string_view s) const
{
    std::string result;
    int position = 1;
    for (TRECharCode ch = GetChar(s, position); ch != 0; ch = GetChar(s, position)) {
        if (ch == '\\') ch = DecodeEscape(s, position);
        result += CharToStr(ch);
    }
    return result;
}

TAWKStr::TPreparedTemplate TAWKStr::PrepareReplacement(std::string_view templateText) const
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
    const std::string decoded = ProcessEscSeq(protectedText);
    // Pass 3: "&" is the match, "\&" a literal ampersand.
    TPreparedTemplate prepared;
    prepared.literals.emplace_back();
    position = 1;
    for (TRECharCode ch = GetChar(decoded, position); ch != 0; ch = GetChar(decoded, position)) {
        if (ch == '&') {
            prepared.literals.emplace_back();
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

std::string TAWKStr::TPreparedTemplate::Expand(std::string_view matched) const
{
    std::string result;
    AppendExpansion(result, matched);
    return result;
}

void TAWKStr::TPreparedTemplate::AppendExpansion(std::string& out, std::string_view matched) const
{
    out += literals.front();
    for (std::size_t i = 1; i < literals.size(); ++i) {
        out += matched;
        out += literals[i];
    }
}

std::string TAWKStr::MakeReplacement(std::string_view templateText, std::string_view matched) const
{
    return PrepareReplacement(templateText).Expand(matched);
}

int TAWKStr::GSub(const std::string& templateText, std::string& text) const
{
    // The subject ends at the first zero byte, as for every reader of the engine; any
    // bytes after it are kept unchanged behind the result.
    const char* const begin = text.c_str();
    const char* const subjectEnd = begin + std::strlen(begin);

    TSearchMemo memo(begin, subjectEnd);
    TMatchResult m = (this->*SearchProc)(begin, &memo);
    if (!m.Found()) return 0;
    const TPreparedTemplate prepared = PrepareReplacement(templateText);
    if (begin == subjectEnd) {
        text = prepared.Expand({}) + text;
        return 1;
    }

    std::string acc;
    // Most replaces change the length little: one allocation instead of a dozen regrowths,
    // each of which copies the text and, for large texts, faults in fresh pages.
    acc.reserve(text.size() + text.size() / 8);
    const char* rest = begin;
    int count = 0;
    for (;;) {
        acc.append(rest, m.Start);
        prepared.AppendExpansion(acc, std::string_view(m.Start, static_cast<std::size_t>(m.End - m.Start)));
        const char* end = m.End;
        if (m.Start == m.End && end < subjectEnd) {
            // An empty match: copy the character after it unchanged. A CR LF pair counts
            // as one character under CR LF separation, so "$" cannot match between them;
            // a CR before anything else is one byte, so a double-byte character after it
            // is never cut.
            const unsigned char b = static_cast<unsigned char>(*end);
            const bool pair = (IsLeadByte(b) || (LineSeparator() == mcls_CRLF && b == 0x0D && end[1] == 0x0A)) &&
                              end + 1 < subjectEnd;
            const char* next = end + (pair ? 2 : 1);
            acc.append(end, next);
            end = next;
        }
        ++count;
        const bool lineHead = FollowsLineFeed(m.Start, end);
        rest = end;
        if (rest == subjectEnd) break;
        m = lineHead ? (this->*SearchProc)(rest, &memo) : SearchRest(rest, &memo);
        if (!m.Found()) break;
    }
    acc.append(rest, static_cast<std::size_t>(text.size() - static_cast<std::size_t>(rest - begin)));
    text = std::move(acc);
    return count;
}
