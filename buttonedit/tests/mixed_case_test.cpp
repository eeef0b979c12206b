// Mixed case: words, the Mc and Mac names and a closing "II".
#include "buttonedit/mixed_case.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

TEST(MixedCase, CapitalisesWordsAndNames) {
    struct Case {
        std::u16string text, mixed;
    } cases[] = {
        {u"mcdonald", u"McDonald"},
        {u"macdonald", u"MacDonald"},
        {u"ronald mcdonald", u"Ronald McDonald"},
        {u"al mcbee mcfoo", u"Al McBee Mcfoo"}, // only the first Mc word after the start
        {u"JOHN SMITH", u"John Smith"},
        {u"o'neil", u"O'Neil"},
        {u"mary-ann", u"Mary-Ann"},
        {u"a.b/c:d\\e\"f$g*h)i,j", u"A.B/C:D\\E\"F$G*H)I,J"},
        {u"(abc)", u"(abc)"}, // "(" is no word break
        {u"henry ii", u"Henry II"},
        {u"henry iii", u"Henry Iii"},
        {u"mc", u"Mc"},
        {u"", u""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MixedCase(c.text, LocaleData{}), c.mixed)
            << std::string(c.text.begin(), c.text.end());
}

TEST(MixedCase, UsesTheLocalesCasesOrAsciiWhenTheyChangeTheLength) {
    LocaleData greek;
    greek.UpperCase = [](std::u16string_view text) {
        std::u16string upper(text);
        for (char16_t& c : upper)
            c = c == u'\u03B1' ? u'\u0391' : UpperText({&c, 1}, LocaleData{}).front();
        return upper;
    };
    EXPECT_EQ(MixedCase(u"\u03B1\u03B1 ab", greek), u"\u0391\u03B1 Ab");
    LocaleData longer;
    longer.UpperCase = [](std::u16string_view text) { return std::u16string(text) + u"!"; };
    EXPECT_EQ(MixedCase(u"ab cd", longer), u"Ab Cd");
}

} // namespace
} // namespace zel
