#pragma once
// The comparisons of the search pattern (">" and "<" with an operand): both sides are compared
// as numbers when both read as numbers in the locale, else as date-times when both read as
// dates, else as texts (ordinally, over their first 255 units). The operand is read once per
// pattern; the item text only as far as the operand needs, into scratch storage the caller
// keeps, so that a filter pass allocates nothing per item.
#include "ui/locale_data.h"

#include <string>
#include <string_view>

namespace zel {

// Text with each decimal separator as "." and the thousands separators left out.
std::u16string NormalizeNumber(std::u16string_view Text, const LocaleData& Locale);

// Reads Text as a date in the order of the locale's short date format, with the locale's date
// separator, optionally followed by a blank and a time (hour and minute, maybe seconds, joined
// by the time separator). Value: days since 1899-12-30 plus the fraction of the day. False,
// with Value untouched, for anything else, also for an impossible date or time.
bool ParseFilterDate(std::u16string_view Text, const LocaleData& Locale, double& Value);

// Reads Text, normalised as NormalizeNumber does, as a whole number: optional leading blanks,
// optional sign, digits with an optional "." fraction, optional exponent. `digits` is scratch.
bool ReadFilterNumber(std::u16string_view Text, const LocaleData& Locale, std::string& digits,
                      double& Value);

// A comparison operand, read once: as a number (never when it is also a date), as a date-time.
struct FilterOperand {
    FilterOperand() = default;
    FilterOperand(std::u16string_view text, const LocaleData& Locale);

    std::u16string Text;
    bool IsNumber = false;
    bool IsDate = false;
    double Number = 0;
    double Date = 0;
};

// Whether S stands to O in the order Op: after O for ">", before it for "<", or equal to it
// with OrEqual. Any other Op holds for no text. `digits` is scratch storage.
bool CompareWithOperand(char16_t Op, const FilterOperand& O, std::u16string_view S, bool OrEqual,
                        const LocaleData& Locale, std::string& digits);

// CompareWithOperand with O read on the spot.
bool CompareOperand(char16_t Op, std::u16string_view O, std::u16string_view S, bool OrEqual,
                    const LocaleData& Locale);

} // namespace zel
