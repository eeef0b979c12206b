#include "buttonedit/typed_keys.h"

#include "buttonedit/mixed_case.h"
#include "buttonedit/text_classes.h"
#include "core/chars.h"

#include <algorithm>

namespace zel {

namespace {

using TAction = TypedKey::TAction;

TypedKey Refused() {
    return {TAction::Refuse, 0, {}, {}};
}

TypedKey Inserted(char16_t Key) {
    return {TAction::Insert, Key, {}, {}};
}

TypedKey Replaced(std::u16string Text, TextRange Selection) {
    return {TAction::Replace, 0, std::move(Text), Selection};
}

bool IsAsciiLetter(char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

bool IsRangeSeparator(char16_t c) {
    return c == u',' || c == u'-' || c == u';';
}

bool IsNumberCharacter(char16_t c, const LocaleData& Locale) {
    return IsDecimalDigit(c) || c == u',' || c == u'-' || c == u'.' ||
           c == Locale.DecimalSeparator || c == Locale.ThousandSeparator;
}

std::u16string WithSelectionReplaced(std::u16string_view Text, TextRange Selection,
                                     std::u16string_view By) {
    std::u16string result(Text.substr(0, static_cast<size_t>(Selection.Start)));
    result += By;
    result += Text.substr(static_cast<size_t>(Selection.End));
    return result;
}

// "-" over the whole text is the whole text; elsewhere it adds or removes the leading minus.
TypedKey MinusKey(std::u16string_view Text, TextRange Selection, bool Signed) {
    if (!Signed)
        return Refused();
    const int length = static_cast<int>(Text.size());
    if (length > 0 && Selection.Start == 0 && Selection.End == length)
        return Replaced(u"-", {1, 1});
    if (!Text.empty() && Text.front() == u'-')
        return Replaced(std::u16string(Text.substr(1)),
                        {std::max(Selection.Start - 1, 0), std::max(Selection.End - 1, 0)});
    return Replaced(u"-" + std::u16string(Text), {Selection.Start + 1, Selection.End + 1});
}

TypedKey DecimalSeparatorKey(std::u16string_view Text, TextRange Selection, int Precision,
                             char16_t Separator) {
    const std::u16string rest = WithSelectionReplaced(Text, Selection, u"");
    if (rest.empty())
        return Replaced(std::u16string{u'0', Separator}, {2, 2});
    if (rest.find(Separator) == std::u16string::npos)
        return Inserted(Separator);
    if (Precision <= 0)
        return Refused();
    // A second separator jumps behind the first instead.
    const int behind = static_cast<int>(Text.find(Separator)) + 1;
    return Replaced(std::u16string(Text), {behind, behind});
}

bool ThousandSeparatorCrowded(std::u16string_view Text, TextRange Selection, char16_t Separator) {
    const std::u16string result = WithSelectionReplaced(Text, Selection, {&Separator, 1});
    const int at = Selection.Start;
    for (int i = std::max(at - 3, 0); i <= std::min(at + 3, static_cast<int>(result.size()) - 1);
         ++i)
        if (i != at && result[static_cast<size_t>(i)] == Separator)
            return true;
    return false;
}

// Whether a digit typed at the caret lies behind the decimal separator where Precision digits
// are already: it then overwrites the next digit, or is refused at the end.
bool PrecisionFull(std::u16string_view Text, TextRange Selection, int Precision,
                   char16_t Separator) {
    const size_t separator = Text.find(Separator);
    return Precision > 0 && Selection.Start == Selection.End &&
           separator != std::u16string_view::npos &&
           Selection.Start > static_cast<int>(separator) &&
           Text.size() - separator - 1 >= static_cast<size_t>(Precision);
}

bool ExceedsLengthLimit(TExtEditType Type, const TTypedInputSettings& Settings,
                        const LocaleData& Locale, std::u16string_view Text, TextRange Selection,
                        char16_t Key) {
    if (Settings.LengthLimit <= 0 || Selection.Start != Selection.End ||
        Selection.Start > IntegerPartEnd(Text, Locale))
        return false;
    const std::u16string result = WithSelectionReplaced(Text, Selection, {&Key, 1});
    return IntegerPartLength(result, Type, Settings.Signed, Locale) > Settings.LengthLimit;
}

} // namespace

bool AcceptsCharacter(TExtEditType Type, const TTypedInputSettings& Settings,
                      const LocaleData& Locale, char16_t Key) {
    switch (Type) {
    case TExtEditType::etNumeric:
        return IsDecimalDigit(Key) || Key == u'-';
    case TExtEditType::etFloat:
    case TExtEditType::etMoney:
        return IsNumberCharacter(Key, Locale);
    case TExtEditType::etRange:
        return IsDecimalDigit(Key) || IsRangeSeparator(Key);
    case TExtEditType::etHex:
        return HexDigitValue(Key) >= 0 || Key == u'-';
    case TExtEditType::etAlphaNumeric:
        return IsDecimalDigit(Key) || IsAsciiLetter(Key);
    case TExtEditType::etValidChars:
        return Settings.ValidChars.find(Key) != std::u16string::npos;
    case TExtEditType::etInvalidChars:
        return Settings.InvalidChars.find(Key) == std::u16string::npos;
    default:
        return true;
    }
}

char16_t CaseConverted(TExtEditType Type, char16_t Key, const LocaleData& Locale) {
    std::u16string converted;
    if (Type == TExtEditType::etUppercase)
        converted = UpperText({&Key, 1}, Locale);
    else if (Type == TExtEditType::etLowerCase)
        converted = LowerText({&Key, 1}, Locale);
    else if (Type == TExtEditType::etHex && Key >= u'a' && Key <= u'f')
        return static_cast<char16_t>(Key - 0x20);
    // A character whose case takes more than one unit keeps its own.
    return converted.size() == 1 ? converted.front() : Key;
}

TypedKey TypeCharacter(TExtEditType Type, const TTypedInputSettings& Settings,
                       const LocaleData& Locale, std::u16string_view Text, TextRange Selection,
                       char16_t Key) {
    if (!AcceptsCharacter(Type, Settings, Locale, Key))
        return Refused();
    const char16_t c = CaseConverted(Type, Key, Locale);
    if (IsSignedType(Type) && c == u'-')
        return MinusKey(Text, Selection, Settings.Signed);
    if (IsDecimalType(Type)) {
        if (c == Locale.DecimalSeparator)
            return DecimalSeparatorKey(Text, Selection, Settings.Precision, c);
        if (c == Locale.ThousandSeparator &&
            ThousandSeparatorCrowded(Text, Selection, Locale.ThousandSeparator))
            return Refused();
        if (IsDecimalDigit(c) &&
            PrecisionFull(Text, Selection, Settings.Precision, Locale.DecimalSeparator)) {
            if (Selection.Start >= static_cast<int>(Text.size()))
                return Refused();
            std::u16string overwritten(Text);
            overwritten[static_cast<size_t>(Selection.Start)] = c;
            return Replaced(std::move(overwritten), {Selection.Start + 1, Selection.Start + 1});
        }
    }
    if (Type == TExtEditType::etRange && IsRangeSeparator(c)) {
        const bool before = Selection.Start > 0 && IsRangeSeparator(Text[Selection.Start - 1]);
        const bool after = Selection.End < static_cast<int>(Text.size()) &&
                           IsRangeSeparator(Text[static_cast<size_t>(Selection.End)]);
        if (before || after)
            return Refused();
    }
    if (ExceedsLengthLimit(Type, Settings, Locale, Text, Selection, c))
        return Refused();
    if (Type == TExtEditType::etMixedCase) {
        // The whole text takes its capitals with the character, in one change.
        const int caret = Selection.Start + 1;
        return Replaced(MixedCase(WithSelectionReplaced(Text, Selection, {&c, 1}), Locale),
                        {caret, caret});
    }
    return Inserted(c);
}

} // namespace zel
