// Replace, Substitute, Split and the escape helpers, including the application's two
// note-removing passes over phrase-list lines.
#include <gtest/gtest.h>

#include "regex/zelregexp/zel_regexp.h"

namespace zel {
namespace {

// What the copy-on-click handler does to one line.
std::u16string RemoveNotes(std::u16string text) {
    TZelRegExp re;
    re.SetExpression(u"\\[.*\\]\\s");
    re.SetIgnoreCase(true);
    text = re.Replace(text, u"", 0, 1);
    re.SetExpression(u"\\[.*\\]");
    re.SetIgnoreCase(true);
    return re.Replace(text, u"", 0, 1);
}

TEST(Replace, NoteRemovingPasses) {
    const struct {
        std::u16string_view Line;
        std::u16string_view Expected;
    } cases[] = {
        {u"おはよう [挨拶] ございます", u"おはよう ございます"},
        {u"A [x] B [y]", u"A B "},
        {u"A [x]B [y] C", u"A C"},
        {u"[a] [b]", u""},
        {u"[a][b]", u""},
        {u"A [x]\u3000B", u"A B"},
        {u"A [x]\u00A0B", u"A B"},
        {u"A [x]\u000BB", u"A \u000BB"}, // U+000B is no white space: the second pass removes "[x]"
        {u"A [x]\u2028B", u"A B"},
        {u"A [x]\r\nB", u"A \nB"},
        {u"A [x\u2029y] B", u"A B"}, // "." crosses U+2029
        {u"no note here", u"no note here"},
        {u"only [ open", u"only [ open"},
        {u"only ] close [", u"only ] close ["},
        {u"", u""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RemoveNotes(std::u16string(c.Line)), c.Expected);
}

TEST(Replace, CountsOffsetsAndEmptyMatches) {
    TZelRegExp re(u"x*");
    EXPECT_EQ(re.Replace(u"abc", u"-"), u"abc");
    EXPECT_EQ(re.Replace(u"axc", u"-"), u"a-c");
    TZelRegExp a(u"a");
    EXPECT_EQ(a.Replace(u"aaaa", u"b", 2), u"bbaa");
    EXPECT_EQ(a.Replace(u"aaaa", u"b", 0, 3), u"aabb");
    EXPECT_EQ(a.Replace(u"aaaa", u"\\x41\\n"), u"A\nA\nA\nA\n");
    // The replacement is decoded before searching: a bad one raises with the subject set.
    EXPECT_THROW(a.Replace(u"zzz", u"\\x4g"), EZelRegExpCompile);
    EXPECT_EQ(a.InputString(), u"zzz");
    // The input may be the object's own subject.
    ASSERT_TRUE(a.Exec(u"banana"));
    EXPECT_EQ(a.Replace(a.InputString(), u"o"), u"bonono");
}

TEST(Replace, FunctionsAndEvents) {
    TZelRegExp re(u"\\d+");
    int calls = 0;
    re.OnReplace = [&](TZelRegExp&, std::u16string&) { ++calls; };
    const auto doubled =
        re.Replace(u"a1b22", [](TZelRegExp& r) { return r.Strings() + r.Strings(); });
    EXPECT_EQ(doubled, u"a11b2222");
    EXPECT_EQ(calls, 0); // the handler set before is removed
    EXPECT_FALSE(re.OnReplace);
    re.OnReplace = [](TZelRegExp&, std::u16string& with) { with = u"<" + with + u">"; };
    EXPECT_EQ(re.Replace(u"a1b22", u"#$0"), u"a<#1>b<#22>");
    EXPECT_THROW(re.Replace(u"1", [](TZelRegExp&) -> std::u16string { throw Exception(u"x"); }),
                 Exception);
    EXPECT_FALSE(re.OnReplace);
    EXPECT_EQ(TZelRegExp::RegReplace(u"(\\w)(\\w)", u"ab cd", u"$2$1"), u"ba dc");
    EXPECT_EQ(
        TZelRegExp::RegReplace(u"b", u"abc", [](TZelRegExp&) { return std::u16string(u"B"); }),
        u"aBc");
}

TEST(Replace, SubstituteTemplates) {
    TZelRegExp re(u"(?<first>b)(c)?");
    ASSERT_TRUE(re.Exec(u"abd"));
    const struct {
        std::u16string_view Template;
        std::u16string_view Expected;
    } cases[] = {
        {u"$0", u"b"},       {u"$1", u"b"},       {u"$9", u""},   {u"$12", u"b2"},
        {u"${first}", u"b"}, {u"${nosuch}", u""}, {u"${1}", u""}, {u"$&", u"b"},
        {u"$$", u"$"},       {u"$`", u"a"},       {u"$'", u"d"},  {u"$_", u"abd"},
        {u"$+", u"b"},       {u"$x", u"x"},       {u"a$", u"a$"}, {u"${first", u"b"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(re.Substitute(c.Template), c.Expected)
            << std::string(c.Template.begin(), c.Template.end());
    ASSERT_FALSE(re.Exec(u"zzz"));
    EXPECT_EQ(re.Substitute(u"$0x"), u"");
}

TEST(Split, Pieces) {
    TZelRegExp re(u",");
    std::vector<std::u16string> pieces;
    re.Split(u"a,b,,c", pieces);
    EXPECT_EQ(pieces, (std::vector<std::u16string>{u"a", u"b", u"", u"c"}));
    re.Split(u"a,b,,c", pieces, 2);
    EXPECT_EQ(pieces, (std::vector<std::u16string>{u"a", u"b,,c"}));
    re.Split(u"abc", pieces);
    EXPECT_TRUE(pieces.empty());
    TZelRegExp::RegSplit(u"\\s*;\\s*|x*", u"a ; b;c", pieces);
    EXPECT_EQ(pieces, (std::vector<std::u16string>{u"a", u"b", u"c"}));
}

TEST(Escapes, DecodeEncodeQuote) {
    EXPECT_EQ(TZelRegExp::DecodeEscape(u"\\x41\\u"), u"Au");
    EXPECT_EQ(TZelRegExp::DecodeEscape(u"\\x{1F600}\\t\\cA\\c\\\\\\0101\\o{101}\\$"),
              u"\U0001F600\t\x01\x1C\x08"
              u"1A$");
    EXPECT_EQ(TZelRegExp::DecodeEscape(u"(a)\\1\\2"), std::u16string(u"(a)\\1\x02", 6));
    EXPECT_EQ(TZelRegExp::DecodeEscape(u"\\9x"), std::u16string(u"\0"
                                                                u"9x",
                                                                3));
    EXPECT_EQ(TZelRegExp::DecodeEscape(u"ab\\"), u"ab\\");
    const struct {
        std::u16string_view Input;
        std::u16string_view Message;
    } errors[] = {
        {u"\\x4g", u"\\x4g <-- 16進数が必要です"},
        {u"\\x{110000}", u"\\x{110000} <-- コードポイントの範囲を超えています"},
        {u"\\x{41", u"\\x{41 <--  { がマッチしません"},
        {u"\\o41", u"\\o <-- \\o の次は { が必要です"},
        {u"\\o{48}", u"\\o{48 <-- 8進数が必要です"},
        {u"\\o{4", u"\\o{4 <-- \\o の最後には } が必要です"},
        {u"\\c\\x", u"\\c\\x <-- エスケープ文字の書式が間違っています"},
    };
    for (const auto& e : errors) {
        try {
            TZelRegExp::DecodeEscape(e.Input);
            ADD_FAILURE() << "no error";
        } catch (const EZelRegExpCompile& error) {
            EXPECT_EQ(error.Message(), e.Message);
        }
    }
    try {
        TZelRegExp::DecodeEscape(u"\\x4g");
        FAIL();
    } catch (const EZelRegExpCompile& error) {
        EXPECT_EQ(error.Message(), u"\\x4g <-- 16進数が必要です");
    }

    std::u16string raw(u"a\0\t\n\x1B\u0085\u200E", 7);
    raw += char16_t(0xDC00);
    raw += u"\U0001F600";
    EXPECT_EQ(TZelRegExp::EncodeEscape(raw), u"a\\x{00}\\t\\n\\e\u0085\u200E\\x{dc00}\U0001F600");
    EXPECT_EQ(TZelRegExp::EscapeRegExChars(u"a+b(c)"), u"a\\+b\\(c\\)");
    EXPECT_EQ(TZelRegExp::EscapeRegExChars(std::u16string(u"$.-#\0", 5)), u"\\$\\.-#\\0");
}

} // namespace
} // namespace zel
