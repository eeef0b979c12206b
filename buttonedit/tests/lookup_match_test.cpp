// The lookup list without a window: matching, order, size, place, keys and accepting.
#include "buttonedit/lookup_match.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

const std::vector<std::u16string> kFruit{u"Apple", u"Apricot", u"Banana"};
const std::vector<std::u16string> kColours{u"red", u"", u"yellow"};

std::vector<TLookupEntry> Match(std::u16string_view word, LookupMatchOptions options = {},
                                const std::vector<std::u16string>& values = {}) {
    return MatchLookup(word, kFruit, values, options, LocaleData{});
}

TEST(LookupMatch, MatchesAtTheStartOrAnywhere) {
    using Entries = std::vector<TLookupEntry>;
    EXPECT_EQ(Match(u"ap"), (Entries{{u"Apple", 0}, {u"Apricot", 1}}));
    EXPECT_EQ(Match(u"APR"), (Entries{{u"Apricot", 1}}));
    EXPECT_EQ(Match(u"b"), (Entries{{u"Banana", 2}}));
    EXPECT_EQ(Match(u"an"), Entries{});
    EXPECT_EQ(Match(u""), (Entries{{u"Apple", 0}, {u"Apricot", 1}, {u"Banana", 2}}));
    LookupMatchOptions caseSensitive;
    caseSensitive.CaseSensitive = true;
    EXPECT_EQ(Match(u"ap", caseSensitive), Entries{});
    EXPECT_EQ(Match(u"Ap", caseSensitive).size(), 2u);
    LookupMatchOptions anywhere;
    anywhere.FullTextSearch = true;
    EXPECT_EQ(Match(u"an", anywhere), (Entries{{u"Banana", 2}}));
    EXPECT_EQ(Match(u"p", anywhere).size(), 2u);
}

TEST(LookupMatch, ValuesMatchAndShowInTheirBrackets) {
    using Entries = std::vector<TLookupEntry>;
    LookupMatchOptions options;
    options.SearchValue = true;
    EXPECT_EQ(Match(u"ye", options, kColours), (Entries{{u"Banana", 2}}));
    EXPECT_EQ(Match(u"ye", {}, kColours), Entries{});
    options.ShowValue = true;
    const struct {
        TValueSeparator separator;
        std::u16string shown;
    } brackets[] = {
        {TValueSeparator::vsBracket, u"Apple (red)"},
        {TValueSeparator::vsSquareBracket, u"Apple [red]"},
        {TValueSeparator::vsLargerSmaller, u"Apple <red>"},
        {TValueSeparator::vsNone, u"Apple red"},
    };
    for (const auto& b : brackets) {
        options.ValueSeparator = b.separator;
        const auto entries = Match(u"ap", options, kColours);
        ASSERT_EQ(entries.size(), 2u);
        EXPECT_EQ(entries[0].Text, b.shown);
        EXPECT_EQ(entries[1].Text, u"Apricot"); // an empty value is not shown
    }
}

TEST(LookupMatch, TheWordIsWhatFollowsTheLastSeparator) {
    EXPECT_EQ(LookupWord(u"red;gr", true, u';'), u"gr");
    EXPECT_EQ(LookupWord(u"red;", true, u';'), u"");
    EXPECT_EQ(LookupWord(u"gr", true, u';'), u"gr");
    EXPECT_EQ(LookupWord(u"red;gr", false, u';'), u"red;gr");
}

TEST(LookupMatch, EntriesSortWithoutRegardToCaseAndKeepTheirIndexes) {
    std::vector<TLookupEntry> entries{{u"b", 0}, {u"A", 1}, {u"a", 2}, {u"C", -1}};
    SortLookupEntries(entries, LocaleData{});
    EXPECT_EQ(entries, (std::vector<TLookupEntry>{{u"A", 1}, {u"a", 2}, {u"b", 0}, {u"C", -1}}));
}

TEST(LookupMatch, ThePopupFitsItsRowsBelowTheWord) {
    EXPECT_EQ(LookupPopupSize(3, 4, 14, 30, 17), (Size{58, 46}));
    EXPECT_EQ(LookupPopupSize(6, 4, 14, 100, 17), (Size{125, 60}));
    EXPECT_EQ(LookupPopupSize(4, 4, 10, 60, 17), (Size{68, 44}));
    EXPECT_EQ(LookupPopupOrigin({100, 200}, 150, 21, 30), (Point{138, 217}));
    EXPECT_EQ(LookupPopupOrigin({100, 200}, 150, 21, 400), (Point{258, 217}));
}

TEST(LookupMatch, KeysMoveWithoutWrapping) {
    using enum TLookupMove;
    struct Case {
        int index, count;
        TLookupMove move;
        int expected;
    } cases[] = {
        {0, 5, lmUp, 0},     {0, 5, lmDown, 1},     {4, 5, lmDown, 4},     {3, 5, lmFirst, 0},
        {1, 5, lmLast, 4},   {1, 5, lmPageDown, 4}, {0, 9, lmPageDown, 4}, {3, 5, lmPageUp, 0},
        {7, 9, lmPageUp, 3}, {-1, 5, lmDown, 0},    {0, 0, lmDown, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MovedLookupIndex(c.index, c.count, c.move, 4), c.expected)
            << c.index << " " << int(c.move);
}

TEST(LookupMatch, AcceptingGivesTheValueOrTheDisplayText) {
    EXPECT_EQ(LookupValue({u"Apple (red)", 0}, kFruit, kColours), u"red");
    EXPECT_EQ(LookupValue({u"Apricot", 1}, kFruit, kColours), u"Apricot");
    EXPECT_EQ(LookupValue({u"Banana", 2}, kFruit, {}), u"Banana");
    EXPECT_EQ(LookupValue({u"added", -1}, kFruit, kColours), u"added");
    EXPECT_EQ(AcceptedLookupText(u"ap", u"Apple", false, u';'), u"Apple");
    EXPECT_EQ(AcceptedLookupText(u"red;ap", u"Apple", true, u';'), u"red;Apple;");
    EXPECT_EQ(AcceptedLookupText(u"ap", u"Apple", true, u';'), u"Apple;");
}

} // namespace
} // namespace zel
