// The wildcard match: the cases users type, and every small pattern against a plain reading of
// the backtracking rules, which the bounded matcher must agree with.
#include "listbox/testing/wildcard_reference.h"
#include "listbox/wildcard.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace zel {
namespace {

std::string Narrow(std::u16string_view text) {
    return std::string(text.begin(), text.end());
}

TEST(Wildcard, TypedPatterns) {
    struct Case {
        std::u16string_view pattern, text;
        bool matches;
    } cases[] = {
        {u"*AB*", u"XXABXX", true},
        {u"*AB*", u"A B", false},
        {u"*\"A B\"*", u"XA BX", true}, // the quotes match nothing
        {u"*X*Y*", u"AXBBY", true},
        {u"*X*Y*", u"YX", false},
        {u"*?*", u"Z", true},
        {u"*?*", u"", false},
        {u"*!*", u"ANY", false}, // the inner match fails at every position
        {u"*!*", u"", false},
        {u"!*AB*", u"XABX", false},
        {u"!*AB*", u"XAX", true},
        {u"!AB", u"AB", false},
        {u"!AB", u"ABC", true},
        {u"AB*", u"ABC", true},
        {u"AB*", u"CAB", false},
        {u"*AB", u"CAB", true},
        {u"AB", u"AB", true},
        {u"AB", u"", false},
        {u"", u"", true},
        {u"", u"A", false},
        {u"A!B", u"AB", false}, // the "!" comes after a success: the whole match negated
        {u"A!B", u"XB", false}, // ... and is never reached after a failure
        {u"*A*!B", u"CAB", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MatchWildcard(c.pattern, c.text), c.matches)
            << Narrow(c.pattern) << " / " << Narrow(c.text);
        EXPECT_EQ(testing::ReferenceWildcard(c.pattern, 0, c.text, 0), c.matches)
            << Narrow(c.pattern);
    }
}

TEST(Wildcard, AgreesWithTheBacktrackingRulesOnEverySmallCase) {
    std::mt19937 random(20261210);
    const std::u16string patternUnits = u"ab*?!\"";
    auto draw = [&](const std::u16string& units, int maxLength) {
        std::u16string text(random() % (maxLength + 1), u'a');
        for (char16_t& c : text)
            c = units[random() % units.size()];
        return text;
    };
    for (int i = 0; i < 40000; ++i) {
        const std::u16string P = draw(patternUnits, 7);
        const std::u16string S = draw(u"ab", 7);
        ASSERT_EQ(MatchWildcard(P, S), testing::ReferenceWildcard(P, 0, S, 0))
            << Narrow(P) << " / " << Narrow(S);
    }
}

TEST(Wildcard, ManyStarsOverALongTextStayBounded) {
    std::u16string text(10000, u'x');
    text[10] = u'a';
    text[5000] = u'b';
    EXPECT_FALSE(MatchWildcard(u"*a*b*c*d*e*", text));
    EXPECT_TRUE(MatchWildcard(u"*a*b*x*x*x*", text));
    // A "!" below the first star: every level at every position, still bounded.
    EXPECT_TRUE(MatchWildcard(u"*a*!b*c*d*e*", text));
    EXPECT_FALSE(MatchWildcard(u"!*a*b*", text));
    WildcardPattern reused(u"*a*!b*c*");
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(reused.Matches(text));
}

} // namespace
} // namespace zel
