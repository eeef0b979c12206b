// The search pattern language: patterns built from typed texts, the comparisons in several
// locales, and what every text a user may type gives.
#include "listbox/filter_pattern.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zel {
namespace {

LocaleData YearMonthDay() {
    LocaleData locale;
    locale.ShortDateFormat = u"yyyy/MM/dd";
    locale.DateSeparator = u'/';
    locale.DecimalSeparator = u'.';
    locale.ThousandSeparator = u',';
    return locale;
}

LocaleData DayMonthYear() {
    LocaleData locale;
    locale.ShortDateFormat = u"dd.MM.yyyy";
    locale.DateSeparator = u'.';
    locale.DecimalSeparator = u',';
    locale.ThousandSeparator = u'.';
    return locale;
}

std::string Narrow(std::u16string_view text) {
    std::string out;
    for (char16_t c : text)
        out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

// The items that a typed text keeps, case-insensitively, as the filter pass asks; with
// ignoreKanaWidth, hiragana match katakana and full width half width.
std::vector<std::u16string> Kept(TFilterMethod method, std::u16string_view typed,
                                 const std::vector<std::u16string>& items,
                                 const LocaleData& locale = YearMonthDay(),
                                 bool ignoreKanaWidth = false) {
    const TextFolder folder(CaseTableOf(locale), ignoreKanaWidth, ignoreKanaWidth);
    TFilterMatcher matcher(BuildFilterPattern(method, typed), folder, locale);
    std::vector<std::u16string> kept;
    for (const std::u16string& item : items)
        if (matcher.Matches(item))
            kept.push_back(item);
    return kept;
}

using Items = std::vector<std::u16string>;

TEST(FilterPattern, BuiltFromTheMethodAndTheTypedText) {
    using enum TFilterMethod;
    EXPECT_EQ(BuildFilterPattern(fmStartsWith, u"ab"), u"ab*");
    EXPECT_EQ(BuildFilterPattern(fmEndsWith, u"ab"), u"*ab");
    EXPECT_EQ(BuildFilterPattern(fmContains, u"ab"), u"*ab*");
    EXPECT_EQ(BuildFilterPattern(fmNotContains, u"ab"), u"!*ab*");
    EXPECT_EQ(BuildFilterPattern(fmEqual, u"ab"), u"ab");
    EXPECT_EQ(BuildFilterPattern(fmNotEqual, u"ab"), u"!ab");
    EXPECT_EQ(BuildFilterPattern(fmContains, u"a b"), u"*\"a b\"*");
}

TEST(FilterPattern, ContainsIgnoresCaseAndKeepsTheSpecialCharactersMeaning) {
    using enum TFilterMethod;
    EXPECT_EQ(Kept(fmContains, u"ab", {u"xxABxx", u"a b", u"cab"}), (Items{u"xxABxx", u"cab"}));
    EXPECT_EQ(Kept(fmContains, u"a b", {u"xa bx", u"ab", u"\"a b\""}),
              (Items{u"xa bx", u"\"a b\""}));
    EXPECT_EQ(Kept(fmContains, u"x*y", {u"xay", u"yx", u"x-y-z"}), (Items{u"xay", u"x-y-z"}));
    EXPECT_EQ(Kept(fmContains, u"?", {u"", u"a", u"ありがとう"}), (Items{u"a", u"ありがとう"}));
    EXPECT_EQ(Kept(fmContains, u"!", {u"", u"!", u"a"}), Items{});
    EXPECT_EQ(Kept(fmContains, u"お疲れ", {u"お疲れさまです", u"おつかれ"}),
              Items{u"お疲れさまです"});
}

TEST(FilterPattern, KanaAndWidthWhenAsked) {
    using enum TFilterMethod;
    const Items items{u"ミーティング", u"ﾐｰﾃｨﾝｸﾞ", u"みーてぃんぐ", u"ミーテイング", u"ＡＢＣ商事"};
    EXPECT_EQ(Kept(fmContains, u"みーてぃんぐ", items), Items{u"みーてぃんぐ"});
    EXPECT_EQ(Kept(fmContains, u"みーてぃんぐ", items, YearMonthDay(), true),
              (Items{u"ミーティング", u"ﾐｰﾃｨﾝｸﾞ", u"みーてぃんぐ"}));
    EXPECT_EQ(Kept(fmContains, u"abc", items, YearMonthDay(), true), Items{u"ＡＢＣ商事"});
    // The pattern language is unchanged: a full-width star is a star, as its half-width form.
    EXPECT_EQ(Kept(fmContains, u"ﾐｰ＊ｸﾞ", items, YearMonthDay(), true),
              (Items{u"ミーティング", u"ﾐｰﾃｨﾝｸﾞ", u"みーてぃんぐ", u"ミーテイング"}));
}

TEST(FilterPattern, AComparisonInAContainsPatternTakesTheStarIntoItsOperand) {
    // ">10" with contains: the operand is "10*", no number, so every text compares as text.
    EXPECT_EQ(Kept(TFilterMethod::fmContains, u">10", {u"2", u"1", u"abc", u"x>10y"}),
              (Items{u"2", u"abc", u"x>10y"}));
}

TEST(FilterPattern, NumbersDatesAndTextsCompare) {
    using enum TFilterMethod;
    const Items numbers{u"9", u"10", u"10.5", u"11", u"1,000", u"19", u"20", u"4", u"5", u"7"};
    EXPECT_EQ(Kept(fmEqual, u">10", numbers), (Items{u"10.5", u"11", u"1,000", u"19", u"20"}));
    EXPECT_EQ(Kept(fmEqual, u">=10", numbers),
              (Items{u"10", u"10.5", u"11", u"1,000", u"19", u"20"}));
    EXPECT_EQ(Kept(fmEqual, u"<b", {u"a", u"b", u"c"}), Items{u"a"});
    EXPECT_EQ(Kept(fmEqual, u">10&<20", numbers), (Items{u"10.5", u"11", u"19"}));
    EXPECT_EQ(Kept(fmEqual, u">10 ^ <5", numbers),
              (Items{u"10.5", u"11", u"1,000", u"19", u"20", u"4"}));
    // Without the blanks the first operand runs to the end of the pattern and is no number:
    // "100" sorts before "10^<5" as a text.
    EXPECT_EQ(Kept(fmEqual, u">10 ^ <5", {u"11", u"100"}), (Items{u"11", u"100"}));
    EXPECT_EQ(Kept(fmEqual, u">10^<5", {u"11", u"100"}), Items{u"11"});
    EXPECT_EQ(Kept(fmEqual, u">2024/01/31",
                   {u"2024/02/01", u"2024/2/1 12:30", u"2024/01/31", u"2024/02/30", u"2023/12/31"}),
              (Items{u"2024/02/01", u"2024/2/1 12:30", u"2024/02/30"}));
}

TEST(FilterPattern, DayMonthYearWithADecimalComma) {
    using enum TFilterMethod;
    const LocaleData locale = DayMonthYear();
    EXPECT_EQ(Kept(fmEqual, u">31.01.2024", {u"01.02.2024", u"31.01.2024", u"30.01.2024"}, locale),
              Items{u"01.02.2024"});
    EXPECT_EQ(Kept(fmEqual, u">1,5", {u"2", u"1,75", u"1,25", u"1.000"}, locale),
              (Items{u"2", u"1,75", u"1.000"}));
}

TEST(FilterPattern, AnEmptyConditionWithEachMethod) {
    using enum TFilterMethod;
    const Items items{u"", u"a"};
    EXPECT_EQ(Kept(fmStartsWith, u"", items), items);
    EXPECT_EQ(Kept(fmEndsWith, u"", items), items);
    EXPECT_EQ(Kept(fmContains, u"", items), items);
    EXPECT_EQ(Kept(fmEqual, u"", items), Items{u""});
    EXPECT_EQ(Kept(fmNotContains, u"", items), Items{});
    EXPECT_EQ(Kept(fmNotEqual, u"", items), Items{u"a"});
}

TEST(FilterPattern, CaseFollowsTheLocalesUpperCasing) {
    LocaleData locale = YearMonthDay();
    locale.UpperCase = [](std::u16string_view text) {
        std::u16string upper(text);
        for (size_t i = 0; i < upper.size(); ++i) {
            char16_t& c = upper[i];
            c = c == u'ä' ? u'Ä' : (c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c);
            // A letter beyond the first plane: U+10428 becomes U+10400.
            if (c == 0xDC28 && i > 0 && upper[i - 1] == 0xD801)
                c = 0xDC00;
        }
        return upper;
    };
    PrepareCaseTable(locale);
    EXPECT_TRUE(MatchFilter(u"*ä*", u"BÄR", false, locale));
    EXPECT_TRUE(MatchFilter(u"*\U00010428*", u"x\U00010400", false, locale));
    EXPECT_TRUE(MatchFilter(u"*\U00010400?*", u"\U00010428a", false, locale));
    EXPECT_TRUE(MatchFilter(u"*r*", u"\U00010428r", false, locale));
    EXPECT_FALSE(MatchFilter(u"*ä*", u"BÄR", true, locale));
    EXPECT_TRUE(MatchFilter(u"*Ä*", u"BÄR", true, locale));
    // Without the locale's function only ASCII letters change case.
    EXPECT_FALSE(MatchFilter(u"*ä*", u"BÄR", false, YearMonthDay()));
}

TEST(FilterCompare, NumbersAreNormalisedByTheLocale) {
    EXPECT_EQ(NormalizeNumber(u"1,234.5", YearMonthDay()), u"1234.5");
    EXPECT_EQ(NormalizeNumber(u"1.234,5", DayMonthYear()), u"1234.5");
    struct Case {
        std::u16string_view text;
        bool valid;
        double value;
    } cases[] = {
        {u"12", true, 12},    {u"  -1.5", true, -1.5}, {u"+.5", true, 0.5},    {u"5.", true, 5},
        {u"1e3", true, 1000}, {u"2E-1", true, 0.2},    {u"1,000", true, 1000}, {u"", false, 0},
        {u".", false, 0},     {u"1e", false, 0},       {u"12 ", false, 0},     {u"1.2.3", false, 0},
        {u"0x10", false, 0},  {u"１２", false, 0},
    };
    std::string digits;
    for (const Case& c : cases) {
        double value = -99;
        EXPECT_EQ(ReadFilterNumber(c.text, YearMonthDay(), digits, value), c.valid)
            << Narrow(c.text);
        if (c.valid) {
            EXPECT_DOUBLE_EQ(value, c.value) << Narrow(c.text);
        }
    }
}

TEST(FilterCompare, DatesFollowTheShortDateFormat) {
    struct Case {
        std::u16string_view text;
        bool valid;
        double value;
    } cases[] = {
        {u"2024/02/01", true, 45323},
        {u"2024/2/1 12:30", true, 45323 + 12.5 / 24},
        {u"2024/01/31 23:59:59", true, 45322 + 86399.0 / 86400},
        {u"1899/12/30", true, 0},
        {u"2024/02/29", true, 45351},
        {u"2023/02/29", false, 0},
        {u"2024/02/30", false, 0},
        {u"2024/13/01", false, 0},
        {u"2024/00/01", false, 0},
        {u"0/01/01", false, 0},
        {u"2024/01", false, 0},
        {u"2024/01/31 24:00", false, 0},
        {u"2024/01/31 12:60", false, 0},
        {u"2024/01/31 12:30:60", false, 0},
        {u"2024/01/31 12", false, 0},
        {u"2024/-1/31", false, 0},
        {u"a/b/c", false, 0},
    };
    for (const Case& c : cases) {
        double value = -1;
        EXPECT_EQ(ParseFilterDate(c.text, YearMonthDay(), value), c.valid) << Narrow(c.text);
        if (c.valid) {
            EXPECT_NEAR(value, c.value, 1e-9) << Narrow(c.text);
        }
    }
    double value = 0;
    ASSERT_TRUE(ParseFilterDate(u"31.01.2024", DayMonthYear(), value));
    EXPECT_EQ(value, 45322);
    EXPECT_FALSE(ParseFilterDate(u"2024/01/31", DayMonthYear(), value));
}

TEST(FilterCompare, ADateIsNoNumberAndOtherTextsCompareOrdinally) {
    const LocaleData locale = YearMonthDay();
    EXPECT_TRUE(CompareOperand(u'>', u"10", u"11", false, locale));
    EXPECT_FALSE(CompareOperand(u'>', u"10", u"10", false, locale));
    EXPECT_TRUE(CompareOperand(u'>', u"10", u"10", true, locale));
    EXPECT_TRUE(CompareOperand(u'<', u"10", u"9", false, locale));
    // Text: "9" sorts after "10".
    EXPECT_TRUE(CompareOperand(u'>', u"10x", u"9", false, locale));
    EXPECT_TRUE(CompareOperand(u'>', u"2024/01/31", u"2024/02/01", false, locale));
    // Only the first 255 characters count.
    const std::u16string longA(255, u'a');
    EXPECT_FALSE(CompareOperand(u'>', longA + u"a", longA + u"b", false, locale));
    EXPECT_FALSE(CompareOperand(u'=', u"1", u"2", false, locale));
}

TEST(FilterPattern, AnyTypedTextGivesAResult) {
    const std::u16string surrogates{u'a', 0xD800, u'b', 0xDC00};
    const std::u16string withNul{u'a', 0, u'b'};
    const std::u16string longText(10000, u'*');
    const Items typed{u"\"abc", u">",      u"<=",   u"&",  u"^",     u"!",     u"2024/02/30",
                      u"\">\"", u">\"a b", u"<\"",  u"> ", u"|",     longText, surrogates,
                      withNul,  u">10&",   u"!>1^", u">=", u"\"\"\""};
    const Items items{u"", u"abc", u"10", u"2024/02/29", surrogates, withNul, longText};
    for (int method = 0; method <= static_cast<int>(TFilterMethod::fmNotEqual); ++method)
        for (const std::u16string& text : typed)
            EXPECT_NO_THROW(Kept(static_cast<TFilterMethod>(method), text, items)) << Narrow(text);
    EXPECT_EQ(Kept(TFilterMethod::fmContains, withNul, items), Items{withNul});
}

} // namespace
} // namespace zel
