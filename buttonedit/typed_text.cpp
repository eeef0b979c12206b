#include "buttonedit/typed_text.h"

#include "buttonedit/mixed_case.h"
#include "buttonedit/number_text.h"
#include "buttonedit/text_classes.h"
#include "buttonedit/typed_keys.h"

#include <algorithm>

namespace zel {

namespace {

bool IsNumberType(TExtEditType Type) {
    return IsSignedType(Type) || Type == TExtEditType::etHex;
}

bool LimitsSet(const TTypedInputSettings& Settings) {
    return Settings.MinValue != 0 || Settings.MaxValue != 0;
}

bool FloatLimitsSet(const TTypedInputSettings& Settings) {
    return Settings.MinFloatValue != 0 || Settings.MaxFloatValue != 0;
}

std::u16string AsciiUpper(std::u16string_view Text) {
    return UpperText(Text, LocaleData{});
}

// A decimal kind writes its value anew when its precision or display asks for a format.
bool RewritesDecimals(TExtEditType Type, const TTypedInputSettings& Settings) {
    return Type == TExtEditType::etMoney || Settings.Precision > 0 ||
           Settings.PrecisionDisplay == TPrecisionDisplay::pdShortest;
}

std::u16string DecimalsWritten(TExtEditType Type, const TTypedInputSettings& Settings,
                               const LocaleData& Locale, std::u16string_view Text) {
    const double value = FloatValueOf(Text, Type, Settings.Precision, Locale);
    return FloatValueText(value, Type, Settings, Locale);
}

} // namespace

std::u16string TextForType(TExtEditType Type, const TTypedInputSettings& Settings,
                           const LocaleData& Locale, std::u16string_view Value) {
    switch (Type) {
    case TExtEditType::etUppercase:
        return UpperText(Value, Locale);
    case TExtEditType::etLowerCase:
        return LowerText(Value, Locale);
    case TExtEditType::etMixedCase:
        return MixedCase(Value, Locale);
    default:
        break;
    }
    if (!IsNumberType(Type) || (Value.empty() && Settings.AllowNumericNullValue))
        return std::u16string(Value);
    const std::u16string_view text = ClassFitsType(TextClassOf(Value, Locale), Type) ? Value : u"0";
    if (Type == TExtEditType::etHex)
        return AsciiUpper(text);
    if (IsDecimalType(Type) && RewritesDecimals(Type, Settings))
        return DecimalsWritten(Type, Settings, Locale, text);
    return std::u16string(text);
}

std::optional<std::u16string> PastedTextForType(TExtEditType Type,
                                                const TTypedInputSettings& Settings,
                                                const LocaleData& Locale,
                                                std::u16string_view Text) {
    if (Text.empty())
        return std::u16string();
    switch (Type) {
    case TExtEditType::etString:
    case TExtEditType::etPassword:
        return std::u16string(Text);
    case TExtEditType::etUppercase:
    case TExtEditType::etLowerCase:
    case TExtEditType::etMixedCase:
        return TextForType(Type, Settings, Locale, Text);
    default:
        break;
    }
    if (IsNumberType(Type)) {
        const bool unsignedMinus =
            IsSignedType(Type) && !Settings.Signed && Text.find(u'-') != std::u16string_view::npos;
        if (unsignedMinus || !ClassFitsType(TextClassOf(Text, Locale), Type))
            return std::nullopt;
        return Type == TExtEditType::etHex ? AsciiUpper(Text) : std::u16string(Text);
    }
    const bool accepted = std::all_of(Text.begin(), Text.end(), [&](char16_t c) {
        return AcceptsCharacter(Type, Settings, Locale, c);
    });
    return accepted ? std::optional<std::u16string>(Text) : std::nullopt;
}

std::u16string TidiedText(TExtEditType Type, const TTypedInputSettings& Settings,
                          const LocaleData& Locale, std::u16string_view Text) {
    if (!IsSignedType(Type) || (Text.empty() && Settings.AllowNumericNullValue))
        return std::u16string(Text);
    if (IsDecimalType(Type)) {
        if (Settings.Precision > 0 || Text.empty())
            return DecimalsWritten(Type, Settings, Locale, Text);
        return std::u16string(Text);
    }
    const std::u16string_view text = Text.empty() ? u"0" : Text;
    if (!LimitsSet(Settings))
        return std::u16string(text);
    const int value = std::clamp(IntValueOf(text, Type, Locale), Settings.MinValue,
                                 std::max(Settings.MinValue, Settings.MaxValue));
    return value == IntValueOf(text, Type, Locale) ? std::u16string(text)
                                                   : IntValueText(value, Type, Settings, Locale);
}

bool ValueWithinLimits(TExtEditType Type, const TTypedInputSettings& Settings,
                       const LocaleData& Locale, std::u16string_view Text) {
    if (Type == TExtEditType::etNumeric) {
        if ((Text.empty() && Settings.AllowNumericNullValue) || !LimitsSet(Settings))
            return true;
        const int value = IntValueOf(Text, Type, Locale);
        return value >= Settings.MinValue && value <= Settings.MaxValue;
    }
    if (IsDecimalType(Type) && FloatLimitsSet(Settings)) {
        const double value = FloatValueOf(Text, Type, Settings.Precision, Locale);
        return value >= Settings.MinFloatValue && value <= Settings.MaxFloatValue;
    }
    return true;
}

} // namespace zel
