// The typed kinds without a window: the characters each accepts and what they do, the text
// classes, LengthLimit, and whole texts set, pasted or tidied on leaving the field.
#include "buttonedit/tests/test_locales.h"
#include "buttonedit/text_classes.h"
#include "buttonedit/typed_keys.h"
#include "buttonedit/typed_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace zel {
namespace {

using namespace zel::testing_locales;
using enum TExtEditType;

std::string Narrow(std::u16string_view text) {
    std::string narrow;
    for (char16_t c : text)
        narrow += c < 0x80 ? static_cast<char>(c) : '?';
    return narrow;
}

struct Field {
    std::u16string Text;
    TextRange Selection;
    bool operator==(const Field&) const = default;
};

// The field after the key, as the window would show it; none when the key is refused.
std::optional<Field> AfterKey(TExtEditType type, const TTypedInputSettings& settings,
                              const LocaleData& locale, const Field& before, char16_t key) {
    const TypedKey outcome =
        TypeCharacter(type, settings, locale, before.Text, before.Selection, key);
    switch (outcome.Action) {
    case TypedKey::TAction::Refuse:
        return std::nullopt;
    case TypedKey::TAction::Replace:
        return Field{outcome.Text, outcome.Selection};
    default:
        break;
    }
    std::u16string text = before.Text;
    const size_t start = static_cast<size_t>(before.Selection.Start);
    text.replace(start, static_cast<size_t>(before.Selection.End) - start, 1, outcome.Char);
    const int caret = before.Selection.Start + 1;
    return Field{text, {caret, caret}};
}

Field At(std::u16string text, int caret) {
    return {std::move(text), {caret, caret}};
}

TTypedInputSettings Settings(void (*configure)(TTypedInputSettings&)) {
    TTypedInputSettings settings;
    if (configure)
        configure(settings);
    return settings;
}

void SignedOn(TTypedInputSettings& s) {
    s.Signed = true;
}
void PrecisionTwo(TTypedInputSettings& s) {
    s.Precision = 2;
}
void LimitThree(TTypedInputSettings& s) {
    s.LengthLimit = 3;
}
void SignedLimitThree(TTypedInputSettings& s) {
    s.LengthLimit = 3;
    s.Signed = true;
}
void LimitFour(TTypedInputSettings& s) {
    s.LengthLimit = 4;
}
void CharacterSets(TTypedInputSettings& s) {
    s.ValidChars = u"xyz";
    s.InvalidChars = u"@#";
}

struct KeyCase {
    const char* name;
    TExtEditType type;
    void (*configure)(TTypedInputSettings&);
    bool commaLocale;
    Field before;
    char16_t key;
    std::optional<Field> after;
};

TEST(TypedKeys, EachKindAcceptsItsCharactersAndAppliesItsRules) {
    const std::optional<Field> refused;
    const KeyCase cases[] = {
        {"numeric digit", etNumeric, nullptr, false, At(u"12", 2), u'3', At(u"123", 3)},
        {"numeric letter", etNumeric, nullptr, false, At(u"12", 2), u'a', refused},
        {"numeric minus unsigned", etNumeric, nullptr, false, At(u"12", 2), u'-', refused},
        {"minus over the selection",
         etNumeric,
         SignedOn,
         false,
         {u"12", {0, 2}},
         u'-',
         At(u"-", 1)},
        {"minus adds a sign", etNumeric, SignedOn, false, At(u"12", 2), u'-', At(u"-12", 3)},
        {"minus removes it", etNumeric, SignedOn, false, At(u"-12", 3), u'-', At(u"12", 2)},
        {"minus at the start", etNumeric, SignedOn, false, At(u"-12", 0), u'-', At(u"12", 0)},
        {"float minus toggles", etFloat, SignedOn, false, At(u"1.5", 1), u'-', At(u"-1.5", 2)},
        {"float letter", etFloat, nullptr, false, At(u"1", 1), u'e', refused},
        {"precision full at the end", etFloat, PrecisionTwo, false, At(u"1.23", 4), u'4', refused},
        {"precision full overwrites", etFloat, PrecisionTwo, false, At(u"1.23", 2), u'9',
         At(u"1.93", 3)},
        {"precision not full", etFloat, PrecisionTwo, false, At(u"1.2", 3), u'9', At(u"1.29", 4)},
        {"separator into an empty field", etFloat, PrecisionTwo, false, At(u"", 0), u'.',
         At(u"0.", 2)},
        {"separator over the whole text",
         etMoney,
         nullptr,
         false,
         {u"12", {0, 2}},
         u'.',
         At(u"0.", 2)},
        {"second separator jumps", etFloat, PrecisionTwo, false, At(u"12.5", 1), u'.',
         At(u"12.5", 3)},
        {"second separator refused", etFloat, nullptr, false, At(u"12.5", 1), u'.', refused},
        {"thousands far enough", etFloat, nullptr, false, At(u"1,234", 5), u',', At(u"1,234,", 6)},
        {"thousands crowded", etFloat, nullptr, false, At(u"12,3", 4), u',', refused},
        {"comma locale separator", etFloat, nullptr, true, At(u"", 0), u',', At(u"0,", 2)},
        {"comma locale second one", etMoney, nullptr, true, At(u"1,5", 3), u',', refused},
        {"range separator", etRange, nullptr, false, At(u"1", 1), u'-', At(u"1-", 2)},
        {"range separator after one", etRange, nullptr, false, At(u"1-", 2), u',', refused},
        {"range separator before one", etRange, nullptr, false, At(u"1,3", 1), u';', refused},
        {"range letter", etRange, nullptr, false, At(u"1", 1), u'a', refused},
        {"hex in capitals", etHex, nullptr, false, At(u"1", 1), u'f', At(u"1F", 2)},
        {"hex beyond F", etHex, nullptr, false, At(u"1", 1), u'g', refused},
        {"alphanumeric letter", etAlphaNumeric, nullptr, false, At(u"", 0), u'Z', At(u"Z", 1)},
        {"alphanumeric other", etAlphaNumeric, nullptr, false, At(u"", 0), u'_', refused},
        {"alphanumeric accent", etAlphaNumeric, nullptr, false, At(u"", 0), u'\u00E9', refused},
        {"valid character", etValidChars, CharacterSets, false, At(u"", 0), u'y', At(u"y", 1)},
        {"not a valid one", etValidChars, CharacterSets, false, At(u"", 0), u'a', refused},
        {"an invalid one", etInvalidChars, CharacterSets, false, At(u"", 0), u'#', refused},
        {"not an invalid one", etInvalidChars, CharacterSets, false, At(u"", 0), u'a', At(u"a", 1)},
        {"upper case", etUppercase, nullptr, false, At(u"A", 1), u'b', At(u"AB", 2)},
        {"lower case", etLowerCase, nullptr, false, At(u"a", 1), u'B', At(u"ab", 2)},
        {"mixed case", etMixedCase, nullptr, false, At(u"mcdonal", 7), u'd', At(u"McDonald", 8)},
        {"mixed case inside", etMixedCase, nullptr, false, At(u"Ann", 3), u' ', At(u"Ann ", 4)},
        {"plain text", etString, nullptr, false, {u"abc", {1, 2}}, u'%', At(u"a%c", 2)},
        {"limit reached", etNumeric, LimitThree, false, At(u"123", 3), u'4', refused},
        {"limit over a selection",
         etNumeric,
         LimitThree,
         false,
         {u"123", {0, 3}},
         u'4',
         At(u"4", 1)},
        {"limit leaves the sign out", etNumeric, SignedLimitThree, false, At(u"-12", 3), u'3',
         At(u"-123", 4)},
        {"limit with a sign reached", etNumeric, SignedLimitThree, false, At(u"-123", 4), u'4',
         refused},
        {"limit in the decimals", etFloat, LimitThree, false, At(u"123.4", 5), u'5',
         At(u"123.45", 6)},
        {"limit before the decimals", etFloat, LimitThree, false, At(u"123.4", 1), u'9', refused},
        {"limit lets the separator in", etFloat, LimitThree, false, At(u"123", 3), u'.',
         At(u"123.", 4)},
        {"limit leaves thousands out", etMoney, LimitFour, false, At(u"1,23", 4), u'4',
         At(u"1,234", 5)},
        {"limit counts digits", etMoney, LimitFour, false, At(u"1,234", 5), u'5', refused},
    };
    for (const KeyCase& c : cases) {
        const LocaleData locale = c.commaLocale ? CommaDecimals() : DotDecimals();
        EXPECT_EQ(AfterKey(c.type, Settings(c.configure), locale, c.before, c.key), c.after)
            << c.name;
    }
}

TEST(TypedKeys, CaseFollowsTheLocale) {
    LocaleData turkish;
    turkish.UpperCase = [](std::u16string_view text) {
        std::u16string upper(text);
        for (char16_t& c : upper)
            c = c == u'i' ? u'\u0130' : c;
        return upper;
    };
    EXPECT_EQ(CaseConverted(etUppercase, u'i', turkish), u'\u0130');
    EXPECT_EQ(CaseConverted(etString, u'i', turkish), u'i');
    EXPECT_EQ(CaseConverted(etHex, u'c', turkish), u'C');
}

TEST(TextClasses, SortTextsIntoIntegerDecimalHexAndOther) {
    struct Case {
        std::u16string text;
        bool comma;
        TTextClass expected;
    } cases[] = {
        {u"", false, TTextClass::tcOther},
        {u"12", false, TTextClass::tcInteger},
        {u"-12", false, TTextClass::tcInteger},
        {u"1-2-3", false, TTextClass::tcOther},
        {u"1.5", false, TTextClass::tcDecimal},
        {u"-1,234.5", false, TTextClass::tcDecimal},
        {u"1,234,567", false, TTextClass::tcDecimal},
        {u"1,23,4", false, TTextClass::tcOther},
        {u"1.2.3", false, TTextClass::tcOther},
        {u"FF", false, TTextClass::tcHex},
        {u"12ab", false, TTextClass::tcHex},
        {u"-FF", false, TTextClass::tcOther},
        {u"xyz", false, TTextClass::tcOther},
        {u"1,5", true, TTextClass::tcDecimal},
        {u"1.234,5", true, TTextClass::tcDecimal},
        {u"1,2,3", true, TTextClass::tcOther},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TextClassOf(c.text, c.comma ? CommaDecimals() : DotDecimals()), c.expected)
            << Narrow(c.text);
    EXPECT_TRUE(ClassFitsType(TTextClass::tcInteger, etHex));
    EXPECT_FALSE(ClassFitsType(TTextClass::tcHex, etFloat));
    EXPECT_TRUE(ClassFitsType(TTextClass::tcOther, etString));
}

TEST(TextClasses, TheIntegerPartLeavesSeparatorsAndTheSignOut) {
    EXPECT_EQ(IntegerPartLength(u"1,234.56", etFloat, false, DotDecimals()), 4);
    EXPECT_EQ(IntegerPartLength(u"1.234,56", etMoney, false, CommaDecimals()), 4);
    EXPECT_EQ(IntegerPartLength(u"-123", etNumeric, true, DotDecimals()), 3);
    EXPECT_EQ(IntegerPartLength(u"-123", etNumeric, false, DotDecimals()), 4);
    EXPECT_EQ(IntegerPartLength(u"", etNumeric, true, DotDecimals()), 0);
    EXPECT_EQ(IntegerPartEnd(u"12.5", DotDecimals()), 2);
    EXPECT_EQ(IntegerPartEnd(u"125", DotDecimals()), 3);
}

void AllowNull(TTypedInputSettings& s) {
    s.AllowNumericNullValue = true;
}
void Shortest(TTypedInputSettings& s) {
    s.Precision = 2;
    s.PrecisionDisplay = TPrecisionDisplay::pdShortest;
}
void NoThousands(TTypedInputSettings& s) {
    s.Precision = 2;
    s.AutoThousandSeparator = false;
}
void Limits(TTypedInputSettings& s) {
    s.MinValue = 5;
    s.MaxValue = 10;
}
void FloatLimits(TTypedInputSettings& s) {
    s.MinFloatValue = 1.5;
    s.MaxFloatValue = 2.5;
}

struct TextCase {
    TExtEditType type;
    void (*configure)(TTypedInputSettings&);
    std::u16string text;
    std::u16string expected;
};

template <size_t N, class Rule>
void ExpectEachText(const TextCase (&cases)[N], Rule rule) {
    for (const TextCase& c : cases)
        EXPECT_EQ(rule(c.type, Settings(c.configure), DotDecimals(), c.text), c.expected)
            << Narrow(c.text) << " as kind " << int(c.type);
}

TEST(TypedText, TextSetByTheProgramTakesTheKindsForm) {
    const TextCase cases[] = {
        {etNumeric, nullptr, u"12", u"12"},
        {etNumeric, nullptr, u"abc", u"0"},
        {etNumeric, nullptr, u"", u"0"},
        {etNumeric, AllowNull, u"", u""},
        {etFloat, PrecisionTwo, u"1.5", u"1.50"},
        {etFloat, PrecisionTwo, u"x", u"0.00"},
        {etFloat, nullptr, u"1.5", u"1.5"},
        {etFloat, Shortest, u"1.50", u"1.5"},
        {etMoney, PrecisionTwo, u"1234.5", u"1,234.50"},
        {etMoney, nullptr, u"1234", u"1,234"},
        {etMoney, NoThousands, u"1234.5", u"1234.50"},
        {etHex, nullptr, u"ff", u"FF"},
        {etHex, nullptr, u"zz", u"0"},
        {etHex, nullptr, u"-12", u"-12"},
        {etUppercase, nullptr, u"abc", u"ABC"},
        {etLowerCase, nullptr, u"ABC", u"abc"},
        {etMixedCase, nullptr, u"mcdonald", u"McDonald"},
        {etString, nullptr, u"as is", u"as is"},
    };
    ExpectEachText(cases, TextForType);
}

TEST(TypedText, PastesThatDoNotBelongChangeNothing) {
    const TTypedInputSettings plain;
    const TTypedInputSettings signedOn = Settings(SignedOn);
    const TTypedInputSettings sets = Settings(CharacterSets);
    const LocaleData locale = DotDecimals();
    using Pasted = std::optional<std::u16string>;
    EXPECT_EQ(PastedTextForType(etNumeric, plain, locale, u"abc"), std::nullopt);
    EXPECT_EQ(PastedTextForType(etNumeric, plain, locale, u"123"), Pasted(u"123"));
    EXPECT_EQ(PastedTextForType(etNumeric, plain, locale, u"-5"), std::nullopt);
    EXPECT_EQ(PastedTextForType(etNumeric, signedOn, locale, u"-5"), Pasted(u"-5"));
    EXPECT_EQ(PastedTextForType(etFloat, plain, locale, u"1,234.5"), Pasted(u"1,234.5"));
    EXPECT_EQ(PastedTextForType(etFloat, plain, locale, u"1.5.5"), std::nullopt);
    EXPECT_EQ(PastedTextForType(etMoney, plain, locale, u"twelve"), std::nullopt);
    EXPECT_EQ(PastedTextForType(etHex, plain, locale, u"ff"), Pasted(u"FF"));
    EXPECT_EQ(PastedTextForType(etRange, plain, locale, u"1-3;x"), std::nullopt);
    EXPECT_EQ(PastedTextForType(etRange, plain, locale, u"1-3;5"), Pasted(u"1-3;5"));
    EXPECT_EQ(PastedTextForType(etValidChars, sets, locale, u"xyzzy"), Pasted(u"xyzzy"));
    EXPECT_EQ(PastedTextForType(etValidChars, sets, locale, u"xa"), std::nullopt);
    EXPECT_EQ(PastedTextForType(etUppercase, plain, locale, u"ab"), Pasted(u"AB"));
    EXPECT_EQ(PastedTextForType(etString, plain, locale, u"any thing"), Pasted(u"any thing"));
    EXPECT_EQ(PastedTextForType(etNumeric, plain, locale, u""), Pasted(u""));
}

TEST(TypedText, LeavingTheFieldTidiesNumbers) {
    const TextCase cases[] = {
        {etNumeric, nullptr, u"", u"0"},
        {etNumeric, AllowNull, u"", u""},
        {etNumeric, Limits, u"3", u"5"},
        {etNumeric, Limits, u"12", u"10"},
        {etNumeric, Limits, u"abc", u"5"},
        {etNumeric, Limits, u"7", u"7"},
        {etFloat, PrecisionTwo, u"1.5", u"1.50"},
        {etFloat, nullptr, u"", u"0"},
        {etFloat, nullptr, u"1.5", u"1.5"},
        {etMoney, PrecisionTwo, u"1234", u"1,234.00"},
        {etString, nullptr, u"", u""},
        {etHex, nullptr, u"", u""},
    };
    ExpectEachText(cases, TidiedText);
}

TEST(TypedText, ValuesKeepWithinTheirLimits) {
    const LocaleData locale = DotDecimals();
    const TTypedInputSettings limits = Settings(Limits);
    EXPECT_TRUE(ValueWithinLimits(etNumeric, limits, locale, u"7"));
    EXPECT_FALSE(ValueWithinLimits(etNumeric, limits, locale, u"11"));
    EXPECT_FALSE(ValueWithinLimits(etNumeric, limits, locale, u""));
    TTypedInputSettings nullable = limits;
    nullable.AllowNumericNullValue = true;
    EXPECT_TRUE(ValueWithinLimits(etNumeric, nullable, locale, u""));
    const TTypedInputSettings floats = Settings(FloatLimits);
    EXPECT_TRUE(ValueWithinLimits(etFloat, floats, locale, u"2"));
    EXPECT_FALSE(ValueWithinLimits(etMoney, floats, locale, u"3"));
    EXPECT_TRUE(ValueWithinLimits(etFloat, TTypedInputSettings{}, locale, u"1e300"));
}

} // namespace
} // namespace zel
