// The benchmark walks every engine by GSub's rule; this holds that the walk over our own
// engines gives exactly GSub's count and output, so that a peer's count compared with it
// means the same thing.
#include <gtest/gtest.h>

#include "bench/GSubWalk.h"
#include "text/SjisLiteral.h"

namespace {

struct WalkCase {
    std::string pattern;
    std::string text;
    TMatchCORE_LineSeparator separator = mcls_CRLF;
};

TEST(GSubWalk, CountsAndReplacesAsGSub)
{
    const std::string so = SjString("ソ"_sj);
    const std::string kanji = SjString("表示する"_sj);
    const WalkCase cases[] = {
        {"x*", "abxxc"},
        {"x*", ""},
        {"x", ""},
        {"x*", "\r\n" + so + "\r\n"},
        {"x*", "\r\n" + so + "\r\n", mcls_LF},
        {"x*", "\r" + so},
        {"b*", "abbc"},
        {"$", "a\r\nb\r\n"},
        {"$", "a\nb\n", mcls_LF},
        {"^", "a\nb\n"},
        {"^.*$", "ab\r\n\r\ncd"},
        {"^.*$", "ab\n\ncd", mcls_LF},
        {"\\\\", so + "\\" + so + "\\\\"},
        {SjString("[一-龠]+"_sj), kanji + "abc" + kanji},
        {"[^a]", "a" + kanji + "\r\na"},
        {"a|ab", "abab"},
        {".*[^A-Z]|[A-Z]", "ABC"},
    };
    for (const WalkCase& c : cases) {
        for (TREEngine engine : {TREEngine::Fast, TREEngine::Reference}) {
            SCOPED_TRACE("pattern \"" + Cp932ToUtf8(c.pattern) + "\" on \"" + Cp932ToUtf8(c.text) + "\"" +
                         (engine == TREEngine::Fast ? " (fast)" : " (reference)"));
            TAWKStr awk(engine);
            awk.SetLineSeparator(c.separator);
            awk.SetRegExp(c.pattern);
            OurSearcher searcher(awk);
            std::string expected = c.text;
            const int gsubCount = awk.GSub("<&>", expected);

            std::size_t count = 0;
            EXPECT_EQ(ReplaceMatches(searcher, c.text, TextEncoding::Cp932, c.separator, count), expected);
            EXPECT_EQ(count, static_cast<std::size_t>(gsubCount));
            EXPECT_EQ(CountMatches(searcher, c.text, TextEncoding::Cp932, c.separator), count);
        }
    }
}

// A fake engine over UTF-8 that matches every "x" run and the empty string, to hold the
// walk's steps over multi-byte UTF-8 characters and CR LF pairs.
class XRunSearcher : public Searcher {
public:
    std::optional<Span> Find(const std::string& text, std::size_t from) override
    {
        std::size_t end = from;
        while (end < text.size() && text[end] == 'x') ++end;
        return Span{from, end};
    }
};

TEST(GSubWalk, StepsOverWholeUtf8Characters)
{
    struct {
        std::string text;
        TMatchCORE_LineSeparator separator;
        std::string expected;
    } cases[] = {
        {"a\xC3\xA9x", mcls_LF, "<>a<>\xC3\xA9<x>"},
        {"\xE3\x82\xBD\r\nb", mcls_CRLF, "<>\xE3\x82\xBD<>\r\n<>b"},
        {"\xE3\x82\xBD\r\nb", mcls_LF, "<>\xE3\x82\xBD<>\r<>\n<>b"},
        {"\xF0\x9F\x98\x80", mcls_LF, "<>\xF0\x9F\x98\x80"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        XRunSearcher searcher;
        std::size_t count = 0;
        EXPECT_EQ(ReplaceMatches(searcher, c.text, TextEncoding::Utf8, c.separator, count), c.expected);
    }
}

}  // namespace
