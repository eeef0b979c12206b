#include "listbox/highlight.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

TEST(Highlight, MarksEveryOccurrenceAroundTags) {
    const TextFolder exact(nullptr, false, false);
    const TextFolder upper(std::make_shared<const UpperCaseTable>(LocaleData{}), false, false);
    struct Case {
        const char16_t* text;
        const char16_t* highlight;
        bool caseSensitive;
        const char16_t* marked;
    };
    const Case cases[] = {
        {u"xababy", u"ab", true, u"x<hi>ab</hi><hi>ab</hi>y"},
        {u"x<b>ab</b>y", u"ab", true, u"x<hi><b>ab</hi></b>y"},
        {u"<b>ab</b>", u"ab", true, u"<hi><b>ab</b></hi>"},
        {u"a<i>b</i>c", u"bc", true, u"a<hi><i>b</i>c</hi>"},
        {u"Abc aBC", u"bc", false, u"A<hi>bc</hi> a<hi>BC</hi>"},
        {u"Abc aBC", u"bc", true, u"A<hi>bc</hi> aBC"},
        {u"no hit", u"zz", false, u"no hit"},
        {u"aaa", u"aa", true, u"<hi>aa</hi>a"},
        {u"ab<unclosed ab", u"ab", true, u"<hi>ab<unclosed ab</hi>"},
        {u"text", u"", true, u"text"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MarkHighlights(c.text, c.highlight, c.caseSensitive ? exact : upper), c.marked)
            << std::string(c.text, c.text + std::char_traits<char16_t>::length(c.text));
}

TEST(Highlight, FoldsAsTheSearchDoes) {
    LocaleData locale;
    locale.UpperCase = [](std::u16string_view text) {
        std::u16string upper(text);
        for (char16_t& c : upper)
            c = c == u'é' ? u'É' : (c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c);
        return upper;
    };
    const auto table = std::make_shared<const UpperCaseTable>(locale);
    EXPECT_EQ(MarkHighlights(u"CAFÉ café", u"é", TextFolder(table, false, false)),
              u"CAF<hi>É</hi> caf<hi>é</hi>");
    EXPECT_EQ(MarkHighlights(u"CAFÉ café", u"é", TextFolder(nullptr, false, false)),
              u"CAFÉ caf<hi>é</hi>");
    // Kana and width: a half-width kana with its sound mark is marked whole.
    EXPECT_EQ(MarkHighlights(u"<b>ｶﾞ</b>ラス が", u"が", TextFolder(table, true, true)),
              u"<hi><b>ｶﾞ</hi></b>ラス <hi>が</hi>");
}

} // namespace
} // namespace zel
