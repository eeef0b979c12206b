// Matching tables: pattern, options, subject -> every match (Exec, then ExecNext) with its
// groups. Expected texts: "[index,length g1 g2 ...]", a group as "index:length" or "-".
#include <gtest/gtest.h>

#include "core/utf8.h"
#include "regex/zelregexp/tests/describe.h"

namespace zel {
namespace {

using testing::DescribeMatches;

struct TMatchCase {
    const char* Name;
    std::u16string_view Pattern;
    TREOptions Options;
    std::u16string_view Subject;
    const char* Expected;
};

// Every case runs with the search acceleration off (every position tried) and on: skipping
// positions must never change a result.
void RunTable(const std::vector<TMatchCase>& cases) {
    for (const auto& c : cases)
        for (const bool acceleration : {false, true}) {
            TZelRegExp re(c.Pattern, c.Options);
            re.SetAcceleration(acceleration);
            EXPECT_EQ(DescribeMatches(re, c.Subject), c.Expected)
                << c.Name << (acceleration ? " (accelerated)" : " (every position)");
        }
}

TEST(MatchTable, AlternationAndLiterals) {
    RunTable({
        {"first alternative wins", u"a|ab", {}, u"ab", "[1,1]"},
        {"backtrack into alternation", u"(a|ab)c", {}, u"abc", "[1,3 1:2]"},
        {"trie of literals in order", u"x|xy", {}, u"xy", "[1,1]"},
        {"trie finds later start", u"ab|cd", {}, u"acd", "[2,2]"},
        {"trie alternatives retried", u"(?:ab|abc)d", {}, u"abcd", "[1,4]"},
        {"trie leftmost start", u"abcd|bc", {}, u"abce", "[2,2]"},
        {"mixed alternation", u"a|b+", {}, u"bba", "[1,2][3,1]"},
        {"ignore case", u"straße", roIgnoreCase, u"STRASSE", "[1,7]"},
        {"empty alternative", u"a(?:|b)c", {}, u"ac abc", "[1,2][4,3]"},
        {"no match", u"xyz", {}, u"abc", ""},
        {"surrogate pair is one character", u"^.$", {}, u"\U0001F600", "[1,2]"},
    });
}

TEST(MatchTable, LoopsOfEveryKind) {
    RunTable({
        {"star then empty matches", u"a*", {}, u"baaa", "[1,0][2,3][5,0]"},
        {"lazy single code", u"a*?b", {}, u"aaab", "[1,4]"},
        {"lazy general loop", u"(?:a|b)*?c", {}, u"abcbc", "[1,3][4,2]"},
        {"lazy general loop, exit code also in the body", u"(?:a|b)*?b", {}, u"aab", "[1,3]"},
        {"lazy general loop, exit at once", u"(?:ab)+?a", {}, u"ababa", "[1,3]"},
        // A loop that what follows cannot overlap takes its whole run; one that can gives back.
        {"classes apart", u"[a-c]+[d-e]", {}, u"abcd abc", "[1,4]"},
        {"classes overlap", u"[a-c]+[c-e]", {}, u"abc", "[1,3]"},
        {"classes overlap by case", u"[a-c]+[C-E]", roIgnoreCase, u"abc", "[1,3]"},
        {"loop before the end of a group", u"(a+)(?:ab|b)", {}, u"aab", "[1,3 1:2]"},
        {"lazy bounded single code", u"a{1,2}?b", {}, u"aaab ab", "[2,3][6,2]"},
        {"lazy single code alone", u"a+?", {}, u"aa", "[1,1][2,1]"},
        {"lazy before an alternation", u"a*?(?:b|\\d)", {}, u"aa1", "[1,3]"},
        {"lazy dot in a counted group",
         u"(.*?,){2}z",
         {},
         u"a,b,c,z\nx,y,z",
         "[1,7 3:4][9,5 11:2]"},
        {"possessive counted group starts later", u"(?:.*?,){2}+z", {}, u"a,b,c,z", "[3,5]"},
        {"run skipped only where its anchor held", u"\\Ba+b", {}, u"aab", "[2,2]"},
        // Starts before the run of the leading loop's code that ends at an anchor are out.
        {"run up to the anchor", u"\\w+nn", {}, u"ab nn cnn", "[7,3]"},
        // A match holds no line break that none of its codes can consume.
        {"anchor on the start's line", u"(?:.*?,){2}z", {}, u"a,b,\nc,d,z", "[6,5]"},
        {"anchor past a line break the pattern consumes", u"(?:.*?,){2}z", roSingleLine, u"a,b\n,z",
         "[1,6]"},
        {"run up to the anchor, boundary inside", u"\\B\\w+nn", {}, u"xinn", "[2,3]"},
        {"run of surrogate pairs up to the anchor",
         u"[\U0001F600]+xy",
         {},
         u"\U0001F600\U0001F600xy",
         "[1,6]"},
        {"greedy gives back", u"a+ab", {}, u"aaab", "[1,4]"},
        {"bound", u"a{2,3}", {}, u"aaaaaaa", "[1,3][4,3]"},
        {"open bound is unbounded", u"^a{2,}$", {}, std::u16string_view(u"aaaaa"), "[1,5]"},
        {"exact count", u"(?:ab){2}", {}, u"abababab", "[1,4][5,4]"},
        {"exact count backtracked into", u"(?:a|ab){2}c", {}, u"aabc", "[1,4]"},
        {"exact count of alternatives", u"^(?:a|ab|abc){3}d$", {}, u"abcabad", "[1,7]"},
        {"counted general loop", u"(a|b){2,3}?c", {}, u"ababc", "[2,4 4:1]"},
        {"empty loop terminates", u"(?:)*x", {}, u"x", "[1,1]"},
        {"empty group loop", u"(a*)*b", {}, u"aab", "[1,3 3:0]"},
        {"nested empty iterations", u"(a?)+?b", {}, u"ab", "[1,2 1:1]"},
        {"possessive never gives back", u"a++a", {}, u"aaa", ""},
        {"possessive general loop", u"(?:ab)*+ab", {}, u"abab", ""},
        {"optional group", u"a(b)?c", {}, u"ac abc", "[1,2 -][4,3 5:1]"},
        {"last iteration captured", u"(?:(a)|(b))+", {}, u"ab", "[1,2 1:1 2:1]"},
        {"dot stops at line break", u"a.*", {}, u"abc\ndef", "[1,3]"},
        {"dot all", u"a.*", roSingleLine, u"abc\ndef", "[1,7]"},
        {"leading dot star from a line start", u".*x", {}, u"abx\ncx", "[1,3][5,2]"},
        {"referenced group gets no implicit anchor",
         u"(.*)\\1",
         {},
         u"xabab",
         "[1,0 1:0][2,4 2:2][6,0 6:0]"},
        {"optional context in counted body", u"\\d(?:(?:\\dab){2})?\\d", {}, u"12", "[1,2]"},
        {"class loop over surrogates", u"[^a]+", {}, u"\U0001F600\U0001F601a", "[1,4]"},
        // Long counts of "." are taken inside the run up to the line end that a scan finds.
        {"long count of dots up to the line end", u"^.{18,}$", roMultiLine,
         u"abcdefghijklmnopqrs\nabcdefghijklmnopq\n\U0001F600bcdefghijklmnopqr", "[1,19][39,19]"},
        {"long bounded count of dots",
         u"a.{16,17}b",
         {},
         u"a0123456789abcdefb a0123456789abcdefgb a0123456789abcdeb",
         "[1,18][20,19]"},
    });
}

TEST(MatchTable, LookaroundAtomicKeep) {
    RunTable({
        {"lookbehind", u"(?<=ab)c", {}, u"abc", "[3,1]"},
        {"negative lookbehind two lengths", u"(?<!ab|xyz)c", {}, u"abc xyzc qc", "[11,1]"},
        {"lookahead", u"a(?=b)", {}, u"ac ab", "[4,1]"},
        {"negative lookahead", u"a(?!b)", {}, u"ab ac", "[4,1]"},
        {"captures inside lookahead stay", u"(?=(a+))a", {}, u"aa", "[1,1 1:2][2,1 2:1]"},
        {"atomic group", u"(?>a+)a", {}, u"aaa", ""},
        {"atomic group keeps outer alternatives", u"(?:(?>ab)|a)c", {}, u"ac", "[1,2]"},
        {"keep", u"a\\Kb", {}, u"ab", "[2,1]"},
        {"keep can be backtracked past", u"a*\\Kab", {}, u"aab", "[2,2]"},
        {"lookbehind at window start", u"(?<!\\w)x", {}, u"x ax", "[1,1]"},
        {"word boundary", u"\\bis\\b", {}, u"this is", "[6,2]"},
        {"multiline anchors", u"^$", roMultiLine, u"a\n\nb", "[3,0]"},
        {"end before final break", u"a$", {}, u"a\n", "[1,1]"},
    });
}

TEST(MatchTable, CallsConditionsVerbsNames) {
    RunTable({
        {"balanced parentheses", u"\\((?:[^()]|(?R))*\\)", {}, u"(()) ()", "[1,4][6,2]"},
        {"call of a group", u"(a|b)(?1)", {}, u"ab", "[1,2 1:1]"},
        {"captures in a call are dropped", u"(?<x>a)(?&x)", {}, u"aa", "[1,2 1:1]"},
        {"recursion with depth", u"^(a(?1)?b)$", {}, u"aaabbb", "[1,6 1:6]"},
        {"left recursion fails instead of looping", u"(?R)?a", {}, u"a", "[1,1]"},
        {"condition on group", u"(a)?(?(1)b|c)", {}, u"ab c", "[1,2 1:1][4,1 -]"},
        {"condition on lookahead", u"(?(?=a)ab|cd)", {}, u"cd ab", "[1,2][4,2]"},
        {"definitions are only called", u"(?(DEFINE)(?<d>\\d))(?&d)x", {}, u"5x", "[1,2 -]"},
        {"back-reference", u"(a+)b\\1", {}, u"aabaa", "[1,5 1:2]"},
        {"back-reference ignoring case", u"(a)\\1", roIgnoreCase, u"aA", "[1,2 1:1]"},
        {"fail verb", u"a(*FAIL)|b", {}, u"ab", "[2,1]"},
        {"commit fails the attempt, the search goes on", u"a(*COMMIT)b|ac", {}, u"ac ab", "[4,2]"},
        {"prune ends the attempt", u"a+(*PRUNE)b|a", {}, u"aac", ""},
        {"skip moves the next attempt", u"a+(*SKIP)b|a", {}, u"aac", ""},
        {"accept ends the match", u"a(*ACCEPT)b", {}, u"ac", "[1,1]"},
        {"accept closes groups", u"(a(*ACCEPT)b)c", {}, u"ax", "[1,1 1:1]"},
        {"named groups", u"(?<y>\\d+)-(?<m>\\d+)", {}, u"2024-05", "[1,7 1:4 6:2]"},
        {"duplicate names", u"(?|(?<n>a)|(?<n>b))", {}, u"b", "[1,1 1:1]"},
    });
}

// Rules of the dialect where other engines differ (RunTable runs every row with the
// acceleration off and on: a verb's effect on the search must not depend on it).
TEST(MatchTable, VerbsConditionsAndQuotingRules) {
    RunTable({
        {"a stray \\E is dropped", u"^\\Eabc", {}, u"abc", "[1,3]"},
        {"a stray \\E is no letter", u"^\\Eabc", {}, u"Eabc", ""},
        // A condition runs on the shared groups; only alternatives popped inside it restore.
        {"a failed negative condition keeps its captures",
         u"^(?(?!(a))def|abc)",
         {},
         u"abc",
         "[1,3 1:1]"},
        {"a failed lookahead condition keeps its captures",
         u"^(?(?=(a)x)ay|ab)",
         {},
         u"ab",
         "[1,2 1:1]"},
        {"a popped alternative inside a condition restores",
         u"^(?(?=(a)x|(a)y)q|(a)b)",
         {},
         u"ab",
         "[1,2 - 1:1 1:1]"},
        // A named skip records its own position and cuts nothing; a later mark of its name
        // cuts and moves the restart there.
        {"a named skip cuts nothing", u"a(*MARK:N)(*SKIP:N)(*F)|.", {}, u"ab", "[1,1][2,1]"},
        {"a later mark of the skip's name cuts", u"(*SKIP:N)a+(*MARK:N)b|.", {}, u"aac", "[3,1]"},
        // A commit moves the restart to the window end; only a skip passed too ends the search.
        {"a commit fails the attempt", u"c|a?(*COMMIT)x", {}, u"ayc", "[3,1]"},
        {"a skip after a commit moves the restart",
         u"aaaaa(*COMMIT)(*SKIP)b|a+c",
         {},
         u"aaaaaac",
         "[6,2]"},
        {"a commit after a skip ends the search", u"a(*SKIP)(*COMMIT)b|.", {}, u"ac", ""},
        // With no alternative left a "then" ends the current run, not the lazy loop before it.
        {"then lets a lazy loop retry", u"^.*?(?:a|b(*THEN)c)", {}, u"ba", "[1,2]"},
        {"then without a loop ends the attempt", u"^(?:a|ab)(?:c|b(*THEN)x)", {}, u"abc", ""},
        // An accept ends a lookaround's body as its match (group 0 goes on), elsewhere the
        // match.
        {"accept in a lookahead", u"(?=a(*ACCEPT)x)a", {}, u"ab", "[1,1]"},
        {"accept in a negative lookahead", u"(?!a(*ACCEPT)x)a", {}, u"ab", ""},
        {"accept in a lookahead keeps group 0 going", u"(?=(a(*ACCEPT)b))", {}, u"ax", "[1,0 1:1]"},
        {"accept in an atomic group ends the match", u"(?>a(*ACCEPT))b", {}, u"ac", "[1,1]"},
    });
}

// Patterns that the search acceleration skips through (a lead code, an anchor literal at a
// fixed or unknown distance); RunTable checks them without it too.
TEST(MatchTable, SearchAcceleration) {
    RunTable({
        {"lone lead literal", u"abc", {}, u"xabcabc", "[2,3][5,3]"},
        {"lead trie", u"ab|cd", {}, u"acd ab", "[2,2][5,2]"},
        {"lead literal folded", u"ss", roIgnoreCase, u"x\u00DF", "[2,1]"},
        {"anchor at a fixed distance", u"[a-q][^u-z]{2}x", {}, u"abcx bzzx acdx", "[1,4][11,4]"},
        {"anchor at an unknown distance", u"\\b\\w+nn\\b", {}, u"inn Finnish Ann", "[1,3][13,3]"},
        {"anchor after a surrogate pair", u".x", {}, u"\U0001F600x ax", "[1,3][5,2]"},
        {"alternation of literals as the anchor",
         u".{0,2}(?:Tom|Finn)",
         {},
         u"xyzTom Finn",
         "[2,5][7,5]"},
        {"a literal of each alternative",
         u"([a-z]awyer|[a-z]inn)\\s",
         {},
         u"finn sawyer inn ",
         "[1,5 1:4][6,7 6:6]"},
        {"alternations side by side", u"(?:a|b)(?:c|d)", {}, u"xad bc", "[2,2][5,2]"},
        {"runs of the leading loop", u"[a-z]+ing", {}, u"singing sing", "[1,7][9,4]"},
        {"leading runs shorter than the minimum",
         u"[a-c]{3,}d",
         {},
         u"ad abd abcd cbabd",
         "[8,4][13,5]"},
        {"lazy leading loop", u"\\w+?x", {}, u"abx ax", "[1,3][5,2]"},
        {"leading loop in a group", u"(a+)b", {}, u"aaac aab", "[6,3 6:2]"},
        {"word boundary before the lead", u"\\bab", {}, u"cab ab", "[5,2]"},
        {"no word boundary before the lead", u"\\Bab", {}, u"ab cab", "[5,2]"},
        {"several starts reach one anchor", u"a.{0,3}b", {}, u"aab xb", "[1,3]"},
        {"anchor with width folding", u"[a-z]\uFF76\uFF9E", roIgnoreWidth, u"x\u30AC", "[1,2]"},
        // Full case folding: the folded anchor's own length may differ from the pattern's.
        {"folded anchor after a class run", u"\\w+ness\\b", roIgnoreCase,
         u"Goodness FAIRNESS greatne\u00DF witne\u017Fs", "[1,8][10,8][19,8][28,7]"},
        {"empty line between line breaks", u"^$", roMultiLine, u"a\n\nb", "[3,0]"},
        {"line start after a CR LF", u"^b", roMultiLine, u"a\r\nb\rb", "[4,1][6,1]"},
        {"text start only", u"^a", {}, u"aa\na", "[1,1]"},
        {"whole literal, no pair split", u"\\x{DE00}", {}, u"\U0001F600\xDE00", "[3,1]"},
        // The first-unit map of mixed leads: a literal may start with a unit that folds to
        // more than its first character, or pair with the next unit.
        {"lead map, literal folded from one unit", u"(?:ss|\\d)t", roIgnoreCase, u"\u00DFt",
         "[1,2]"},
        {"lead map, half-width kana pair", u"(?:\u30AC|\\d)x", roIgnoreWidth, u"\uFF76\uFF9Ex",
         "[1,3]"},
        {"lead map, surrogate pair in a class", u"[\U0001F600a]b", {}, u"\U0001F600b", "[1,3]"},
        // Lookarounds at the start are zero-width: the leads are what follows them.
        {"leads behind a lookbehind", u"(?<=a)b|(?<!\\w)[A-Z]x", {}, u"ab Bx aBx b", "[2,1][4,2]"},
        // A literal of the leading lookbehind lies a fixed number of characters before
        // every match: the starts tried follow its occurrences (also before the search start).
        {"lookbehind literal", u"(?<=\\bthe )\\w+", {}, u"the cat bathe dog the", "[5,3]"},
        {"lookbehind literal after a class",
         u"(?<=[0-9]ab)c",
         {},
         u"1abc xabc 2abc",
         "[4,1][14,1]"},
        {"lookbehind literal before the search start", u"(?<=ab)c", {}, u"abcabc", "[3,1][6,1]"},
        {"lookbehind literal with a surrogate pair",
         u"(?<=x\U0001F600y)z",
         {},
         u"x\U0001F600yz x\U0001F600y z",
         "[5,1]"},
        {"leads behind a lookahead", u"(?=\\w\\d)\\w", {}, u"a b2 c", "[3,1]"},
        {"line starts where a lead matches", u"^[A-Z]\\d", roMultiLine, u"a1\nB2\n\nC3",
         "[4,2][8,2]"},
    });
}

// The map of lead units is built once the searches have passed as many units as it holds: long
// texts, with the matches after that point, take the same results through it.
TEST(MatchTable, LeadMapOnLongTexts) {
    const TMatchCase cases[] = {
        {"class and literal leads", u"[ab]c|d", {}, u"xacd bc", ""},
        {"folded literal lead", u"(?:ss|\\d)t", roIgnoreCase, u"\u00DFt 5t sst", ""},
        {"half-width kana pair", u"(?:\u30AC|\\d)x", roIgnoreWidth, u"\uFF76\uFF9Ex 1x", ""},
        {"surrogate pair in a class", u"[\U0001F600a]b", {}, u"\U0001F600b ab", ""},
        {"boundary before the lead", u"\\b[a-c]x", {}, u"zax ax", ""},
    };
    for (const auto& c : cases) {
        const std::u16string text = std::u16string(0x10000, u'-') + std::u16string(c.Subject) +
                                    u" " + std::u16string(0x8000, u'-') + std::u16string(c.Subject);
        std::string found[2];
        for (const bool acceleration : {false, true}) {
            TZelRegExp re(c.Pattern, c.Options);
            re.SetAcceleration(acceleration);
            found[acceleration] = DescribeMatches(re, text);
        }
        EXPECT_FALSE(found[0].empty()) << c.Name;
        EXPECT_EQ(found[1], found[0]) << c.Name;
    }
}

TEST(ZelRegExp, SearchStrategyChosenPerPattern) {
    struct TModeCase {
        std::u16string_view Pattern;
        TREOptions Options;
        TRELeadCharMode Mode;
    };
    const TModeCase cases[] = {
        {u"abc", {}, lcmSimple},
        {u"abc|def", {}, lcmAhoCrasick},
        {u"abc\\d", {}, lcmFirstLiteral},
        {u"(?:abc|def)\\d", {}, lcmFirstBranch},
        {u"^x", {}, lcmTextTop},
        {u"\\Ax", roMultiLine, lcmTextTop},
        {u"^x", roMultiLine, lcmLineTop},
        {u".*x", {}, lcmLineTop},
        {u"[ab]c|d", {}, lcmLeadMap},
        {u"\\bx|\\d", {}, lcmLeadMap},
        {u"\\d+abc", {}, lcmVariableAnchor},
        {u"\\w+ness\\b", roIgnoreCase, lcmVariableAnchor},
        {u"[a-q][^u-z]{13}x", {}, lcmFixedAnchor},
        {u"([A-Za-z]awyer|[A-Za-z]inn)\\s", {}, lcmFixedBranch},
        {u"(?:a|\\d)(?=x)", {}, lcmLeadMap},
        {u"(?<=ab)\\w", {}, lcmFixedAnchor},
        {u"x*", {}, lcmNone},
    };
    for (const auto& c : cases) {
        TZelRegExp re(c.Pattern, c.Options);
        EXPECT_EQ(int{re.LeadCharMode()}, int{c.Mode})
            << ::testing::PrintToString(std::u16string(c.Pattern));
        re.SetAcceleration(false);
        EXPECT_EQ(int{re.LeadCharMode()}, int{lcmNone});
    }
}

TEST(ZelRegExp, LineBreakConventionChangedAfterCompile) {
    // Under CR LF alone a lone CR is no line break, so "." may take it: the anchor's line then
    // reaches back past it.
    TZelRegExp re(u"(?:.*?,){2}z");
    re.Compile();
    re.SetLineBreakKind(lbCRLF);
    ASSERT_TRUE(re.Exec(u"a\r,,z"));
    EXPECT_EQ(re.MatchPos(), 1);
    EXPECT_EQ(re.MatchLen(), 5);
}

TEST(ZelRegExp, ExecNextAfterEmptyMatchAndWindows) {
    TZelRegExp re(u"x*");
    ASSERT_TRUE(re.Exec(u"axx"));
    EXPECT_EQ(re.Index(), 1);
    EXPECT_EQ(re.Length(), 0);
    ASSERT_TRUE(re.ExecNext());
    EXPECT_EQ(re.Index(), 2);
    EXPECT_EQ(re.Length(), 2);
    ASSERT_TRUE(re.ExecNext());
    EXPECT_EQ(re.Index(), 4);
    EXPECT_FALSE(re.ExecNext());

    TZelRegExp word(u"\\b\\w+");
    word.SetInputString(u"abc def");
    // The whole subject stays visible to anchors without a length: no boundary inside "bc".
    ASSERT_TRUE(word.ExecPos(2));
    EXPECT_EQ(word.Index(), 5);
    // A limited window starts a new text: a boundary at its start, and nothing beyond its end.
    ASSERT_TRUE(word.ExecPos(2, 4));
    EXPECT_EQ(word.Strings(), u"bc");
    EXPECT_EQ(word.MatchLength(), 4);
    EXPECT_FALSE(word.ExecPos(0));
    EXPECT_FALSE(word.ExecPos(99));
    // "\\G" holds at the start of each limited window, whatever the last search found.
    TZelRegExp global(u"\\Gb");
    global.SetInputString(u"ab b");
    EXPECT_TRUE(global.ExecPos(2, 1));
    EXPECT_TRUE(global.ExecPos(4, 1));
    EXPECT_FALSE(global.ExecPos(3, 2));
}

TEST(ZelRegExp, OptionsAndCompiledState) {
    TZelRegExp re;
    re.SetIgnoreZenHan(true);
    EXPECT_TRUE(re.IgnoreWidth());
    EXPECT_TRUE(re.IgnoreKana());
    re.SetIgnoreKana(false);
    EXPECT_FALSE(re.IgnoreZenHan());

    re.SetExpression(u"a");
    EXPECT_THROW(re.ExecNext(), EZelRegExpRuntime);
    ASSERT_TRUE(re.Exec(u"ba"));
    re.SetIgnoreCase(true);
    try {
        re.ExecNext();
        FAIL();
    } catch (const EZelRegExpRuntime& e) {
        EXPECT_EQ(e.Message(), u"Execメソッドが実行されていません");
    }
    // Inline options outside every group are written back.
    TZelRegExp inl(u"(?i)abc");
    EXPECT_TRUE(inl.Exec(u"ABC"));
    EXPECT_TRUE(inl.IgnoreCase());
    EXPECT_EQ(TZelRegExp::Version(), u"3.1.12");
    EXPECT_THROW(TZelRegExp(u"a)").Exec(u"a"), EZelRegExpCompile);
}

TEST(ZelRegExp, GroupNamesAndErrors) {
    TZelRegExp re(u"(?:(?<n>a)|(?<n>b))(?<z>c)?");
    ASSERT_TRUE(re.Exec(u"b"));
    EXPECT_EQ(re.IndexFromGroupName(u"n"), 2);
    EXPECT_EQ(re.Groups().Names(u"n").Strings(), u"b");
    ASSERT_FALSE(re.Exec(u"x"));
    EXPECT_EQ(re.IndexFromGroupName(u"nosuch"), -1);
    EXPECT_EQ(re.GroupNameFromIndex(3), u"z");
    try {
        re.GroupNameFromIndex(4);
        FAIL();
    } catch (const EZelRegExpRuntime& e) {
        EXPECT_EQ(e.Message(), u"グループ番号<4>は範囲を越えています");
    }
    try {
        re.Groups().Names(u"q");
        FAIL();
    } catch (const EZelRegExpRuntime& e) {
        EXPECT_EQ(e.Message(), u"グループ名<q>は存在しません");
    }
    TZelRegExp sub(u"(a(b)c) +");
    sub.Compile();
    EXPECT_EQ(sub.Groups().Items(1).SubExpression(), u"a(b)c");
}

TEST(ZelRegExp, EventsAndClassLevelHelpers) {
    TZelRegExp re(u"a(?C1)b");
    EXPECT_FALSE(re.Exec(u"ab")); // no handler: the callout fails
    std::vector<int> positions;
    re.OnCallout = [&](TZelRegExp&, TCalloutData& data, bool& isMatch, std::int32_t&) {
        positions.push_back(data.CurrentPosition);
        EXPECT_EQ(data.CalloutNumber, 1);
        isMatch = true;
    };
    int matches = 0;
    re.OnMatch = [&](TZelRegExp& sender) {
        EXPECT_EQ(&sender, &re);
        ++matches;
    };
    EXPECT_TRUE(re.Exec(u"xab"));
    EXPECT_EQ(positions, std::vector<int>{3});
    EXPECT_EQ(matches, 1);

    EXPECT_TRUE(TZelRegExp::RegIsMatch(u"b+", u"abbc"));
    std::vector<std::u16string> parts;
    EXPECT_TRUE(TZelRegExp::RegMatch(u"(a)(x)?(c)", u"ac", parts));
    EXPECT_EQ(parts, (std::vector<std::u16string>{u"ac", u"a", u"", u"c"}));
    EXPECT_FALSE(TZelRegExp::RegMatch(u"z", u"ac", parts));
    EXPECT_TRUE(parts.empty());

    TZelRegExp mark(u"(*MARK:A)x|(*MARK:B)y");
    EXPECT_TRUE(mark.Exec(u"y"));
    EXPECT_EQ(mark.RegMark(), u"B");
}

TEST(ZelRegExp, DeepPatternsAndLongSubjects) {
    // Neither the nesting of a pattern nor the length of a subject deepens the C++ stack.
    const int depth = 20000;
    std::u16string nested = std::u16string(depth, u'(') + u"a" + std::u16string(depth, u')');
    TZelRegExp deep(nested);
    ASSERT_TRUE(deep.Exec(u"xa"));
    EXPECT_EQ(deep.Index(), 2);
    std::u16string lookahead;
    for (int i = 0; i < 5000; ++i)
        lookahead += u"(?=";
    lookahead += u"a" + std::u16string(5000, u')') + u"a";
    EXPECT_TRUE(TZelRegExp(lookahead).Exec(u"a"));

    const std::u16string subject = std::u16string(1 << 20, u'a') + u"b";
    TZelRegExp loop(u"(?:(a)|x)*b");
    ASSERT_TRUE(loop.Exec(subject));
    EXPECT_EQ(loop.Length(), static_cast<int>(subject.size()));
    TZelRegExp explosive(u"(a*)*c");
    EXPECT_FALSE(explosive.Exec(subject));
    // With a back-reference the captures become part of what the failure record keeps.
    TZelRegExp withReference(u"(a*)*\\1c");
    EXPECT_FALSE(withReference.Exec(std::u16string(300, u'a') + u"b"));
}

TEST(ZelRegExp, StepLimitAndRequiredLiteralEndRunawaySearches) {
    const std::u16string runaway = u"xyz" + std::u16string(1000, u'a') + u"!b";
    TZelRegExp re(u"(a+)+\\1b");
    EXPECT_EQ(re.StepLimit(), 0);
    re.SetStepLimit(100000);
    try {
        re.Exec(runaway);
        FAIL() << "no limit met";
    } catch (const EZelRegExpRuntime& e) {
        EXPECT_EQ(e.Message(), u"照合の手順数が上限<100000>を超えました");
        EXPECT_EQ(re.StartMatch(), 4); // where the attempt that ran away began
    }
    // The limit holds per attempt: many cheap attempts stay within it.
    std::u16string pairs;
    for (int i = 0; i < 5000; ++i)
        pairs += u"ab";
    TZelRegExp cheap(u"(a)\\1x");
    cheap.SetStepLimit(50);
    ASSERT_TRUE(cheap.Exec(pairs + u"aax"));
    EXPECT_EQ(cheap.Index(), 10001);
    // A literal that every match holds, missing from the rest of the text, ends the search
    // before any attempt is made (a limit of a few steps shows that none ran); without the
    // acceleration the attempts run into the limit.
    const std::u16string noZ = std::u16string(400, u'a');
    for (const auto& [pattern, subject] :
         {std::pair{u"(a+)+\\1b", std::u16string(1000, u'a') + u"!"},
          std::pair{u"(.*)(.*)(.*)(.*)(.*)\\5z", noZ}}) {
        TZelRegExp guarded(pattern);
        guarded.SetStepLimit(1000);
        EXPECT_FALSE(guarded.Exec(subject));
        guarded.SetAcceleration(false);
        EXPECT_THROW(guarded.Exec(subject), EZelRegExpRuntime);
    }
    // The literal found for one search is not taken for a new text at the same address.
    TZelRegExp required(u"(a)\\1+z");
    std::u16string text = u"aaz";
    ASSERT_TRUE(required.Exec(text));
    text[2] = u'y';
    EXPECT_FALSE(required.Exec(text));
}

TEST(ZelRegExp, FailureRecordBesideVerbs) {
    // Stacked loops that fail lean on the failure record. A verb that cannot follow them
    // leaves the record on for them (the step limit is far below the loops' plain cost)...
    const std::u16string subject = u"x" + std::u16string(80, u'a');
    for (const char16_t* pattern :
         {u".*.*.*.*.*x\\d", u".*.*.*.*.*x\\d|(*COMMIT)z", u"(*MARK:m)q|.*.*.*.*.*x\\d",
          u"a(*PRUNE)(?:.*.*.*.*x\\d|b)", u"(?:.*.*.*.*.*x\\d|b(*ACCEPT))c",
          u".*.*.*.*.*(?=x\\d|(*ACCEPT)q)z"}) {
        TZelRegExp re(pattern);
        re.SetStepLimit(200000);
        bool found = true;
        EXPECT_NO_THROW(found = re.Exec(subject)) << Utf16ToUtf8(pattern);
        EXPECT_FALSE(found) << Utf16ToUtf8(pattern);
    }
    // ...but a verb after them could have acted on a failure: none is recorded there.
    TZelRegExp after(u".*.*.*.*.*x\\d(*COMMIT)");
    after.SetStepLimit(200000);
    EXPECT_THROW(after.Exec(subject), EZelRegExpRuntime);
}

// Patterns that once went wrong, and what each guards against.
TEST(MatchTable, FormerBugs) {
    RunTable({
        // An implicit line-head anchor must accept the start of a search that begins mid-line.
        {"leading dot star mid-line after match", u".*b", {}, u"ab\nxb", "[1,2][4,2]"},
        // Memoised failures must not leak into a lookbehind body (its end is fixed).
        {"alternatives in lookbehind", u"(?<=(?:ab|c)(?:ab|c))d", {}, u"abcd", "[4,1]"},
        // A loop head memo must tell an empty last iteration from a non-empty one.
        {"empty iteration memo", u"^(?:a|())*b", {}, u"aab", "[1,3 3:0]"},
        // A give-back must not pass over an end where only a later alternative can go on.
        {"give-back before an alternation", u"a*(?:b|\\d)", {}, u"aa1", "[1,3]"},
        // A lone surrogate in a literal is a character: not half of one, nor zero-width.
        {"lone surrogate literal", u"(\xD83D)(.)", {}, u"x\xD83D\xD83D!", "[2,2 2:1 3:1]"},
        {"lone surrogate before an anchor", u"..\xD83D.!", {}, u"\x05\x0E\xD83D\xD83D!", "[1,5]"},
    });
}

} // namespace
} // namespace zel
