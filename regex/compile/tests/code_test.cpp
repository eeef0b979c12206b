#include <gtest/gtest.h>

#include "regex/compile/tests/compile_helpers.h"

namespace zel {
namespace {

// A pattern compiled to one code, asked at a position of a subject.
struct CodeProbe {
    test::Compiled compiled;
    std::u16string subject;

    CodeProbe(std::u16string_view pattern, TREOptions options, std::u16string_view text,
              TRELineBreakKind kind = lbAnyCRLF)
        : compiled(test::CompilePattern(pattern, options)), subject(text) {
        compiled.Owner->SetLineBreakKind(kind);
        compiled.Owner->SetSubject(subject.data(), subject.data() + subject.size());
    }
    // Units matched at pos, -1 when the code does not match there.
    int At(int pos) {
        int len = 0;
        return compiled.Root()->IsEqual(subject.data() + pos, len) ? len : -1;
    }
};

struct MatchCase {
    const char16_t* pattern;
    TREOptions options;
    const char16_t* subject;
    int pos;
    int len; // -1: no match
};

const MatchCase kMatches[] = {
    // predefined sets, Unicode and legacy
    {u"\\s", {}, u"\u3000", 0, 1},
    {u"\\s", {}, u"\u00A0", 0, 1},
    {u"\\s", {}, u"\u2028", 0, 1},
    {u"\\s", {}, u"\u0085", 0, 1},
    {u"\\s", {}, u"\u000B", 0, -1},
    {u"\\h", {}, u"\u3000", 0, 1},
    {u"\\h", {}, u"\n", 0, -1},
    {u"\\v", {}, u"\u000B", 0, 1},
    {u"\\H", {}, u"\U0001F600", 0, 2},
    {u"\\w", {}, u"\u00E9", 0, 1},
    {u"\\w", {roDefinedCharClassLegacy}, u"\u00E9", 0, -1},
    {u"\\W", {roDefinedCharClassLegacy}, u"\u00E9", 0, 1},
    {u"\\d", {}, u"\u0663", 0, 1},
    {u"\\d", {roDefinedCharClassLegacy}, u"\u0663", 0, -1},
    {u"\\D", {roDefinedCharClassLegacy}, u"\u0663", 0, 1},
    {u"\\w", {}, u"\U00020000", 0, 2},
    {u"\\d", {}, u"a", 1, -1},
    // any character and line breaks
    {u".", {}, u"\r", 0, -1},
    {u".", {}, u"\n", 0, -1},
    {u".", {}, u"\u2028", 0, 1},
    {u".", {roSingleLine}, u"\n", 0, 1},
    {u".", {}, u"\U0001F600", 0, 2},
    {u"\\R", {}, u"\r\n", 0, 2},
    {u"\\R", {}, u"\u000B", 0, 1},
    // literals under the folding options
    {u"ab", {roIgnoreCase}, u"AB", 0, 2},
    {u"ab", {}, u"AB", 0, -1},
    {u"ss", {roIgnoreCase}, u"\u00DF", 0, 1},
    {u"ABC", {roIgnoreWidth}, u"\uFF21\uFF22\uFF23", 0, 3},
    {u"\uFF76\uFF9E", {roIgnoreWidth}, u"\u30AC", 0, 1},
    {u"\u3042", {roIgnoreKana}, u"\u30A2", 0, 1},
    {u"abc", {}, u"ab", 0, -1},
    // Unicode properties and POSIX names
    {u"\\p{Lu}", {}, u"\u0130", 0, 1},
    {u"\\p{L&}", {}, u"\u01C5", 0, 1},
    {u"\\p{L&}", {}, u"\u02B0", 0, -1},
    {u"\\P{L}", {}, u"1", 0, 1},
    {u"\\p{Alpha}", {}, u"\u00E9", 0, 1},
    {u"\\p{Blank}", {}, u"\t", 0, 1},
    {u"\\p{Ascii}", {}, u"a", 0, 1},
    // combining sequences
    {u"\\X", {}, u"e\u0301x", 0, 2},
    {u"\\X", {}, u"\u0301", 0, -1},
    {u"\\X", {}, u"\U0001F600\u0301", 0, 3},
    // bracketed classes
    {u"[a-c]", {roIgnoreCase}, u"B", 0, 1},
    {u"[\u00C0-\u00D6]", {roIgnoreCase}, u"\u00E0", 0, 1},
    {u"[\u00C0-\u00D6]", {roIgnoreCase}, u"\u00C0", 0, 1},
    {u"[^a]", {}, u"\u00E9", 0, 1},
    {u"[^a]", {}, u"\U0001F600", 0, 2},
    {u"[^a]", {}, u"a", 0, -1},
    {u"[^\\da]", {roIgnoreCase}, u"x", 1, -1},
    {u"[^\\da]", {roIgnoreCase}, u"A", 0, -1},
    {u"[^\\da]", {roIgnoreCase}, u"x", 0, 1},
    {u"[[:alpha:]]", {}, u"\u00E9", 0, 1},
    {u"[[:alpha:]]", {roDefinedCharClassLegacy}, u"\u00E9", 0, -1},
    {u"[[:upper:]x]", {roIgnoreCase}, u"a", 0, 1},
    {u"[b\\x20-\\xFF]", {}, u"a", 0, 1},
    {u"[k]", {roIgnoreCase}, u"\u212A", 0, 1},
    {u"[\\x{100}-\\x{10FFFF}]", {roIgnoreCase}, u"\U0010FFFF", 0, 2},
    {u"[\\p{Lu}\\d]", {roIgnoreCase}, u"A", 0, 1},
    {u"[A]", {roIgnoreWidth}, u"\uFF21", 0, 1},
    {u"[\u3042]", {roIgnoreKana}, u"\u30A2", 0, 1},
    {u"[\u3041-\u3093]", {roIgnoreKana}, u"\u30A2", 0, 1},
    {u"[^\\W]", {}, u"a", 0, 1},
    {u"[\U0001F600-\U0001F64F]", {}, u"\U0001F610", 0, 2},
    // zero-width codes
    {u"\\b", {}, u"abc", 0, 0},
    {u"\\b", {}, u"abc", 1, -1},
    {u"\\b", {}, u"abc", 3, 0},
    {u"\\B", {}, u"abc", 1, 0},
    {u"\\b", {}, u"a\u00E9", 1, -1},
    {u"(?a)\\b", {}, u"a\u00E9", 1, 0},
    {u"\\b", {roDefinedCharClassLegacy}, u"a\u00E9", 1, -1},
    {u"\\A", {}, u"ab", 0, 0},
    {u"\\A", {}, u"ab", 1, -1},
    {u"\\z", {}, u"ab\n", 2, -1},
    {u"\\z", {}, u"ab\n", 3, 0},
    {u"\\Z", {}, u"ab\n", 2, 0},
    {u"\\Z", {}, u"ab\r\n", 3, -1},
    {u"\\G", {}, u"ab", 0, 0},
};

TEST(CodeTest, MatchesAtPositions) {
    for (const auto& c : kMatches) {
        SCOPED_TRACE(Utf16ToUtf8(c.pattern) + " at " + std::to_string(c.pos) + " of " +
                     Utf16ToUtf8(c.subject));
        CodeProbe probe(c.pattern, c.options, c.subject);
        EXPECT_EQ(probe.At(c.pos), c.len);
    }
}

struct AnchorCase {
    const char16_t* pattern;
    TRELineBreakKind kind;
    const char16_t* subject;
    int pos;
    bool matches;
};

const AnchorCase kAnchors[] = {
    {u"(?m)^", lbAnyCRLF, u"a\nb", 2, true},   {u"(?m)^", lbAnyCRLF, u"a\nb", 1, false},
    {u"(?m)^", lbAnyCRLF, u"a\n", 2, false},   {u"(?m)^", lbAnyCRLF, u"a\r\nb", 2, false},
    {u"(?m)^", lbAnyCRLF, u"a\r\nb", 3, true}, {u"(?m)^", lbAnyCRLF, u"a\rb", 2, true},
    {u"(?m)^", lbLF, u"a\rb", 2, false},       {u"(?m)^", lbCR, u"a\rb", 2, true},
    {u"(?m)^", lbCRLF, u"a\nb", 2, false},     {u"(?m)^", lbCRLF, u"a\r\nb", 3, true},
    {u"(?m)^", lbAny, u"a\u2028b", 2, true},   {u"(?m)^", lbAnyCRLF, u"a\u2028b", 2, false},
    {u"^", lbAnyCRLF, u"a\nb", 2, false},      {u"$", lbAnyCRLF, u"ab\r\n", 2, true},
    {u"$", lbAnyCRLF, u"ab\r\n", 3, false},    {u"$", lbAnyCRLF, u"ab\nc", 2, false},
    {u"$", lbLF, u"ab\r", 2, false},           {u"(?m)$", lbAnyCRLF, u"a\nb", 1, true},
    {u"(?m)$", lbAnyCRLF, u"a\nb", 3, true},   {u"(?m)$", lbCR, u"a\nb", 1, false},
    {u"(?m)$", lbAny, u"a\u0085b", 1, true},
};

TEST(CodeTest, AnchorsUnderEachLineBreakKind) {
    for (const auto& c : kAnchors) {
        SCOPED_TRACE(Utf16ToUtf8(c.pattern) + " kind " + std::to_string(c.kind) + " at " +
                     std::to_string(c.pos));
        CodeProbe probe(c.pattern, {}, c.subject, c.kind);
        EXPECT_EQ(probe.At(c.pos) == 0, c.matches);
    }
}

TEST(CodeTest, WindowEndIsRespected) {
    CodeProbe probe(u"abc", {}, u"abcd");
    probe.compiled.Owner->FMatchEndP = probe.subject.data() + 2;
    EXPECT_EQ(probe.At(0), -1);
    CodeProbe folded(u"ab", {roIgnoreCase}, u"AB");
    folded.compiled.Owner->FMatchEndP = folded.subject.data() + 1;
    EXPECT_EQ(folded.At(0), -1);
}

TEST(CodeTest, RepetitionRuns) {
    CodeProbe literal(u"a", {}, u"aaab");
    const char16_t* p = literal.subject.data();
    EXPECT_TRUE(literal.compiled.Root()->ExecRepeat(p, false));
    EXPECT_EQ(p - literal.subject.data(), 3);

    // U+0000 runs to the end of the subject, not past it.
    CodeProbe nul(u"\\x00", {}, std::u16string(2, u'\0'));
    p = nul.subject.data();
    EXPECT_TRUE(nul.compiled.Root()->ExecRepeat(p, true));
    EXPECT_EQ(p, nul.subject.data() + 2);

    // A code that matches empty ends the run after its first success.
    CodeProbe head(u"^", {}, u"ab");
    p = head.subject.data();
    EXPECT_TRUE(head.compiled.Root()->ExecRepeat(p, false));
    EXPECT_EQ(p, head.subject.data());
    EXPECT_TRUE(head.compiled.Root()->ExecRepeat(p, 3, 5));

    CodeProbe dots(u".", {}, u"ab\r\n");
    p = dots.subject.data();
    EXPECT_TRUE(dots.compiled.Root()->ExecRepeat(p, false));
    EXPECT_EQ(p - dots.subject.data(), 2);

    CodeProbe bound(u"a", {}, u"aaaa");
    p = bound.subject.data();
    EXPECT_TRUE(bound.compiled.Root()->ExecRepeat(p, 2, 3));
    EXPECT_EQ(p - bound.subject.data(), 3);
    p = bound.subject.data() + 3;
    EXPECT_FALSE(bound.compiled.Root()->ExecRepeat(p, 2, 3));
}

TEST(CodeTest, FindAndOverlap) {
    CodeProbe literal(u"cd", {}, u"abcdcd");
    EXPECT_EQ(literal.compiled.Root()->Find(literal.subject.data()), literal.subject.data() + 2);
    CodeProbe cls(u"[0-9]", {}, u"ab7");
    EXPECT_EQ(cls.compiled.Root()->Find(cls.subject.data()), cls.subject.data() + 2);

    auto a = test::CompilePattern(u"abc");
    auto b = test::CompilePattern(u"ab");
    auto digit = test::CompilePattern(u"\\d");
    auto lineBreak = test::CompilePattern(u"\\R");
    auto newline = test::CompilePattern(u"\\n");
    EXPECT_TRUE(a.Root()->IsOverlap(b.Root()));
    EXPECT_FALSE(digit.Root()->IsOverlap(a.Root()));
    EXPECT_FALSE(a.Root()->IsOverlap(digit.Root()));
    EXPECT_TRUE(lineBreak.Root()->IsOverlap(newline.Root()));
}

TEST(CodeTest, ReferencesAndCallouts) {
    TREOwner owner;
    std::u16string subject = u"abab";
    owner.SetSubject(subject.data(), subject.data() + subject.size());
    owner.FGroups.Add(u"n");
    auto* reference = owner.NewCode<TREReferenceCode>(1, TREOptions{});
    auto* named = owner.NewCode<TRENamedReferenceCode>(u"n", 1, TREOptions{roIgnoreCase});
    int len = 0;
    EXPECT_FALSE(reference->IsEqual(subject.data(), len)); // the group took no part
    auto& group = owner.FGroups.Items(1);
    group.FStartP = group.FEndP = subject.data();
    group.FSuccess = true;
    EXPECT_TRUE(reference->IsEqual(subject.data() + 1, len));
    EXPECT_EQ(len, 0);
    group.FEndP = subject.data() + 2;
    EXPECT_TRUE(named->IsEqual(subject.data() + 2, len));
    EXPECT_EQ(len, 2);
    EXPECT_FALSE(reference->IsEqual(subject.data() + 3, len));

    auto* callout = owner.NewCode<TRECalloutCode>(7, 3, 1);
    EXPECT_FALSE(callout->IsEqual(subject.data(), len));
    owner.FOnCallout = [](TCalloutData& data, bool& isMatch, std::int32_t& matchLength) {
        isMatch = data.CalloutNumber == 7 && data.CurrentPosition == 2;
        matchLength = 1;
    };
    EXPECT_TRUE(callout->IsEqual(subject.data() + 1, len));
    EXPECT_EQ(len, 1);

    auto* inSub = owner.NewCode<TREInSubReferenceCode>(1);
    EXPECT_FALSE(inSub->IsEqual(subject.data(), len));
    owner.FSubStack.push_back({1});
    EXPECT_TRUE(inSub->IsEqual(subject.data(), len));
}

TEST(CodeTest, CharRangeMergesOverlappingAndAdjacentRanges) {
    TRECharRange range;
    range.Add(10, 20);
    range.Add(30, 40);
    range.Add(50, 60);
    range.Add(21, 29); // joins the first two
    ASSERT_EQ(range.Count(), 2);
    EXPECT_EQ(range.Get(0), std::make_pair(char32_t{10}, char32_t{40}));
    range.Add(5, 70); // covers everything
    ASSERT_EQ(range.Count(), 1);
    EXPECT_EQ(range.Get(0), std::make_pair(char32_t{5}, char32_t{70}));
    range.Add(100, 100);
    range.Add(80, 90);
    EXPECT_TRUE(range.IsMatch(85));
    EXPECT_TRUE(range.IsMatch(100));
    EXPECT_FALSE(range.IsMatch(95));
    EXPECT_FALSE(range.IsMatch(4));
}

} // namespace
} // namespace zel
