#pragma once
// The classes a typed field sorts its text into when a text is set, pasted or re-typed, and the
// integer part that LengthLimit counts. Separators are the locale's.
#include "buttonedit/edit_types.h"
#include "ui/locale_data.h"

#include <string_view>

namespace zel {

enum class TTextClass : uint8_t {
    tcInteger, // only digits and "-"
    tcDecimal, // digits, "-" and separators, thousand separators at least three characters apart
    tcHex,     // only hexadecimal digits, at least one of them a letter
    tcOther,   // anything else, the empty text too
};

// More than one "-" or more than one decimal separator makes any text tcOther.
TTextClass TextClassOf(std::u16string_view Text, const LocaleData& Locale);

// Whether the class is one a number of the kind may be written in: integers for etNumeric,
// integers and decimals for etFloat and etMoney, integers and hexadecimals for etHex; every
// other kind takes any text.
bool ClassFitsType(TTextClass Class, TExtEditType Type);

// The kinds that hold a decimal number.
bool IsDecimalType(TExtEditType Type);
// The kinds whose minus sign is a sign that Signed allows.
bool IsSignedType(TExtEditType Type);

// The integer part that LengthLimit counts: the text before the first decimal separator,
// thousand separators left out, and a leading minus of a signed kind left out.
int IntegerPartLength(std::u16string_view Text, TExtEditType Type, bool Signed,
                      const LocaleData& Locale);

// Where the integer part ends in Text: at the first decimal separator, or at the end.
int IntegerPartEnd(std::u16string_view Text, const LocaleData& Locale);

} // namespace zel
