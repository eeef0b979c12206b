#pragma once
// Whole texts in a field of a typed kind: what a text set by the program or pasted becomes,
// what leaving the field tidies, and whether the value keeps within the limits. Texts are the
// field's value, prefix and suffix left out.
#include "buttonedit/edit_types.h"
#include "ui/locale_data.h"

#include <optional>
#include <string>
#include <string_view>

namespace zel {

// The text the field shows for Text := Value: a number kind turns a text of the wrong class
// into "0" (an empty one stays with AllowNumericNullValue) and writes decimals as its
// precision says; etHex and the case kinds write their case.
std::u16string TextForType(TExtEditType Type, const TTypedInputSettings& Settings,
                           const LocaleData& Locale, std::u16string_view Value);

// The text a paste leaves in the field, in the kind's case; none when the text does not belong
// in a field of the kind (a character it refuses, a number of the wrong class), so that the
// paste changes nothing.
std::optional<std::u16string> PastedTextForType(TExtEditType Type,
                                                const TTypedInputSettings& Settings,
                                                const LocaleData& Locale, std::u16string_view Text);

// What leaving the field makes of its text: decimals written anew with Precision > 0, an empty
// number becomes 0 (unless AllowNumericNullValue), and an etNumeric value is brought within
// MinValue and MaxValue when either is set.
std::u16string TidiedText(TExtEditType Type, const TTypedInputSettings& Settings,
                          const LocaleData& Locale, std::u16string_view Text);

// Whether the value keeps within the kind's limits (always, when none are set).
bool ValueWithinLimits(TExtEditType Type, const TTypedInputSettings& Settings,
                       const LocaleData& Locale, std::u16string_view Text);

} // namespace zel
