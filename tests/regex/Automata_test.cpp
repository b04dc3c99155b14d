// NFA construction (state counts, transitions, anchor flags) and the DFA built from it.
#include <gtest/gtest.h>

#include "ExpectParseError.h"

#include <memory>

#include "EngineDump.h"
#include "text/SjisLiteral.h"

namespace {

struct Compiled {
    std::unique_ptr<TREParser> parser;
    std::unique_ptr<TRE_NFA> nfa;
};

Compiled BuildNFA(const std::string& pattern)
{
    Compiled c{std::make_unique<TREParser>(pattern), nullptr};
    c.parser->Run();
    c.nfa = std::make_unique<TRE_NFA>(*c.parser, 0xFFFD, 0xFFFE);
    c.nfa->Run();
    return c;
}

// Transitions as from>to:label in chain order (newest first) for each state.
std::string DumpNFA(const TRE_NFA& nfa)
{
    std::string s;
    for (int i = 0; i < nfa.StateCount(); ++i) {
        const auto& chain = nfa.States[static_cast<std::size_t>(i)];
        for (auto t = chain.rbegin(); t != chain.rend(); ++t) {
            if (!s.empty()) s += " ";
            s += std::to_string(i) + ">" + std::to_string(t->Target) + ":" +
                 (IsEmptyLabel(t->Label) ? "e" : DumpRange(LabelLow(t->Label), LabelHigh(t->Label)));
        }
    }
    return s;
}

TEST(NFA, Construction)
{
    struct { std::string pattern; int states; std::string transitions; bool head; bool tail; } cases[] = {
        {"", 2, "0>1:e", false, false},
        {"^", 2, "0>1:fffd", true, false},
        {"$", 2, "0>1:fffe", false, true},
        {"^$", 3, "0>2:fffd 2>1:fffe", true, true},
        {"a|b", 2, "0>1:62 0>1:61", false, false},
        {"a^b", 4, "0>3:61 2>1:62 3>2:5e", false, false},
        {"a*", 4, "0>2:e 2>1:e 2>3:61 3>2:e", false, false},
        {"(a$)*", 5, "0>2:e 2>1:e 2>4:61 3>2:e 4>3:24", false, false},
        {"(a$)b", 4, "0>3:61 2>1:62 3>2:24", false, false},
        {"(^a|b)d", 4, "0>2:62 0>3:fffd 2>1:64 3>2:61", true, false},
        {"^a|^b", 4, "0>3:fffd 0>2:fffd 2>1:61 3>1:62", true, false},
        {"a$|b$", 4, "0>3:62 0>2:61 2>1:fffe 3>1:fffe", false, true},
        {"x*^", 5, "0>3:e 2>1:5e 3>2:e 3>4:78 4>3:e", false, false},
        {"a(^b)", 4, "0>2:61 2>3:5e 3>1:62", false, false},
    };
    for (const auto& c : cases) {
        Compiled built = BuildNFA(c.pattern);
        EXPECT_EQ(built.nfa->StateCount(), c.states) << c.pattern;
        EXPECT_EQ(DumpNFA(*built.nfa), c.transitions) << c.pattern;
        EXPECT_EQ(built.nfa->LineHeadUsed, c.head) << c.pattern;
        EXPECT_EQ(built.nfa->LineTailUsed, c.tail) << c.pattern;
    }
}

TEST(NFA, StateCountIsTwoPlusConcatsPlusTwicePerClosure)
{
    EXPECT_EQ(BuildNFA("ab*c").nfa->StateCount(), 2 + 2 + 2);
    EXPECT_EQ(BuildNFA("(ab)+").nfa->StateCount(), 2 + 3 + 2);  // x+ lays x twice
}

TEST(NFA, LongPatternsNeedNoDeepRecursion)
{
    const std::string pattern(200000, 'a');
    EXPECT_EQ(BuildNFA(pattern).nfa->StateCount(), 2 + 199999);
}

std::string BuildDFA(const std::string& pattern)
{
    Compiled built = BuildNFA(pattern);
    TRE_DFA dfa(*built.nfa);
    dfa.Run();
    return DumpDFA(dfa);
}

TEST(DFA, SubsetConstructionAndSortedTransitions)
{
    struct { std::string pattern; std::string dfa; } cases[] = {
        {"", "*"},
        {"a", "61>1 | *"},
        {"a*", "*61>1 | *61>1"},
        {".", "1-9>1 b-c>1 e-fcfc>1 | *"},
        {"a|b", "61>1 62>1 | *"},
        {"^a", "fffd>1 | 61>2 | *"},
        {"b|a|c", "61>1 62>1 63>1 | *"},
        {"ab|ac", "61>1 | 62>2 63>2 | *"},
        // The literal "^" overlaps the class range starting at it; the earlier one wins.
        {"x[\\^-`]|x^", "78>1 | 5e-60>2 5e>2 | *"},
    };
    for (const auto& c : cases) EXPECT_EQ(BuildDFA(c.pattern), c.dfa) << c.pattern;
}

TEST(DFA, NextStateStopsAtTheFirstHigherRange)
{
    Compiled built = BuildNFA("[b-d]|f");
    TRE_DFA dfa(*built.nfa);
    dfa.Run();
    const TRE_DFAState* initial = dfa.InitialState;
    EXPECT_EQ(dfa.NextState(initial, 'a'), nullptr);
    EXPECT_NE(dfa.NextState(initial, 'c'), nullptr);
    EXPECT_EQ(dfa.NextState(initial, 'e'), nullptr);
    EXPECT_NE(dfa.NextState(initial, 'f'), nullptr);
    EXPECT_EQ(dfa.NextState(initial, 'g'), nullptr);
    EXPECT_EQ(dfa.NextState(dfa.NextState(initial, 'f'), 'f'), nullptr);
}

TEST(DFA, ExponentialPatternsFailWithAClearError)
{
    std::string pattern = "(a|b)*a";
    for (int i = 0; i < 20; ++i) pattern += "(a|b)";
    Compiled built = BuildNFA(pattern);
    TRE_DFA dfa(*built.nfa);
    ExpectParseError([&] { dfa.Run(); }, "正規表現が複雑すぎます"_sj, std::nullopt, "(a|b)*a(a|b)^20");
    // Twelve alternations stay within the bound (about 2^12 states).
    std::string smaller = "(a|b)*a";
    for (int i = 0; i < 11; ++i) smaller += "(a|b)";
    Compiled ok = BuildNFA(smaller);
    TRE_DFA small(*ok.nfa);
    small.Run();
    EXPECT_GT(small.States.size(), 4000u);
}

}  // namespace
