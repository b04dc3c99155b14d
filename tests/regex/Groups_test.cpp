// Groups of the extended syntax: both engines against each other and against a brute-force
// enumeration of every way the pattern can match the whole match, which picks the POSIX
// answer by comparing whole parses rather than deciding part by part.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "regex/RegExp.h"
#include "regex/Submatch.h"

namespace {

constexpr int kUntouched = -2;

// One way a node matches text[i, j): the comparison key (POSIX order: larger is better)
// and the captures it writes (kUntouched where it writes none).
struct Parse {
    std::vector<int> key;
    std::vector<TRECaptureSpan> captures;
};

class BruteForce {
public:
    BruteForce(const TREGroupNFA& nfa, const TREMatchText& text) : nfa_(nfa), text_(text) {}

    TRECaptures Best()
    {
        const std::vector<Parse> all = Parses(nfa_.Root(), 0, text_.Length());
        const Parse* best = &all.front();
        for (const Parse& p : all)
            if (p.key > best->key) best = &p;
        TRECaptures result = best->captures;
        for (auto& c : result)
            if (c.Start == kUntouched) c = {};
        result[0] = {0, text_.Length()};
        return result;
    }

private:
    Parse Blank() const
    {
        return {{}, TRECaptures(static_cast<std::size_t>(nfa_.GroupCount()) + 1, {kUntouched, kUntouched})};
    }
    static void Apply(Parse& into, const Parse& from)
    {
        into.key.insert(into.key.end(), from.key.begin(), from.key.end());
        for (std::size_t g = 0; g < from.captures.size(); ++g)
            if (from.captures[g].Start != kUntouched) into.captures[g] = from.captures[g];
    }
    // An iteration: the groups inside are unset unless it sets them.
    Parse Iteration(const TREGroupNode& node, const Parse& body) const
    {
        Parse p = Blank();
        for (int g = node.firstCapture; g != 0 && g <= node.lastCapture; ++g) p.captures[static_cast<std::size_t>(g)] = {};
        Apply(p, body);
        return p;
    }

    std::vector<Parse> Parses(int id, int i, int j)
    {
        const TREGroupNode& node = nfa_.Node(id);
        std::vector<Parse> result;
        switch (node.kind) {
        case TREGroupNode::Leaf:
            if (LeafMatches(node, i, j)) result.push_back(Blank());
            break;
        case TREGroupNode::Group:
            for (Parse p : Parses(node.children[0], i, j)) {
                if (node.iteration) p = Iteration(node, p);
                if (node.capture != 0) p.captures[static_cast<std::size_t>(node.capture)] = {i, j};
                result.push_back(p);
            }
            break;
        case TREGroupNode::Alternatives:
            for (std::size_t a = 0; a < node.children.size(); ++a) {
                if (node.afterCopies && i == j && a + 1 < node.children.size()) continue;
                for (const Parse& sub : Parses(node.children[a], i, j)) {
                    Parse p = Blank();
                    p.key.push_back(-static_cast<int>(a));
                    Apply(p, sub);
                    result.push_back(p);
                }
            }
            break;
        case TREGroupNode::Sequence: Sequence(node, 0, i, j, Blank(), result); break;
        case TREGroupNode::Loop:
            if (i == j) {
                Parse none = Blank();
                none.key.push_back(-1);
                result.push_back(none);
                if (node.afterCopies) break;
            }
            Loop(node, i, j, Blank(), result);
            break;
        }
        return result;
    }

    void Sequence(const TREGroupNode& node, std::size_t t, int i, int j, const Parse& sofar, std::vector<Parse>& out)
    {
        if (t == node.children.size()) {
            if (i == j) out.push_back(sofar);
            return;
        }
        for (int k = i; k <= j; ++k) {
            for (const Parse& sub : Parses(node.children[t], i, k)) {
                Parse p = sofar;
                p.key.push_back(k - i);
                Apply(p, sub);
                Sequence(node, t + 1, k, j, p, out);
            }
        }
    }

    // Iterations over text[i, j): non-empty ones, except a single empty one for all of it.
    void Loop(const TREGroupNode& node, int i, int j, const Parse& sofar, std::vector<Parse>& out)
    {
        if (i == j && !sofar.key.empty()) {
            Parse p = sofar;
            p.key.push_back(-1);
            out.push_back(p);
            return;
        }
        for (int k = (i == j ? i : i + 1); k <= j; ++k) {
            for (const Parse& sub : Parses(node.children[0], i, k)) {
                Parse p = sofar;
                p.key.push_back(k - i);
                Apply(p, Iteration(node, sub));
                if (i == j) {
                    p.key.push_back(-1);
                    out.push_back(p);
                } else {
                    Loop(node, k, j, p, out);
                }
            }
        }
    }

    bool LeafMatches(const TREGroupNode& node, int i, int j) const
    {
        for (const TREGroupNFAEdge& e : nfa_.Out(node.in)) {
            if (e.kind == TREGroupNFAEdge::Empty && i == j) return true;
            if (e.kind == TREGroupNFAEdge::Assert && i == j && Holds(e.assertion, text_.Boundaries[static_cast<std::size_t>(i)]))
                return true;
            if (e.kind == TREGroupNFAEdge::Char && j == i + 1 && text_.Codes[static_cast<std::size_t>(i)] >= e.low &&
                text_.Codes[static_cast<std::size_t>(i)] <= e.high)
                return true;
        }
        return false;
    }

    const TREGroupNFA& nfa_;
    const TREMatchText& text_;
};

class ExtendedGenerator {
public:
    explicit ExtendedGenerator(unsigned seed) : random_(seed) {}

    std::string Pattern(int depth = 0)
    {
        std::string s;
        const int terms = 1 + Pick(3);
        for (int i = 0; i < terms; ++i) {
            if (i > 0 && Pick(3) == 0) s += '|';
            s += Factor(depth);
        }
        return s;
    }
    std::string Text(int pieces)
    {
        static const char* const kPieces[] = {"a", "b", "ab", " ", "1", "\r\n", "\x83\x41" /* ア */};
        std::string s;
        for (int n = Pick(pieces); n > 0; --n) s += kPieces[Pick(static_cast<int>(std::size(kPieces)))];
        return s;
    }

private:
    int Pick(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }

    std::string Factor(int depth)
    {
        static const char* const kAtoms[] = {"a", "b", ".", "[ab]", "\\w", "\\d", "\\s", "\\b", "\\B", "^", "$",
                                             "\x83\x41", "\\p{Katakana}", "[[:alpha:]]", "()"};
        static const char* const kQuantifiers[] = {"*", "+", "?", "{2}", "{0,2}", "{1,}", "{1,3}"};
        std::string s;
        const int kind = depth < 2 ? Pick(8) : 5;
        if (kind < 2) s = "(" + Pattern(depth + 1) + ")";
        else if (kind == 2) s = "(?:" + Pattern(depth + 1) + ")";
        else s = kAtoms[Pick(static_cast<int>(std::size(kAtoms)))];
        if (Pick(3) == 0) s += kQuantifiers[Pick(static_cast<int>(std::size(kQuantifiers)))];
        return s;
    }

    std::mt19937 random_;
};

std::string Spans(const std::string& text, const std::vector<TMatchResult>& groups)
{
    std::string s;
    for (const TMatchResult& g : groups)
        s += g.Found() ? "(" + std::to_string(g.Start - text.c_str()) + "," + std::to_string(g.End - text.c_str()) + ")"
                       : "(?,?)";
    return s;
}

TEST(Groups, BothEnginesGiveTheBestParseOfEveryMatch)
{
    ExtendedGenerator gen(20261209);
    int compared = 0;
    for (int round = 0; round < 1500; ++round) {
        const std::string pattern = gen.Pattern();
        TAWKStr fast(TREEngine::Fast), reference(TREEngine::Reference);
        for (TAWKStr* awk : {&fast, &reference}) {
            awk->SetExtended(true);
            awk->SetLineSeparator(round % 2 == 0 ? mcls_CRLF : mcls_LF);
            awk->SetRegExp(pattern);
        }
        for (int t = 0; t < 6; ++t) {
            const std::string text = gen.Text(6);
            const auto fastGroups = fast.MatchGroups(text), referenceGroups = reference.MatchGroups(text);
            ASSERT_EQ(Spans(text, fastGroups), Spans(text, referenceGroups)) << pattern << " on [" << text << "]";
            std::string fastText = text, referenceText = text;
            const std::string templateText = fast.GroupCount() >= 2 ? "<$1|\\2>" : fast.GroupCount() == 1 ? "<${1}>" : "<&>";
            ASSERT_EQ(fast.GSub(templateText, fastText), reference.GSub(templateText, referenceText)) << pattern;
            ASSERT_EQ(fastText, referenceText) << pattern << " on [" << text << "]";
            if (fastGroups.empty()) continue;
            const TREMatchText matchText({text.c_str(), fast.LineSeparator()}, fastGroups[0]);
            if (matchText.Length() > 5) continue;
            const TRECaptures best = BruteForce(*fast.CurrentGroupNFA(), matchText).Best();
            ASSERT_EQ(best.size(), fastGroups.size());
            const TRECaptures fastCaptures = FastCaptures(*fast.CurrentGroupNFA(), matchText);
            for (std::size_t g = 0; g < best.size(); ++g) {
                ASSERT_EQ(best[g].Start, fastCaptures[g].Start) << pattern << " on [" << text << "] group " << g;
                ASSERT_EQ(best[g].End, fastCaptures[g].End) << pattern << " on [" << text << "] group " << g;
            }
            ++compared;
        }
    }
    EXPECT_GT(compared, 3000);
}

}  // namespace
