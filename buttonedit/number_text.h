#pragma once
// Numbers as a typed field writes and reads them, in the locale's separators: the general and
// the fixed format, thousand separators, the money reformatting that keeps the caret's distance
// from the end, and the FloatValue and IntValue conversions of each kind.
#include "buttonedit/edit_text.h"
#include "buttonedit/edit_types.h"
#include "ui/locale_data.h"

#include <string>
#include <string_view>

namespace zel {

// The shortest text of up to 15 significant digits: fixed from 0.00001 up to below 1E15,
// otherwise with an exponent ("1.5E20", "1E-6").
std::u16string GeneralNumberText(double Value, const LocaleData& Locale);
// Fixed with Decimals digits after the decimal separator; grouped by thousand separators
// when Grouped.
std::u16string FixedNumberText(double Value, int Decimals, bool Grouped, const LocaleData& Locale);

// Reads a decimal number written with the locale's decimal separator: blanks around it, a
// sign, digits with an optional fraction and an optional exponent. False for anything else.
bool ReadDecimalNumber(std::u16string_view Text, const LocaleData& Locale, double& Value);
// Reads blanks, an optional sign and decimal digits in the 32-bit range from the start of Text;
// Used tells how many units that took. False without digits or beyond the range.
bool ReadLeadingInteger(std::u16string_view Text, int& Value, size_t& Used);
// Reads an optional "-" and one to eight hexadecimal digits, taken as a 32-bit pattern.
bool ReadHexNumber(std::u16string_view Text, int& Value);

// The text with its integer part grouped anew by thousand separators; Caret (a selection) keeps
// its distance from the end of the text. A text whose integer part holds anything but digits
// and thousand separators is left as it is.
struct MoneyText {
    std::u16string Text;
    TextRange Selection;
};
MoneyText ReformatMoney(std::u16string_view Text, TextRange Selection, const LocaleData& Locale);

// The value of a field's text (prefix and suffix removed), 0 for a text that does not convert.
double FloatValueOf(std::u16string_view Text, TExtEditType Type, int Precision,
                    const LocaleData& Locale);
int IntValueOf(std::u16string_view Text, TExtEditType Type, const LocaleData& Locale);

// The text a field of the kind shows for a value assigned to FloatValue or IntValue.
std::u16string FloatValueText(double Value, TExtEditType Type, const TTypedInputSettings& Settings,
                              const LocaleData& Locale);
std::u16string IntValueText(int Value, TExtEditType Type, const TTypedInputSettings& Settings,
                            const LocaleData& Locale);

} // namespace zel
