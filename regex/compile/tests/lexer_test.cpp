#include <gtest/gtest.h>

#include "core/utf8.h"
#include "regex/compile/lexer.h"
#include "regex/compile/owner.h"
#include "regex/compile/tests/lex_describe.h"

namespace zel {
namespace {

using test::DescribeTokens;

struct LexCase {
    const char16_t* pattern;
    TREOptions options;
    const char* tokens;
};

// Options are shown by their raw bits: i = 2, m = 4, n = 8, s = 0x10, x = 0x20, w = 0x40,
// k = 0x80, a = 0x400, aa with i = 0xC02.
const LexCase kLexCases[] = {
    // bounds
    {u"a{2,}", {}, "Char:61 Bound:2,32767"},
    {u"a{2, 5}", {}, "Char:61 Bound:2,5"},
    {u"a{3}", {}, "Char:61 Bound:3,3"},
    {u"a{,5}", {}, "Char:61 Char:7B Char:2C Char:35 Char:7D"},
    {u"a*+?", {}, "Char:61 Star:0,0 Plus:1,0 Quest"},
    // escapes and code points
    {u"\\x41\\x{41}\\x{}", {}, "Char:41 Char:41 Char:0"},
    {u"\\x{10FFFF}", {}, "Char:10FFFF"},
    {u"\\o{101}\\o{}\\012", {}, "Char:41 Char:0 Char:A"},
    {u"(a)(b)\\2\\3", {}, "Group LPar... "},
    {u"\\8\\12", {}, "Char:38 Char:A"},
    {u"\\cA\\ca\\c\\\\", {}, "Char:1 Char:1 Char:1C"},
    {u"\\a\\e\\f\\n\\r\\t", {}, "Char:7 Char:1B Char:C Char:A Char:D Char:9"},
    {u"\\d\\D\\w\\W\\s\\S\\h\\H\\v\\V", {}, "d D w W s S h H v V"},
    {u"\\A\\Z\\z\\b\\B\\G\\K\\N\\R\\X", {}, "THead TTail TTailEnd b B G Keep N R X"},
    {u"\\.\\*", {}, "Char:2E Char:2A"},
    {u"(?<=x)\\1", {}, "Behind Char:78 RPar Char:1"},
    // literals and folding
    {u"A", {roIgnoreCase}, "Char:61"},
    {u"\u00DF", {roIgnoreCase}, "Char:73 Char:73"},
    {u"A", {roIgnoreWidth}, "Char:FF21"},
    {u"\u3042", {roIgnoreKana}, "Char:30A2"},
    {u"\U0001F600", {}, "Char:1F600"},
    // classes
    {u"[]]", {}, "Class Char:5D ClassEnd"},
    {u"[^]a]", {}, "NegClass Char:5D Char:61 ClassEnd"},
    {u"[a]]", {}, "Class Char:61 Char:5D ClassEnd"},
    {u"[]a]", {}, "Class ClassEnd Char:61 Char:5D"},
    {u"[a-]", {}, "Class Char:61 Char:2D ClassEnd"},
    {u"[a-\\d]", {}, "Class Char:61 Char:2D d ClassEnd"},
    {u"[a-z\\x41-\\x5A]", {}, "Class Range:61-7A Range:41-5A ClassEnd"},
    {u"[\\b\\1\\8A]", {}, "Class Char:62 Char:1 Char:38 Char:41 ClassEnd"},
    {u"[A]", {roIgnoreCase}, "Class Char:41 ClassEnd"},
    {u"[[:alpha:]]", {}, "Class Posix:2 ClassEnd"},
    {u"[[:^digit:]]", {}, "Class NEPosix:6 ClassEnd"},
    {u"[[:ALPHA:][:SpacePerl:]]", {}, "Class Posix:2 Posix:13 ClassEnd"},
    {u"[[:a]", {}, "Class Char:5B Char:3A Char:61 ClassEnd"},
    {u"[:a]", {}, "Class Char:3A Char:61 ClassEnd"},
    // properties
    {u"\\p{Hiragana}\\p{InHiragana}\\p{IsHiragana}",
     {},
     "Prop:Hiragana Prop:InHiragana Prop:InHiragana"},
    {u"\\p{Lu}\\p{L&}\\pL\\PN", {}, "Prop:Lu Prop:LC Prop:L NEProp:N"},
    {u"\\p{^Lu}\\P{Lu}", {}, "NEProp:Lu NEProp:Lu"},
    {u"\\p{Alpha}\\p{IsAlpha}\\P{Alpha}\\p{^Digit}",
     {},
     "PosixProp:2 PosixProp:2 NEPosixProp:2 NEPosixProp:6"},
    // group openers
    {u"()(?:)(?)", {}, "Group RPar LPar RPar Empty"},
    {u"()", {roNamedGroupOnly}, "LPar RPar"},
    {u"(?<n>(?'m'(?P<o>", {}, "Group:n Group:m Group:o"},
    {u"(?=(?!(?<=(?<!(?>(?|", {}, "Ahead NAhead Behind NBehind Atomic BranchReset"},
    {u"(?!)", {}, "Fail"},
    {u"(?#note)a", {}, "Char:61"},
    {u"(?#one)(?#two)", {}, ""},
    {u"(?R)(?0)(?12)(?+1)(?-2)(?^3)",
     {},
     "GoSub:0 GoSub:0 GoSub:12 GoSubRel:1 GoSubRel:-2 GoSubRel:-3"},
    {u"(?+12)x\\g<12>x", {}, "GoSubRel:12 Char:78 GoSub:12 Char:78"},
    {u"(?&n)(?P>n)\\g<n>\\g'n'\\g<-1>\\g<+2>",
     {},
     "GoSubName:n GoSubName:n GoSubName:n GoSubName:n GoSubRel:-1 GoSubRel:2"},
    {u"(?P=n)\\k<n>\\k'n'\\k{n}\\g{n}",
     {},
     "NamedRef:n NamedRef:n NamedRef:n NamedRef:n NamedRef:n"},
    {u"\\k<1>\\g{1}\\g1\\g-1\\k<-1>\\g{-2}\\k-1",
     {},
     "Ref:1 Ref:1 Ref:1 RefRel:1 RefRel:1 RefRel:2 RefRel:1"},
    {u"\\k<>", {}, "Char:6B Char:3C Char:3E"},
    // conditions
    {u"(?(1)(?(<n>)(?('m')", {}, "IfRef:1 IfRef:n IfRef:m"},
    {u"(?(R)(?(R2)(?(R&n)", {}, "InSub:0 InSub:2 InSub:n"},
    {u"(?(DEFINE)", {}, "Define"},
    {u"(?(?=a)", {}, "IfMatch Ahead Char:61 RPar"},
    {u"(?(?<=a)", {}, "IfMatch Behind Char:61 RPar"},
    // callouts and verbs
    {u"(?C)(?C255)", {}, "Callout:0 Callout:255"},
    {u"(*MARK:x)(*:x)(*SKIP:x)(*)", {}, "Mark:x Mark:x Skip:x Mark"},
    {u"(*PRUNE)(*THEN)(*COMMIT)(*ACCEPT)(*F)(*FAIL)", {}, "Prune Then Commit Accept Fail Fail"},
    // inline options
    {u"(?i)", {}, "Option:2"},
    {u"(?i-sm)", {roSingleLine}, "Option:6"},
    {u"(?^i)", {}, "Option:36"},
    {u"(?aai)", {}, "Option:C02"},
    {u"(?wk:", {}, "LParOpt:C0"},
    {u"(?a)(?d)", {}, "Option:400 Option:0"},
    // extended mode and quoting
    {u"a b", {roExtended}, "Char:61 Char:62"},
    {u"[a b]", {roExtended}, "Class Char:61 Char:62 ClassEnd"},
    {u"\\Q a\\E", {roExtended}, "Char:61"},
    {u"#", {roExtended}, "Char:23"},
    {u"\\Qa.b\\E+", {}, "Char:61 Char:2E Char:62 Plus:1,0"},
    {u"\\Q\\E\\Q\\Ea", {}, "Char:61"},
    {u"[\\Q]", {}, "Class Char:51 ClassEnd"},
    // a "\E" that closes no quoted run is dropped
    {u"\\Eabc", {}, "Char:61 Char:62 Char:63"},
    {u"\\Qa\\E\\Eb", {}, "Char:61 Char:62"},
    {u"a\\E*", {}, "Char:61 Star:0,0"},
    {u"\\E", {}, ""},
};

TEST(LexerTest, TokensOfPatterns) {
    for (const auto& c : kLexCases) {
        SCOPED_TRACE(Utf16ToUtf8(c.pattern));
        std::string expected = c.tokens;
        if (expected == "Group LPar... ")
            expected = "Group Char:61 RPar Group Char:62 RPar Ref:2 Char:3";
        EXPECT_EQ(DescribeTokens(c.pattern, c.options), expected);
    }
}

TEST(LexerTest, LineBreakConventionIsWrittenToTheOwner) {
    TREOwner owner;
    TRELex lex(owner, u"(*CR)a");
    lex.GetToken();
    EXPECT_EQ(lex.Token(), tkChar);
    EXPECT_EQ(lex.WChar(), U'a');
    EXPECT_EQ(owner.LineBreakKind(), lbCR);
}

TEST(LexerTest, StepBackRereadsTheSameTokens) {
    TREOwner owner;
    TRELex lex(owner, u"ab*");
    lex.GetToken();
    lex.GetToken();
    ASSERT_EQ(lex.WChar(), U'b');
    lex.GetToken();
    ASSERT_EQ(lex.Token(), tkStar);
    lex.PushToken();
    EXPECT_EQ(lex.WChar(), U'b');
    lex.PushToken();
    EXPECT_EQ(lex.WChar(), U'a');
    lex.GetToken();
    EXPECT_EQ(lex.WChar(), U'b');
    lex.GetToken();
    EXPECT_EQ(lex.Token(), tkStar);
}

TEST(LexerTest, OptionStackSurvivesStepBack) {
    TREOwner owner;
    TRELex lex(owner, u"(?i)ab");
    lex.GetToken();
    lex.PushOption();
    lex.UpdateOptions();
    lex.GetToken();
    lex.GetToken();
    lex.PushToken();
    EXPECT_TRUE(lex.Options().Contains(roIgnoreCase));
    lex.PopOption();
    EXPECT_FALSE(lex.Options().Contains(roIgnoreCase));
}

TEST(LexerTest, CountGroup) {
    EXPECT_EQ(TRELex::CountGroup(u"(a)(?:b)(?<n>c)(?'m'd)(?P<o>e)"), 4);
    EXPECT_EQ(TRELex::CountGroup(u"(?<=x)(?<!y)\\(x"), 0);
    EXPECT_EQ(TRELex::CountGroup(u"[(]"), 1);
}

TEST(LexerTest, LongCommentChainNeedsNoStack) {
    std::u16string pattern;
    for (int i = 0; i < 200000; ++i)
        pattern += u"(?#)\\Q\\E";
    pattern += u"a";
    EXPECT_EQ(DescribeTokens(pattern), "Char:61");
}

} // namespace
} // namespace zel
