// Numbers as the typed kinds write and read them, in both locales.
#include "buttonedit/number_text.h"
#include "buttonedit/tests/test_locales.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace zel {
namespace {

using namespace zel::testing_locales;
using enum TExtEditType;

std::string Narrow(std::u16string_view text) {
    return std::string(text.begin(), text.end());
}

TEST(NumberText, GeneralFormatIsTheShortestOfFifteenDigits) {
    struct Case {
        double value;
        std::u16string text;
    } cases[] = {
        {0, u"0"},
        {1.5, u"1.5"},
        {-2.25, u"-2.25"},
        {0.1, u"0.1"},
        {1.0 / 3, u"0.333333333333333"},
        {123456789012345, u"123456789012345"},
        {1e15, u"1E15"},
        {1.5e20, u"1.5E20"},
        {0.00001, u"0.00001"},
        {0.000001, u"1E-6"},
        {-2.5e-7, u"-2.5E-7"},
        {std::numeric_limits<double>::infinity(), u"INF"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GeneralNumberText(c.value, DotDecimals()), c.text) << c.value;
    EXPECT_EQ(GeneralNumberText(1.5, CommaDecimals()), u"1,5");
}

TEST(NumberText, FixedFormatGroupsThousandsInTheLocale) {
    EXPECT_EQ(FixedNumberText(1234.5, 2, true, DotDecimals()), u"1,234.50");
    EXPECT_EQ(FixedNumberText(1234.5, 2, false, DotDecimals()), u"1234.50");
    EXPECT_EQ(FixedNumberText(1234.5, 2, true, CommaDecimals()), u"1.234,50");
    EXPECT_EQ(FixedNumberText(1234567.891, 1, true, DotDecimals()), u"1,234,567.9");
    EXPECT_EQ(FixedNumberText(-1234.4, 0, true, DotDecimals()), u"-1,234");
    EXPECT_EQ(FixedNumberText(-0.001, 2, true, DotDecimals()), u"0.00");
    EXPECT_EQ(FixedNumberText(12, -3, false, DotDecimals()), u"12");
}

TEST(NumberText, DecimalNumbersReadStrictly) {
    struct Case {
        std::u16string text;
        bool comma;
        bool reads;
        double value;
    } cases[] = {
        {u"1.5", false, true, 1.5}, {u" -2 ", false, true, -2},  {u"1e3", false, true, 1000},
        {u"+7", false, true, 7},    {u"1,5", true, true, 1.5},   {u"1,5", false, false, 0},
        {u"abc", false, false, 0},  {u"1e", false, false, 0},    {u"", false, false, 0},
        {u"inf", false, false, 0},  {u"1e999", false, false, 0}, {u"--1", false, false, 0},
    };
    for (const Case& c : cases) {
        double value = 0;
        EXPECT_EQ(ReadDecimalNumber(c.text, c.comma ? CommaDecimals() : DotDecimals(), value),
                  c.reads)
            << Narrow(c.text);
        if (c.reads) {
            EXPECT_EQ(value, c.value) << Narrow(c.text);
        }
    }
}

TEST(NumberText, HexNumbersAreThirtyTwoBitPatterns) {
    int value = 0;
    EXPECT_TRUE(ReadHexNumber(u"FF", value));
    EXPECT_EQ(value, 255);
    EXPECT_TRUE(ReadHexNumber(u"-1f", value));
    EXPECT_EQ(value, -31);
    EXPECT_TRUE(ReadHexNumber(u"FFFFFFFF", value));
    EXPECT_EQ(value, -1);
    EXPECT_FALSE(ReadHexNumber(u"123456789", value));
    EXPECT_FALSE(ReadHexNumber(u"", value));
    EXPECT_FALSE(ReadHexNumber(u"-", value));
    EXPECT_FALSE(ReadHexNumber(u"G", value));
}

TEST(NumberText, MoneyKeepsTheCaretsDistanceFromTheEnd) {
    struct Case {
        std::u16string text;
        TextRange selection;
        bool comma;
        std::u16string expected;
        TextRange expectedSelection;
    } cases[] = {
        {u"1234567", {7, 7}, false, u"1,234,567", {9, 9}},
        {u"1234.5", {2, 2}, false, u"1,234.5", {3, 3}},
        {u"-1234", {0, 5}, false, u"-1,234", {1, 6}},
        {u"12,34", {5, 5}, false, u"1,234", {5, 5}},
        {u"1,234", {1, 1}, false, u"1,234", {1, 1}},
        {u"1234,5", {6, 6}, true, u"1.234,5", {7, 7}},
        {u"12a4", {4, 4}, false, u"12a4", {4, 4}},
        {u"", {0, 0}, false, u"", {0, 0}},
    };
    for (const Case& c : cases) {
        const MoneyText money =
            ReformatMoney(c.text, c.selection, c.comma ? CommaDecimals() : DotDecimals());
        EXPECT_EQ(money.Text, c.expected) << Narrow(c.text);
        EXPECT_EQ(money.Selection, c.expectedSelection) << Narrow(c.text);
    }
}

TEST(NumberText, FloatValueReadsEachKindInBothLocales) {
    const LocaleData dot = DotDecimals(), comma = CommaDecimals();
    EXPECT_EQ(FloatValueOf(u"1,234.5", etFloat, 0, dot), 1234.5);
    EXPECT_EQ(FloatValueOf(u"1.234,5", etFloat, 0, comma), 1234.5);
    // A thousand separator where the decimals start is read as the decimal separator.
    EXPECT_EQ(FloatValueOf(u"1,23", etFloat, 2, dot), 1.23);
    EXPECT_EQ(FloatValueOf(u"1.23", etFloat, 2, comma), 1.23);
    EXPECT_EQ(FloatValueOf(u"12", etNumeric, 0, dot), 12);
    EXPECT_EQ(FloatValueOf(u"1,234.", etMoney, 2, dot), 1234);
    EXPECT_EQ(FloatValueOf(u"", etMoney, 2, dot), 0);
    EXPECT_EQ(FloatValueOf(u"FF", etHex, 0, dot), 255);
    EXPECT_EQ(FloatValueOf(u"abc", etFloat, 0, dot), 0);
    EXPECT_EQ(FloatValueOf(u"1.5", etString, 0, dot), 1.5);
    EXPECT_EQ(FloatValueOf(u"1.5", etString, 0, comma), 15); // "." separates thousands there
}

TEST(NumberText, IntValueReadsTheLeadingInteger) {
    const LocaleData dot = DotDecimals(), comma = CommaDecimals();
    struct Case {
        std::u16string text;
        TExtEditType type;
        bool comma;
        int value;
    } cases[] = {
        {u"12.5", etFloat, false, 12},
        {u"-3x", etNumeric, false, -3},
        {u"abc", etNumeric, false, 0},
        {u"1,234", etMoney, false, 1234},
        {u"1.234,5", etMoney, true, 1234},
        {u"1,234", etNumeric, false, 1234},
        {u"1F", etHex, false, 31},
        {u"99999999999", etNumeric, false, 0},
        {u"-2147483648", etNumeric, false, std::numeric_limits<int>::min()},
        {u"42abc", etString, false, 42},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IntValueOf(c.text, c.type, c.comma ? comma : dot), c.value) << Narrow(c.text);
}

TEST(NumberText, ValuesAreWrittenAsEachKindShowsThem) {
    TTypedInputSettings two;
    two.Precision = 2;
    TTypedInputSettings general;
    general.Precision = -1;
    TTypedInputSettings shortest = two;
    shortest.PrecisionDisplay = TPrecisionDisplay::pdShortest;
    const TTypedInputSettings plain;
    const LocaleData dot = DotDecimals(), comma = CommaDecimals();
    EXPECT_EQ(FloatValueText(1.5, etFloat, two, dot), u"1.50");
    EXPECT_EQ(FloatValueText(1.5, etFloat, two, comma), u"1,50");
    EXPECT_EQ(FloatValueText(1.5, etFloat, general, dot), u"1.5");
    EXPECT_EQ(FloatValueText(1.5, etFloat, shortest, dot), u"1.5");
    EXPECT_EQ(FloatValueText(1234, etNumeric, plain, dot), u"1,234");
    EXPECT_EQ(FloatValueText(1234.5, etMoney, two, dot), u"1,234.50");
    EXPECT_EQ(FloatValueText(1234.5, etMoney, shortest, comma), u"1.234,5");
    EXPECT_EQ(FloatValueText(255.9, etHex, plain, dot), u"FF");
    EXPECT_EQ(FloatValueText(-1, etHex, plain, dot), u"FFFFFFFF");
    EXPECT_EQ(FloatValueText(1e20, etHex, plain, dot), u"7FFFFFFF");
    EXPECT_EQ(FloatValueText(std::numeric_limits<double>::quiet_NaN(), etHex, plain, dot), u"0");
    EXPECT_EQ(IntValueText(1234567, etMoney, plain, dot), u"1,234,567");
    EXPECT_EQ(IntValueText(31, etHex, plain, dot), u"1F");
    EXPECT_EQ(IntValueText(-5, etNumeric, plain, dot), u"-5");
    // What a number kind writes, it reads back.
    EXPECT_EQ(IntValueOf(FloatValueText(1234, etNumeric, plain, dot), etNumeric, dot), 1234);
    EXPECT_EQ(FloatValueOf(FloatValueText(1234.5, etMoney, two, comma), etMoney, 2, comma), 1234.5);
}

} // namespace
} // namespace zel
