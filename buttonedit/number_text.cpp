#include "buttonedit/number_text.h"

#include "buttonedit/text_classes.h"
#include "core/chars.h"
#include "ui/text_lines.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace zel {

namespace {

constexpr int kGeneralDigits = 15;

std::u16string Widened(std::string_view ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

std::u16string NonFiniteText(double Value) {
    return std::isnan(Value) ? u"NAN" : Value < 0 ? u"-INF" : u"INF";
}

// Digits with a thousand separator before every group of three, counted from the right.
std::u16string GroupThousands(std::u16string_view Digits, char16_t Separator) {
    std::u16string grouped;
    grouped.reserve(Digits.size() + Digits.size() / 3);
    for (size_t i = 0; i < Digits.size(); ++i) {
        if (i > 0 && (Digits.size() - i) % 3 == 0)
            grouped.push_back(Separator);
        grouped.push_back(Digits[i]);
    }
    return grouped;
}

std::u16string WithoutChar(std::u16string_view Text, char16_t Removed) {
    std::u16string kept;
    kept.reserve(Text.size());
    std::copy_if(Text.begin(), Text.end(), std::back_inserter(kept),
                 [Removed](char16_t c) { return c != Removed; });
    return kept;
}

// The integer the text begins with; 0 without one.
int LeadingInteger(std::u16string_view Text) {
    int value = 0;
    size_t used = 0;
    return ReadLeadingInteger(Text, value, used) ? value : 0;
}

// The value cut to a whole number in the 32-bit range (NaN gives 0).
int TruncatedToInt(double Value) {
    if (std::isnan(Value))
        return 0;
    const double cut = std::trunc(Value);
    if (cut <= std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    if (cut >= std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    return static_cast<int>(cut);
}

std::u16string HexText(int Value) {
    char buffer[8];
    const auto end = std::to_chars(buffer, buffer + 8, static_cast<uint32_t>(Value), 16).ptr;
    std::u16string text = Widened({buffer, static_cast<size_t>(end - buffer)});
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char16_t c) { return c >= u'a' ? static_cast<char16_t>(c - 0x20) : c; });
    return text;
}

} // namespace

std::u16string GeneralNumberText(double Value, const LocaleData& Locale) {
    if (!std::isfinite(Value))
        return NonFiniteText(Value);
    if (Value == 0)
        return u"0";
    // d.dddddddddddddde±x: the significant digits and the exponent, rounded once.
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(Value),
                                   std::chars_format::scientific, kGeneralDigits - 1)
                         .ptr;
    const std::string_view scientific(buffer, static_cast<size_t>(end - buffer));
    const size_t e = scientific.find('e');
    int exponent = 0;
    std::from_chars(scientific.data() + e + (scientific[e + 1] == '+' ? 2 : 1), end, exponent);
    std::string digits(1, scientific[0]);
    digits.append(scientific.substr(2, e - 2));
    digits.erase(digits.find_last_not_of('0') + 1);
    std::u16string text = Value < 0 ? u"-" : u"";
    const int count = static_cast<int>(digits.size());
    if (exponent >= kGeneralDigits || exponent < -5) {
        text += Widened(digits.substr(0, 1));
        if (count > 1)
            text += Locale.DecimalSeparator + Widened(digits.substr(1));
        text += u'E' + Widened(std::to_string(exponent));
    } else if (exponent < 0) {
        text += u'0';
        text += Locale.DecimalSeparator;
        text.append(static_cast<size_t>(-exponent - 1), u'0');
        text += Widened(digits);
    } else {
        digits.resize(std::max(count, exponent + 1), '0');
        text += Widened(std::string_view(digits).substr(0, static_cast<size_t>(exponent) + 1));
        if (count > exponent + 1)
            text += Locale.DecimalSeparator + Widened(digits.substr(exponent + 1));
    }
    return text;
}

std::u16string FixedNumberText(double Value, int Decimals, bool Grouped, const LocaleData& Locale) {
    if (!std::isfinite(Value))
        return NonFiniteText(Value);
    Decimals = std::max(Decimals, 0);
    std::string buffer(static_cast<size_t>(std::numeric_limits<double>::max_exponent10) + 4 +
                           static_cast<size_t>(Decimals),
                       '\0');
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::fabs(Value),
                                   std::chars_format::fixed, Decimals)
                         .ptr;
    buffer.resize(static_cast<size_t>(end - buffer.data()));
    const size_t point = std::min(buffer.find('.'), buffer.size());
    const std::u16string whole = Widened(std::string_view(buffer).substr(0, point));
    // A value that rounds to zero shows no sign.
    const bool negative = Value < 0 && buffer.find_first_not_of("0.") != std::string::npos;
    std::u16string text = negative ? u"-" : u"";
    text += Grouped ? GroupThousands(whole, Locale.ThousandSeparator) : whole;
    if (point < buffer.size())
        text += Locale.DecimalSeparator + Widened(std::string_view(buffer).substr(point + 1));
    return text;
}

bool ReadDecimalNumber(std::u16string_view Text, const LocaleData& Locale, double& Value) {
    Text = TrimBlanks(Text);
    if (Text.empty())
        return false;
    const bool negative = Text.front() == u'-';
    if (Text.front() == u'-' || Text.front() == u'+')
        Text.remove_prefix(1);
    if (Text.empty() || Text.front() == u'-' || Text.front() == u'+')
        return false;
    std::string ascii;
    ascii.reserve(Text.size());
    for (char16_t c : Text) {
        if (c == Locale.DecimalSeparator)
            c = u'.';
        else if (!IsDecimalDigit(c) && c != u'e' && c != u'E' && c != u'+' && c != u'-')
            return false;
        ascii.push_back(static_cast<char>(c));
    }
    double value = 0;
    const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (error != std::errc() || end != ascii.data() + ascii.size())
        return false;
    Value = negative ? -value : value;
    return true;
}

bool ReadLeadingInteger(std::u16string_view Text, int& Value, size_t& Used) {
    size_t i = std::min(Text.find_first_not_of(u' '), Text.size());
    const bool negative = i < Text.size() && Text[i] == u'-';
    if (i < Text.size() && (Text[i] == u'-' || Text[i] == u'+'))
        ++i;
    const size_t first = i;
    int64_t magnitude = 0;
    for (; i < Text.size() && IsDecimalDigit(Text[i]); ++i) {
        magnitude = magnitude * 10 + (Text[i] - u'0');
        if (magnitude > int64_t{std::numeric_limits<int>::max()} + 1)
            return false;
    }
    const int64_t value = negative ? -magnitude : magnitude;
    if (i == first || value > std::numeric_limits<int>::max())
        return false;
    Value = static_cast<int>(value);
    Used = i;
    return true;
}

bool ReadHexNumber(std::u16string_view Text, int& Value) {
    const bool negative = !Text.empty() && Text.front() == u'-';
    if (negative)
        Text.remove_prefix(1);
    if (Text.empty() || Text.size() > 8)
        return false;
    uint32_t bits = 0;
    for (char16_t c : Text) {
        const int digit = HexDigitValue(c);
        if (digit < 0)
            return false;
        bits = bits << 4 | static_cast<uint32_t>(digit);
    }
    Value = static_cast<int>(negative ? 0u - bits : bits);
    return true;
}

MoneyText ReformatMoney(std::u16string_view Text, TextRange Selection, const LocaleData& Locale) {
    const size_t sign = !Text.empty() && Text.front() == u'-' ? 1 : 0;
    const size_t end = static_cast<size_t>(IntegerPartEnd(Text, Locale));
    const std::u16string_view whole = Text.substr(sign, end - sign);
    const bool digitsOnly = std::all_of(whole.begin(), whole.end(), [&](char16_t c) {
        return IsDecimalDigit(c) || c == Locale.ThousandSeparator;
    });
    if (!digitsOnly)
        return {std::u16string(Text), Selection};
    MoneyText money{std::u16string(Text.substr(0, sign)), {}};
    money.Text +=
        GroupThousands(WithoutChar(whole, Locale.ThousandSeparator), Locale.ThousandSeparator);
    money.Text += Text.substr(end);
    const int before = static_cast<int>(Text.size()), after = static_cast<int>(money.Text.size());
    const auto kept = [&](int at) { return std::clamp(after - (before - at), 0, after); };
    money.Selection = {kept(Selection.Start), kept(Selection.End)};
    return money;
}

double FloatValueOf(std::u16string_view Text, TExtEditType Type, int Precision,
                    const LocaleData& Locale) {
    double value = 0;
    if (Type == TExtEditType::etHex) {
        int bits = 0;
        return ReadHexNumber(Text, bits) ? bits : 0;
    }
    std::u16string text(Text);
    if (Type == TExtEditType::etMoney) {
        text = WithoutChar(text, Locale.ThousandSeparator);
        if (!text.empty() && text.back() == Locale.DecimalSeparator)
            text.pop_back();
    } else {
        // A thousand separator where the decimals start is a decimal separator typed on the
        // wrong key.
        if (Precision > 0 && text.size() > static_cast<size_t>(Precision)) {
            char16_t& at = text[text.size() - static_cast<size_t>(Precision) - 1];
            if (at == Locale.ThousandSeparator)
                at = Locale.DecimalSeparator;
        }
        text = WithoutChar(text, Locale.ThousandSeparator);
    }
    return ReadDecimalNumber(text, Locale, value) ? value : 0;
}

int IntValueOf(std::u16string_view Text, TExtEditType Type, const LocaleData& Locale) {
    if (Type == TExtEditType::etHex) {
        int value = 0;
        return ReadHexNumber(Text, value) ? value : 0;
    }
    // The number kinds write thousand separators themselves: they are no end of the number.
    if (IsSignedType(Type))
        return LeadingInteger(WithoutChar(Text, Locale.ThousandSeparator));
    return LeadingInteger(Text);
}

std::u16string FloatValueText(double Value, TExtEditType Type, const TTypedInputSettings& Settings,
                              const LocaleData& Locale) {
    const int precision = Settings.Precision;
    const bool shortest = Settings.PrecisionDisplay == TPrecisionDisplay::pdShortest;
    switch (Type) {
    case TExtEditType::etHex:
        return IntValueText(TruncatedToInt(Value), Type, Settings, Locale);
    case TExtEditType::etNumeric:
        return precision < 0 ? GeneralNumberText(Value, Locale)
                             : FixedNumberText(Value, precision, true, Locale);
    case TExtEditType::etMoney:
        if (precision < 0 || shortest) {
            std::u16string text = GeneralNumberText(Value, Locale);
            return Settings.AutoThousandSeparator ? ReformatMoney(text, {}, Locale).Text : text;
        }
        return FixedNumberText(Value, precision, Settings.AutoThousandSeparator, Locale);
    default:
        if (precision < 0 || (shortest && Type == TExtEditType::etFloat))
            return GeneralNumberText(Value, Locale);
        return FixedNumberText(Value, precision, false, Locale);
    }
}

std::u16string IntValueText(int Value, TExtEditType Type, const TTypedInputSettings& Settings,
                            const LocaleData& Locale) {
    if (Type == TExtEditType::etHex)
        return HexText(Value);
    std::u16string text = Widened(std::to_string(Value));
    if (Type == TExtEditType::etMoney && Settings.AutoThousandSeparator)
        return ReformatMoney(text, {}, Locale).Text;
    return text;
}

} // namespace zel
