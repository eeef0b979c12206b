#include <gtest/gtest.h>

#include "regex/compile/tests/compile_helpers.h"

namespace zel {
namespace {

using test::CompilePattern;
using test::DescribePattern;

struct ShapeCase {
    const char16_t* pattern;
    TREOptions options;
    const char* tree;
};

const ShapeCase kShapes[] = {
    // empty alternatives and nesting to the left
    {u"", {}, "Empty"},
    {u"a|", {}, "Union(Single'a',Empty)"},
    {u"()", {}, "Group1(Empty)"},
    {u"a|b|c", {}, "Union(Union(Single'a',Single'b'),Single'c')"},
    // literal runs stop before a quantified character
    {u"abc", {}, "Simple'abc'"},
    {u"a", {}, "Single'a'"},
    {u"(?i)ABC", {}, "Lit'abc'"},
    {u"abc+", {}, "Concat(Simple'ab',Plus{1,32767}(Single'c'))"},
    {u"a(?i)b", {}, "Concat(Single'a',Lit'b')"},
    {u"\U0001F600x", {}, "Simple'\U0001F600x'"},
    // repetition and its kinds
    {u"a+?", {}, "Loop{1,32767}lazy(Single'a')"},
    {u"a++", {}, "Plus{1,32767}poss(Single'a')"},
    {u".*", {}, "Star{0,32767}any(AnyCharCode)"},
    {u".*+", {}, "Star{0,32767}poss(AnyCharCode)"},
    {u"\\X*", {}, "Star{0,32767}X(CombiningSequence)"},
    {u"(a)*", {}, "Loop{0,32767}(Group1(Single'a'))"},
    {u"a{2,3}", {}, "Bound{2,3}(Single'a')"},
    {u"a?", {}, "Loop{0,1}(Single'a')"},
    {u"^*", {}, "Star{0,32767}(LineHeadCode)"},
    // option scope: "(?i)" runs to the enclosing ")" with the alternatives after it
    {u"a(?i)b|c", {}, "Concat(Single'a',Union(Lit'b',Lit'c'))"},
    {u"(?:(?i)a)b", {}, "Concat(Lit'a',Single'b')"},
    {u"(?=(?i)a)b", {}, "Concat(Ahead(Lit'a'),Lit'b')"},
    {u"(?>(?i)a)b", {}, "Concat(Atomic(Lit'a'),Lit'b')"},
    {u"a\\Kb|c", {}, "Concat(Single'a',Keep(Union(Single'b',Single'c')))"},
    // classes
    {u"[a]", {}, "Single'a'"},
    {u"[\\d]", {}, "DigitCharCode"},
    {u"[^\\d]", {}, "!DigitCharCode"},
    {u"[^a]", {}, "!CharClassMapACode"},
    {u"[ab]", {}, "CharClassMapACode"},
    {u"[abc]", {roIgnoreCase}, "CharClassMapIACode"},
    {u"[a\u00E9]", {}, "CharClassMapUCode"},
    {u"[a\u00E9]", {roIgnoreCase}, "CharClassMapIUCode"},
    {u"[\\d_]", {}, "CharClassNICode"},
    {u"[\\d_]", {roIgnoreCase}, "CharClassCode"},
    {u"[\\d\\s]", {}, "CharClassSimpleCharSetCode"},
    {u"[^\\da]", {roIgnoreCase}, "!CharClassCode"},
    // groups, branch reset, references and calls
    {u"(?|(a)|(b)(c))(d)",
     {},
     "Concat(Union(Group1(Single'a'),Concat(Group1(Single'b'),Group2(Single'c'))),Group3("
     "Single'd'))"},
    {u"(a)(?<n>b)\\k<n>",
     {},
     "Concat(Concat(Group1(Single'a'),Group2(Single'b')),NamedReferenceCode2)"},
    {u"\\k<n>(?<n>b)", {}, "Concat(NamedReferenceCode1,Group1(Single'b'))"},
    {u"(a)\\g-1", {}, "Concat(Group1(Single'a'),ReferenceCode1)"},
    {u"(a)\\2", {}, "Concat(Group1(Single'a'),Single'\x02')"},
    {u"(a)(b)(?-1)", {}, "Concat(Concat(Group1(Single'a'),Group2(Single'b')),GoSub2)"},
    {u"(a)(?+1)(b)", {}, "Concat(Concat(Group1(Single'a'),GoSub2),Group2(Single'b'))"},
    {u"(?R)(?0)", {}, "Concat(GoSub0,GoSub0)"},
    {u"(?<n>a)(?&n)", {}, "Concat(Group1(Single'a'),GoSub1)"},
    {u"(?&n)(?<n>a)", {}, "Concat(GoSub1,Group1(Single'a'))"},
    // conditionals
    {u"(?(1)a|b)", {}, "IfMatch(IfThenReferenceCode,IfThen(Single'a',Single'b'))"},
    {u"(?(?=x)a)", {}, "IfMatch(Ahead(Single'x'),IfThen(Single'a'))"},
    {u"(?(?<=x)a|b)", {}, "IfMatch(Behind(Single'x'),IfThen(Single'a',Single'b'))"},
    {u"(?(DEFINE)(?<n>a))(?&n)", {}, "Concat(Define(IfThen(Group1(Single'a'))),GoSub1)"},
    {u"(?(R)a)", {}, "IfMatch(InSubReferenceCode,IfThen(Single'a'))"},
    // lookbehind of alternatives of different lengths
    {u"(?<=ab|c)", {}, "Behind(Union(Simple'ab',Single'c'))"},
    // verbs
    {u"(*MARK:x)(*PRUNE)(*SKIP:x)(*)", {}, "Concat(Concat(Concat(Mark0,Prune-1),Skip0),Mark1)"},
    {u"(*ACCEPT)(*F)", {}, "Concat(Accept,Fail)"},
    // automatic callouts
    {u"ab", {roAutoCallout}, "Concat(CalloutCode,Simple'ab')"},
    {u"a*", {roAutoCallout}, "Concat(CalloutCode,Loop{0,32767}(Concat(CalloutCode,Single'a')))"},
};

TEST(ParserTest, TreeShapes) {
    for (const auto& c : kShapes) {
        SCOPED_TRACE(Utf16ToUtf8(c.pattern));
        EXPECT_EQ(DescribePattern(c.pattern, c.options), c.tree);
    }
}

TEST(ParserTest, TopLevelOptionIsWrittenBackToTheOwner) {
    EXPECT_TRUE(CompilePattern(u"(?i)a").Owner->FOptions.Contains(roIgnoreCase));
    EXPECT_FALSE(CompilePattern(u"((?i)a)").Owner->FOptions.Contains(roIgnoreCase));
}

TEST(ParserTest, GroupsAreNumberedNamedAndMarked) {
    auto compiled = CompilePattern(u"(?<n>a)(b)(?<n>c)\\2");
    const auto& groups = compiled.Owner->FGroups;
    ASSERT_EQ(groups.Count(), 4);
    EXPECT_EQ(groups.EnumIndexOfName(u"n"), (std::vector<int>{1, 3}));
    EXPECT_TRUE(groups.Items(2).FJoinMatch);
    EXPECT_FALSE(groups.Items(1).FJoinMatch);
    EXPECT_TRUE(compiled.HasReference);
    EXPECT_EQ(std::u16string(groups.Items(2).FSubExp), u"b)(?<n>c)\\2");
}

TEST(ParserTest, FlagsForTheNfaBuilder) {
    EXPECT_TRUE(CompilePattern(u"a$").HasTailAnchor);
    EXPECT_TRUE(CompilePattern(u"a\\z").HasTailAnchor);
    EXPECT_FALSE(CompilePattern(u"^a").HasTailAnchor);
    EXPECT_TRUE(CompilePattern(u"(a)(?1)").HasGoSub);
    EXPECT_FALSE(CompilePattern(u"(a)\\1").HasGoSub);
}

TEST(ParserTest, CalloutOfALiteralRunSpansTheRun) {
    auto compiled = CompilePattern(u"xab", {roAutoCallout});
    auto* concat = dynamic_cast<TREBinCode*>(compiled.Root());
    ASSERT_NE(concat, nullptr);
    auto* callout = dynamic_cast<TRECalloutCode*>(concat->FLeft);
    ASSERT_NE(callout, nullptr);
    EXPECT_EQ(callout->Data().PatternPosition, 1);
    EXPECT_EQ(callout->Data().PatternLength, 3);
    EXPECT_EQ(callout->Data().CalloutNumber, 255);
}

// Deep and long patterns parse without recursion.
TEST(ParserTest, DeepNestingAndLongAlternationsNeedNoStack) {
    const int depth = 100000;
    std::u16string nested(depth, u'(');
    nested += u"a";
    nested += std::u16string(depth, u')');
    auto compiled = CompilePattern(nested);
    EXPECT_EQ(compiled.Owner->FGroups.Count(), depth + 1);

    std::u16string alternation = u"(?<=";
    for (int i = 0; i < 200000; ++i)
        alternation += u"ab|";
    alternation += u"c)";
    EXPECT_NO_THROW(CompilePattern(alternation));

    std::u16string lookbehinds;
    for (int i = 0; i < 50000; ++i)
        lookbehinds += u"(?<=";
    lookbehinds += u"a+";
    EXPECT_NE(test::CompileError(lookbehinds), "");
}

} // namespace
} // namespace zel
