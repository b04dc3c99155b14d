// Hostile patterns, templates and texts for the regular-expression engine: deep nesting,
// patterns of hundreds of thousands of characters, zero bytes and lone lead bytes, every
// byte value in a short text, and the fuzz corpora. Each ends in a result or a clear
// pattern error, and the fast engine agrees with the reference.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "text/SjisLiteral.h"
#include "regex/RegExp.h"
#include "support/TempDir.h"

namespace {

// A literal's CP932 bytes as a string; clang 14 crashes on std::string("..."_sj) in
// some declarations.
std::string Sj(std::string_view bytes) { return std::string(bytes); }

struct Outcome {
    std::string error;  // empty: compiled
    int start = 0;
    int length = 0;
};

Outcome MatchWith(TREEngine engine, const std::string& pattern, const std::string& text, bool fuzzy = false)
{
    TAWKStr awk(engine);
    awk.SetUseFuzzyCharDic(fuzzy);
    Outcome o;
    try {
        awk.SetRegExp(pattern);
    } catch (const ERegExpParser& e) {
        o.error = e.what();
        return o;
    }
    awk.Match(text, o.start, o.length);
    return o;
}

std::string Repeat(std::string_view piece, int times)
{
    std::string s;
    for (int i = 0; i < times; ++i) s += piece;
    return s;
}

std::string TooDeep() { return Sj("括弧の入れ子が深すぎます"_sj); }
std::string TooComplex() { return Sj("正規表現が複雑すぎます"_sj); }

TEST(HostilePattern, DeepNestingIsAClearErrorOnBothEngines)
{
    const struct {
        const char* name;
        std::string pattern;
        Outcome want;
    } rows[] = {
        {"50,000 levels", Repeat("(", 50'000) + "a" + Repeat(")", 50'000), {TooDeep()}},
        {"50,000 unclosed levels", Repeat("(", 50'000), {TooDeep()}},
        {"1001 levels", Repeat("(", 1001) + "a" + Repeat(")", 1001), {TooDeep()}},
        {"1000 levels", Repeat("(", 1000) + "a" + Repeat(")", 1000), {"", 2, 1}},
        {"1000 levels of alternation", Repeat("(b|", 1000) + "a" + Repeat(")", 1000), {"", 1, 1}},
        {"50,000 closing parentheses", "a" + Repeat(")", 50'000), {Sj("正規表現に余分な文字があります"_sj)}},
    };
    for (const auto& row : rows) {
        for (const TREEngine engine : {TREEngine::Fast, TREEngine::Reference}) {
            const Outcome got = MatchWith(engine, row.pattern, "ba");
            const char* engineName = engine == TREEngine::Fast ? "fast" : "reference";
            EXPECT_EQ(got.error, row.want.error) << row.name << " / " << engineName;
            EXPECT_EQ(got.start, row.want.start) << row.name << " / " << engineName;
            EXPECT_EQ(got.length, row.want.length) << row.name << " / " << engineName;
        }
    }
}

// The fast engine compiles and matches them; the reference either gives the same match or
// raises its bound on the automaton's size.
TEST(HostilePattern, LongPatternsMatchOrAreTooComplexForTheReference)
{
    std::string letters, kanji, alternation, overlapping = "[";
    for (int i = 0; i < 300'000; ++i) letters += static_cast<char>('a' + i % 26);
    for (int i = 0; i < 150'000; ++i) kanji += Sj("漢字"_sj).substr(static_cast<std::size_t>(i % 2) * 2, 2);
    for (int i = 0; i < 100'000; ++i) alternation += std::string(i ? "|" : "") + char('a' + i % 26) + char('a' + (i / 26) % 26);
    // Ranges that all start at one code and end one apart: every pair overlaps.
    for (int trail = 0x40; trail <= 0xFC; ++trail)
        if (trail != 0x7F) overlapping += "\x88\x9f-\x89" + std::string(1, static_cast<char>(trail));
    overlapping += "]";
    const struct {
        const char* name;
        std::string pattern;
        std::string text;
        bool fuzzy;
        int start, length;
    } rows[] = {
        {"300,000 literal letters", letters, "zz" + letters, false, 3, 300'000},
        {"300,000 literal letters, one short", letters, letters.substr(1), false, 0, 0},
        {"150,000 literal kanji", kanji, "a" + kanji, false, 2, 300'000},
        {"alternation of 100,000 words", alternation, "  zy", false, 3, 2},
        {"class of 300,000 members", "[" + letters + "]", "  q", false, 3, 1},
        {"class of 188 overlapping ranges", overlapping, std::string("  \x89\x40"), false, 3, 2},
        {"10,000 optional letters", Repeat("a?", 10'000), "aaab", false, 1, 3},
        {"50,000 any-character closures", Repeat(".*", 50'000), "abc\r\nd", false, 1, 3},
        {"5,000 letters, ignoring case", letters.substr(0, 5'000), "-" + letters.substr(0, 5'000), true, 2, 5'000},
    };
    for (const auto& row : rows) {
        const Outcome fast = MatchWith(TREEngine::Fast, row.pattern, row.text, row.fuzzy);
        EXPECT_EQ(fast.error, "") << row.name;
        EXPECT_EQ(fast.start, row.start) << row.name;
        EXPECT_EQ(fast.length, row.length) << row.name;
        const Outcome reference = MatchWith(TREEngine::Reference, row.pattern, row.text, row.fuzzy);
        if (!reference.error.empty()) {
            EXPECT_EQ(reference.error, TooComplex()) << row.name;
            continue;
        }
        EXPECT_EQ(reference.start, row.start) << row.name;
        EXPECT_EQ(reference.length, row.length) << row.name;
    }
}

// A long literal with case ignored widens every letter to its variants, and every letter
// of the text where the literal could begin again starts an attempt that stays alive: the
// lazy automaton must hold one state per letter within its budget, or it forgets its
// cache again and again and each step rebuilds a state for every live attempt.
TEST(HostilePattern, LongLiteralIgnoringCaseMatchesWithoutForgettingTheCache)
{
    std::string letters;
    for (int i = 0; i < 20'000; ++i) letters += static_cast<char>('a' + i % 26);
    TAWKStr awk(TREEngine::Fast);
    awk.SetUseFuzzyCharDic(true);
    awk.SetRegExp(letters);
    int start = 0, length = 0;
    awk.Match("-" + letters, start, length);
    EXPECT_EQ(start, 2);
    EXPECT_EQ(length, 20'000);
    EXPECT_EQ(awk.CurrentLazyDFA().ResetCount(), 0u);
}

struct GSubOutcome {
    std::string error;
    int count = 0;
    std::string text;
};

GSubOutcome GSubWith(TAWKStr& awk, const std::string& templateText, const std::string& text)
{
    GSubOutcome o{"", 0, text};
    try {
        o.count = awk.GSub(templateText, o.text);
    } catch (const ERegExpParser& e) {
        o.error = e.what();
    }
    return o;
}

// A zero byte ends a text or a pattern or a template for the engine; bytes after it in a
// text are kept behind the result. A lone lead byte ending a text is a character of its
// own; ending a pattern or a template it is an error.
TEST(HostilePattern, ZeroBytesAndLoneLeadBytesGiveDefinedResults)
{
    const std::string badDoubleByte = Sj("不正な２バイト文字コードです。"_sj);
    const std::string z(1, '\0');
    const struct {
        const char* name;
        std::string pattern, templateText, text;
        Outcome match;
        GSubOutcome gsub;
    } rows[] = {
        {"zero byte ends the text", "b", "<&>", "ab" + z + "b", {"", 2, 1}, {"", 1, "a<b>" + z + "b"}},
        {"text starting with a zero byte", "b", "<&>", z + "b", {"", 0, 0}, {"", 0, z + "b"}},
        {"empty match on a text starting with a zero byte", "x*", "<&>", z + "ab", {"", 1, 0}, {"", 1, "<>" + z + "ab"}},
        {"zero byte ends the pattern", "a" + z + "b", "<&>", "xab", {"", 2, 1}, {"", 1, "x<a>b"}},
        {"zero byte ends the template", "a", "<" + z + ">", "xab", {"", 2, 1}, {"", 1, "x<b"}},
        {"lone lead byte ends the text", ".", "<&>", "a\x82", {"", 1, 1}, {"", 2, "<a><\x82>"}},
        {"lone lead byte before a zero byte", ".", "<&>", "\x82" + z + "a", {"", 1, 1}, {"", 1, "<\x82>" + z + "a"}},
        {"line end after a lone lead byte", "$", "<&>", "ab\x82", {"", 4, 0}, {"", 1, "ab\x82<>"}},
        {"lone lead byte ends the template", "a", "x\x82", "ab", {"", 1, 1}, {badDoubleByte, 0, "ab"}},
        {"lone lead byte ends the template, no match", "q", "x\x82", "ab", {"", 0, 0}, {"", 0, "ab"}},
        {"lone lead byte ends the pattern", "a\x82", "<&>", "a\x82", {badDoubleByte}, {}},
    };
    for (const auto& row : rows) {
        for (const TREEngine engine : {TREEngine::Fast, TREEngine::Reference}) {
            const char* engineName = engine == TREEngine::Fast ? "fast" : "reference";
            TAWKStr awk(engine);
            try {
                awk.SetRegExp(row.pattern);
            } catch (const ERegExpParser& e) {
                EXPECT_EQ(e.what(), row.match.error) << row.name << " / " << engineName;
                continue;
            }
            EXPECT_EQ(row.match.error, "") << row.name << " / " << engineName;
            int start = -1, length = -1;
            awk.Match(row.text, start, length);
            EXPECT_EQ(start, row.match.start) << row.name << " / " << engineName;
            EXPECT_EQ(length, row.match.length) << row.name << " / " << engineName;
            const GSubOutcome got = GSubWith(awk, row.templateText, row.text);
            EXPECT_EQ(got.error, row.gsub.error) << row.name << " / " << engineName;
            EXPECT_EQ(got.count, row.gsub.count) << row.name << " / " << engineName;
            EXPECT_EQ(got.text, row.gsub.text) << row.name << " / " << engineName;
        }
    }
}

// Every byte value at every position of a short text of ASCII, double-byte characters
// (one with a trail byte of 0x5C) and a line break: both engines give the same results.
TEST(HostilePattern, EveryByteAtEveryPositionAgreesBetweenEngines)
{
    const std::string base = "a" + Sj("あ"_sj) + "b\r\n" + Sj("表"_sj) + "\\";
    const std::string patterns[] = {".", "^.*$", "a|" + Sj("あ"_sj), "[^a]+", "\\\\", "$", "b*", "\\r\\n."};
    for (const auto separator : {mcls_CRLF, mcls_LF}) {
        for (const std::string& pattern : patterns) {
            TAWKStr fast(TREEngine::Fast), reference(TREEngine::Reference);
            for (TAWKStr* awk : {&fast, &reference}) {
                awk->SetLineSeparator(separator);
                awk->SetRegExp(pattern);
            }
            for (std::size_t at = 0; at < base.size(); ++at) {
                for (int b = 0; b < 256; ++b) {
                    std::string text = base;
                    text[at] = static_cast<char>(b);
                    int fs = 0, fl = 0, rs = 0, rl = 0;
                    fast.Match(text, fs, fl);
                    reference.Match(text, rs, rl);
                    const auto label = [&] { return pattern + " with byte " + std::to_string(b) + " at " + std::to_string(at); };
                    ASSERT_EQ(fs, rs) << label();
                    ASSERT_EQ(fl, rl) << label();
                    const GSubOutcome fg = GSubWith(fast, "<&>", text);
                    const GSubOutcome rg = GSubWith(reference, "<&>", text);
                    ASSERT_EQ(fg.count, rg.count) << label();
                    ASSERT_EQ(fg.text, rg.text) << label();
                }
            }
        }
    }
}

// The differential fuzzer's seeds, decoded as it decodes them: "flags byte, pattern, 0xFF,
// template, 0xFF, text"; flag bit 0 selects LF separation, bit 1 the fuzzy dictionary.
TEST(HostilePattern, DifferentialCorpusAgreesBetweenEngines)
{
    const auto field = [](std::string_view& input) {
        const std::size_t end = input.find('\xFF');
        const std::string value(input.substr(0, end));
        input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
        return value;
    };
    int seeds = 0;
    for (const auto& entry : std::filesystem::directory_iterator(MORVANE_SOURCE_DIR "/fuzz/corpus/differential")) {
        const std::string bytes = ReadFileBytes(entry.path());
        if (bytes.empty()) continue;
        const std::string name = entry.path().filename().string();
        const auto flags = static_cast<unsigned char>(bytes[0]);
        std::string_view input = std::string_view(bytes).substr(1);
        const std::string pattern = field(input);
        const std::string templateText = field(input);
        const std::string text(input);

        TAWKStr fast(TREEngine::Fast), reference(TREEngine::Reference);
        for (TAWKStr* awk : {&fast, &reference}) {
            awk->SetLineSeparator(flags & 1 ? mcls_LF : mcls_CRLF);
            awk->SetUseFuzzyCharDic(flags & 2);
        }
        std::string fastError, referenceError;
        try { fast.SetRegExp(pattern); } catch (const ERegExpParser& e) { fastError = e.what(); }
        try { reference.SetRegExp(pattern); } catch (const ERegExpParser& e) { referenceError = e.what(); }
        ++seeds;
        if (referenceError == TooComplex()) continue;
        ASSERT_EQ(fastError, referenceError) << name;
        if (!fastError.empty()) continue;
        int fs = 0, fl = 0, rs = 0, rl = 0;
        fast.Match(text, fs, fl);
        reference.Match(text, rs, rl);
        EXPECT_EQ(fs, rs) << name;
        EXPECT_EQ(fl, rl) << name;
        const GSubOutcome fg = GSubWith(fast, templateText, text);
        const GSubOutcome rg = GSubWith(reference, templateText, text);
        EXPECT_EQ(fg.error, rg.error) << name;
        EXPECT_EQ(fg.count, rg.count) << name;
        EXPECT_EQ(fg.text, rg.text) << name;
    }
    EXPECT_GT(seeds, 0);
}

}  // namespace
