// The benchmark's rewriting of our patterns for the peers: the differences it must bridge
// ("." and negated classes exclude CR and LF, "$" before the separator, CP932 classes as
// Unicode sets) and the patterns a peer cannot take.
#include <gtest/gtest.h>

#include "bench/PatternTranslation.h"
#include "text/Cp932.h"
#include "text/SjisLiteral.h"

namespace {

struct TranslationCase {
    std::string pattern;
    PeerSyntax syntax;
    TMatchCORE_LineSeparator separator;
    std::string expected;
};

TEST(PatternTranslation, BridgesTheDifferences)
{
    const PeerSyntax onig = PeerSyntax::OnigurumaSjis;
    const PeerSyntax re2 = PeerSyntax::Re2Utf8;
    const PeerSyntax pcre2 = PeerSyntax::Pcre2Utf8;
    const PeerSyntax sed = PeerSyntax::SedUtf8;
    const TranslationCase cases[] = {
        {"a.b", re2, mcls_LF, "a[^\\x{D}\\x{A}]b"},
        {"a.b", onig, mcls_LF, "a[^\\x0D\\x0A]b"},
        {"a.b", sed, mcls_LF, "a[^\r]b"},
        {"[^ -~]+", pcre2, mcls_CRLF, "[^\\x{20}-\\x{7E}\\x{D}\\x{A}]+"},
        {"(a|b)*", onig, mcls_LF, "(?:a|b)*"},
        {"(a|b)*", sed, mcls_LF, "(a|b)*"},
        {"^ab$", re2, mcls_LF, "(?m:^)ab(?m:$)"},
        {"^ab$", re2, mcls_CRLF, "(?m:^)ab(?:\\x{D}|\\z)"},
        {"^ab$", pcre2, mcls_CRLF, "^ab(?=\\x0D|\\z)"},
        {"^ab$", onig, mcls_LF, "^ab(?=\\x0A|\\z)"},
        {"a\\.b?", sed, mcls_LF, "a\\.b?"},
        {"\\\\", onig, mcls_LF, "\\x5C"},
        // Oniguruma stays in CP932: the trail byte 0x5C of 表 goes through as it is.
        {SjString("表"_sj), onig, mcls_LF, SjString("表"_sj)},
        {SjString("表"_sj), re2, mcls_LF, "\\x{8868}"},
        // ア to ウ in CP932 code order are five katakana, one run in Unicode too.
        {SjString("[ア-ウ]"_sj), re2, mcls_LF, "[\\x{30A2}-\\x{30A6}]"},
        // 亜 0x889F and 唖 0x88A0 are neighbours in CP932 but far apart in Unicode.
        {SjString("[亜-唖]"_sj), pcre2, mcls_LF, "[\\x{4E9C}\\x{5516}]"},
        {SjString("[亜-唖]"_sj), sed, mcls_LF, SjString("[") + "\xE4\xBA\x9C\xE5\x94\x96]"},
    };
    for (const TranslationCase& c : cases) {
        SCOPED_TRACE("pattern \"" + Cp932ToUtf8(c.pattern) + "\" for syntax " + std::to_string(int(c.syntax)));
        EXPECT_EQ(TranslatePattern(c.pattern, c.syntax, c.separator), c.expected);
    }
}

TEST(PatternTranslation, RefusesWhatAPeerCannotExpress)
{
    const TranslationCase cases[] = {
        {"a^b", PeerSyntax::Re2Utf8, mcls_LF, ""},
        {"a$b", PeerSyntax::Pcre2Utf8, mcls_LF, ""},
        {"ab$", PeerSyntax::SedUtf8, mcls_CRLF, ""},   // sed's "$" is before LF only
        {"a\\nb", PeerSyntax::SedUtf8, mcls_LF, ""},   // sed sees one line at a time
        {"[a-]", PeerSyntax::SedUtf8, mcls_LF, ""},    // a bracket member sed needs placed
    };
    for (const TranslationCase& c : cases) {
        SCOPED_TRACE(c.pattern);
        EXPECT_THROW(TranslatePattern(c.pattern, c.syntax, c.separator), EPeerCannotExpress);
    }
}

}  // namespace
