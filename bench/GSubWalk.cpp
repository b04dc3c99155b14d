#include "bench/GSubWalk.h"

#include <algorithm>

namespace {

std::size_t CharLength(const std::string& text, std::size_t pos, TextEncoding encoding,
                       TMatchCORE_LineSeparator separator)
{
    const auto b = static_cast<unsigned char>(text[pos]);
    std::size_t length = 1;
    if (separator == mcls_CRLF && b == 0x0D && pos + 1 < text.size() && text[pos + 1] == 0x0A) {
        length = 2;
    } else if (encoding == TextEncoding::Cp932) {
        length = CharLengthAt(text, pos);
    } else if (b >= 0xC0) {
        length = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : 2;
    }
    return std::min(length, text.size() - pos);
}

template <typename OnMatch, typename OnSkip>
std::size_t Walk(Searcher& searcher, const std::string& text, TextEncoding encoding,
                 TMatchCORE_LineSeparator separator, OnMatch onMatch, OnSkip onSkip)
{
    std::optional<Span> m = searcher.Find(text, 0);
    if (!m) return 0;
    std::size_t count = 0;
    for (;;) {
        onMatch(*m);
        ++count;
        std::size_t end = m->End;
        if (m->Start == m->End && end < text.size()) {
            const std::size_t next = end + CharLength(text, end, encoding, separator);
            onSkip(end, next);
            end = next;
        }
        if (end >= text.size()) break;
        m = searcher.Find(text, end);
        if (!m) break;
    }
    return count;
}

}  // namespace

std::size_t CountMatches(Searcher& searcher, const std::string& text, TextEncoding encoding,
                         TMatchCORE_LineSeparator separator)
{
    return Walk(searcher, text, encoding, separator, [](const Span&) {}, [](std::size_t, std::size_t) {});
}

std::string ReplaceMatches(Searcher& searcher, const std::string& text, TextEncoding encoding,
                           TMatchCORE_LineSeparator separator, std::size_t& count)
{
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    std::size_t copied = 0;
    count = Walk(
        searcher, text, encoding, separator,
        [&](const Span& m) {
            out.append(text, copied, m.Start - copied);
            out += '<';
            out.append(text, m.Start, m.End - m.Start);
            out += '>';
            copied = m.End;
        },
        [&](std::size_t from, std::size_t to) {
            out.append(text, from, to - from);
            copied = to;
        });
    out.append(text, copied, std::string::npos);
    return out;
}

std::optional<Span> OurSearcher::Find(const std::string& text, std::size_t from)
{
    const char* begin = text.c_str();
    if (from == 0) memo_.emplace(begin, begin + text.size());
    TSearchMemo* memo = memo_ ? &*memo_ : nullptr;
    const bool lineStart = from == 0 || text[from - 1] == '\n';
    TMatchResult m;
    if (!lineStart) {
        m = awk_.SearchRest(begin + from, memo);
    } else if (awk_.HasLineHead() || awk_.HasLineTail()) {
        m = awk_.SearchLineAware(begin + from, memo);
    } else {
        m = awk_.SearchPlain(begin + from, memo);
    }
    if (!m.Found()) return std::nullopt;
    return Span{static_cast<std::size_t>(m.Start - begin), static_cast<std::size_t>(m.End - begin)};
}

