// Parse trees of patterns, leaf splitting, and the parser's errors.
#include <gtest/gtest.h>

#include "ExpectParseError.h"

#include "EngineDump.h"
#include "text/SjisLiteral.h"

namespace {

std::string Parse(const std::string& pattern)
{
    TREParser parser(pattern);
    parser.Run();
    return DumpTree(parser.ParseTree.Root);
}

TEST(Parser, BuildsTrees)
{
    struct { std::string pattern; std::string tree; } cases[] = {
        {"", "emp"},
        {"a|", "alt{61,emp}"},
        {"|", "alt{emp,emp}"},
        {"()", "emp"},
        {"ab*", "cat{61,star{62}}"},
        {"abd", "cat{cat{61,62},64}"},
        {"a|b|d", "alt{alt{61,62},64}"},
        {"a|bd", "alt{61,cat{62,64}}"},
        {"a+", "cat{61,star{61}}"},
        {"a?", "alt{61,emp}"},
        {"^a$", "cat{cat{^,61},$}"},
        {"^*", "star{^}"},
        {"[^a]", "alt{alt{alt{b-c,1-9},e-60},62-fcfc}"},
        {"[^\\x00-\\x1f]", "20-fcfc"},
        {"[^ba]", "alt{alt{alt{b-c,1-9},63-fcfc},e-60}"},
        {"[^\\x01-\\x09]", "alt{b-c,e-fcfc}"},
        {"[^\\n]", "alt{alt{b-c,1-9},e-fcfc}"},
        {"[abc]", "alt{alt{61,62},63}"},
        {"[a-z]x|[m]", "alt{cat{alt{alt{alt{alt{61-6c,6d},6e-77},78},79-7a},78},6d}"},
        {".", "alt{alt{1-9,b-c},e-fcfc}"},
        // Codes reserved for the automata's markers are clamped to a code no text holds.
        {"\\xffff", "fffc"},
        {"[a-\\xfffe]", "61-fffc"},
    };
    for (const auto& c : cases) EXPECT_EQ(Parse(c.pattern), c.tree) << c.pattern;
}

TEST(Parser, AcceptsDeepButBoundedNesting)
{
    const std::string pattern = std::string(1000, '(') + "a" + std::string(1000, ')');
    EXPECT_EQ(Parse(pattern), "61");
}

TEST(Parser, LeavesAreDisjointAfterRun)
{
    TREParser parser("[a-z]x|[m]");
    parser.Run();
    EXPECT_EQ(DumpLeaves(parser.ParseTree), "78 6d 79-7a 61-6c 6e-77");
}

TEST(Parser, PlusSharesItsOperand)
{
    TREParser parser("a+");
    parser.Run();
    const TRENode* root = parser.ParseTree.Root;
    EXPECT_EQ(root->Left, root->Right->Left);
}

TEST(Parser, ReportsGrammarErrors)
{
    const auto primary = "普通の文字、または左括弧\"(\"が必要です"_sj;
    struct { std::string pattern; std::string_view message; int position; } cases[] = {
        {"a**", primary, 4},
        {"*a", primary, 2},
        {"+", primary, 2},
        {"?x", primary, 2},
        {"]", primary, 2},
        {"a+?", primary, 4},
        {"(a", "右(閉じ)括弧が必要です"_sj, 3},
        {"a)", "正規表現に余分な文字があります"_sj, 3},
        {"[]", "不正なキャラクタクラス指定です。"_sj, 3},
        {"[]a]", "不正なキャラクタクラス指定です。"_sj, 3},
        {"[^]", "不正なキャラクタクラス指定です。"_sj, 4},
        // Excludes everything the period matches: reported like an empty class.
        {"[^\\x01-\\xfcfc]", "不正なキャラクタクラス指定です。"_sj, 15},
        {"[z-a]", "不正なキャラクタ範囲です"_sj, 5},
        // 0x8540 is unassigned in CP932: in a text, the stand-in of a character beyond it.
        {"[a-\x85\x40]", "Shift-JISにない文字は文字クラスの範囲の端に使えません"_sj, 6},
        {"[^\x85\x40-\x86\x40]", "Shift-JISにない文字は文字クラスの範囲の端に使えません"_sj, 8},
        {"ab[cd", "右ブラケット\"]\"が必要です"_sj, 6},
        {std::string(1001, '(') + "a" + std::string(1001, ')'), "括弧の入れ子が深すぎます"_sj, 1002},
    };
    for (const auto& c : cases) {
        TREParser parser(c.pattern);
        ExpectParseError([&] { parser.Run(); }, c.message, c.position, c.pattern);
    }
}

struct SplitCase {
    const char* name;
    std::pair<TRECharCode, TRECharCode> first;
    std::pair<TRECharCode, TRECharCode> second;
    std::string leaves;      // Leaves afterwards, in list order
    std::string firstTree;   // what the first leaf has become
    std::string secondTree;  // what the second leaf has become
};

TEST(ParseTree, MakeLeavesDisjointSplitsOverlaps)
{
    const SplitCase cases[] = {
        {"inside", {'a', 'z'}, {'m', 'm'}, "6d 61-6c 6e-7a", "alt{alt{61-6c,6d},6e-7a}", "6d"},
        {"partial", {'a', 'm'}, {'h', 'z'}, "61-67 68-6d 6e-7a", "alt{61-67,68-6d}", "alt{68-6d,6e-7a}"},
        {"same start", {'a', 'e'}, {'a', 'z'}, "61-65 66-7a", "61-65", "alt{61-65,66-7a}"},
        {"same end", {'a', 'z'}, {'x', 'z'}, "78-7a 61-77", "alt{61-77,78-7a}", "78-7a"},
        {"disjoint", {'a', 'c'}, {'d', 'f'}, "61-63 64-66", "61-63", "64-66"},
        {"top of range", {0xFFF0, 0xFFFF}, {0xFFFF, 0xFFFF}, "ffff fff0-fffe", "alt{fff0-fffe,ffff}", "ffff"},
        {"bottom of range", {0, 0}, {0, 5}, "0 1-5", "0", "alt{0,1-5}"},
    };
    for (const auto& c : cases) {
        TREParseTree tree;
        TRENode* first = tree.MakeLeaf(c.first.first, c.first.second);
        TRENode* second = tree.MakeLeaf(c.second.first, c.second.second);
        tree.MakeLeavesDisjoint();
        EXPECT_EQ(DumpLeaves(tree), c.leaves) << c.name;
        EXPECT_EQ(DumpTree(first), c.firstTree) << c.name;
        EXPECT_EQ(DumpTree(second), c.secondTree) << c.name;
    }
}

TEST(ParseTree, PeriodAndLetter)
{
    TREParseTree tree;
    TRENode* any = tree.MakeAnyCharNode();
    tree.MakeLeaf('a', 'a');
    tree.MakeLeavesDisjoint();
    EXPECT_EQ(DumpTree(any), "alt{alt{1-9,b-c},alt{alt{e-60,61},62-fcfc}}");
}

TEST(ParseTree, MakeLeafReusesRanges)
{
    TREParseTree tree;
    EXPECT_EQ(tree.MakeLeaf('a', 'a'), tree.MakeLeaf('a', 'a'));
    EXPECT_EQ(tree.Leaves.size(), 1u);
    EXPECT_EQ(tree.MakeLeafOrNil('b', 'a'), nullptr);
}

TEST(ParseTree, ConvertToUnionRejectsMissingChildren)
{
    TREParseTree tree;
    TRENode* leaf = tree.MakeLeaf('a', 'a');
    EXPECT_THROW(tree.ConvertToUnion(leaf, nullptr, leaf), std::runtime_error);
}

}  // namespace
