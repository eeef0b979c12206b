#include "listbox/filter_compare.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>

namespace zel {

namespace {

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// Without the blanks and control characters at both ends.
std::u16string_view Trimmed(std::u16string_view text) {
    while (!text.empty() && text.front() <= u' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() <= u' ')
        text.remove_suffix(1);
    return text;
}

// A whole number of at most five digits after optional leading blanks; false for anything
// else, also a sign (no field of a date or a time is negative).
bool ReadSmallInteger(std::u16string_view text, uint32_t& value) {
    while (!text.empty() && text.front() == u' ')
        text.remove_prefix(1);
    if (text.empty() || text.size() > 5)
        return false;
    value = 0;
    for (char16_t c : text) {
        if (!IsDigit(c))
            return false;
        value = value * 10 + static_cast<uint32_t>(c - u'0');
    }
    return value <= 0xFFFF;
}

// Days from 1899-12-30 to the date, or false for a date the calendar does not have.
bool DateSerial(uint32_t year, uint32_t month, uint32_t day, double& days) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1)
        return false;
    static constexpr std::array<uint32_t, 12> kDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    if (day > kDays[month - 1] + (month == 2 && leap ? 1 : 0))
        return false;
    // Days since 0001-01-01 of the proleptic Gregorian calendar.
    const int64_t y = static_cast<int64_t>(year) - 1;
    int64_t count = y * 365 + y / 4 - y / 100 + y / 400 + day - 1;
    for (uint32_t m = 1; m < month; ++m)
        count += kDays[m - 1] + (m == 2 && leap ? 1 : 0);
    constexpr int64_t kDaysTo1899_12_30 = 693593;
    days = static_cast<double>(count - kDaysTo1899_12_30);
    return true;
}

enum class DateField { Day, Month, Year };

// The order of day, month and year in the locale's short date format: by the first "D", "M"
// and "Y" in it, letters compared without case.
std::array<DateField, 3> DateFieldOrder(std::u16string_view format) {
    auto first = [&](char16_t letter) {
        for (size_t i = 0; i < format.size(); ++i)
            if ((format[i] | 0x20) == (letter | 0x20))
                return i + 1;
        return size_t{0};
    };
    std::array<std::pair<size_t, DateField>, 3> fields{{{first(u'D'), DateField::Day},
                                                        {first(u'M'), DateField::Month},
                                                        {first(u'Y'), DateField::Year}}};
    std::stable_sort(fields.begin(), fields.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    return {fields[0].second, fields[1].second, fields[2].second};
}

// The time part of a date text: hour, minute and maybe second, joined by the separator.
bool ReadTime(std::u16string_view text, char16_t separator, double& fraction) {
    size_t at = text.find(separator);
    if (at == std::u16string_view::npos)
        return false;
    uint32_t hour = 0, minute = 0, second = 0;
    if (!ReadSmallInteger(text.substr(0, at), hour) || hour > 23)
        return false;
    text.remove_prefix(at + 1);
    at = text.find(separator);
    if (at != std::u16string_view::npos) {
        if (!ReadSmallInteger(text.substr(0, at), minute) ||
            !ReadSmallInteger(text.substr(at + 1), second) || second > 60)
            return false;
    } else if (!ReadSmallInteger(text, minute)) {
        return false;
    }
    // Second 60 passes the first check but is no time of the day.
    if (minute > 59 || second > 59)
        return false;
    fraction = (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
    return true;
}

int CompareOrdinal(std::u16string_view a, std::u16string_view b) {
    constexpr size_t kCompared = 255;
    return a.substr(0, kCompared).compare(b.substr(0, kCompared));
}

template <class T>
bool Ordered(char16_t Op, T s, T o, bool OrEqual) {
    if (Op == u'>')
        return OrEqual ? s >= o : s > o;
    if (Op == u'<')
        return OrEqual ? s <= o : s < o;
    return false;
}

} // namespace

std::u16string NormalizeNumber(std::u16string_view Text, const LocaleData& Locale) {
    std::u16string out;
    out.reserve(Text.size());
    for (char16_t c : Text) {
        if (c == Locale.DecimalSeparator)
            out.push_back(u'.');
        else if (c != Locale.ThousandSeparator)
            out.push_back(c);
    }
    return out;
}

bool ParseFilterDate(std::u16string_view Text, const LocaleData& Locale, double& Value) {
    const std::array<DateField, 3> order = DateFieldOrder(Locale.ShortDateFormat);
    std::array<uint32_t, 3> fields{}; // by DateField
    for (int i = 0; i < 2; ++i) {
        const size_t at = Text.find(Locale.DateSeparator);
        if (at == std::u16string_view::npos ||
            !ReadSmallInteger(Text.substr(0, at), fields[static_cast<size_t>(order[i])]))
            return false;
        Text.remove_prefix(at + 1);
    }
    Text = Trimmed(Text);
    std::u16string_view time;
    if (const size_t blank = Text.find(u' '); blank != std::u16string_view::npos) {
        time = Text.substr(blank);
        Text = Text.substr(0, blank);
    }
    if (!ReadSmallInteger(Text, fields[static_cast<size_t>(order[2])]))
        return false;
    const uint32_t day = fields[0], month = fields[1], year = fields[2];
    if (day >= 32 || month >= 13)
        return false;
    double fraction = 0;
    if (!time.empty() && !ReadTime(time, Locale.TimeSeparator, fraction))
        return false;
    double days = 0;
    if (!DateSerial(year, month, day, days))
        return false;
    Value = days + fraction;
    return true;
}

bool ReadFilterNumber(std::u16string_view Text, const LocaleData& Locale, std::string& digits,
                      double& Value) {
    // The normalised text as ASCII, checked against the number's shape on the way.
    digits.clear();
    size_t i = 0;
    while (i < Text.size() && Text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < Text.size() && (Text[i] == u'+' || Text[i] == u'-'))
        negative = Text[i++] == u'-';
    enum class Part { Whole, Fraction, ExponentSign, Exponent } part = Part::Whole;
    bool mantissaDigit = false, exponentDigit = false;
    for (; i < Text.size(); ++i) {
        char16_t c = Text[i];
        if (c == Locale.ThousandSeparator && c != Locale.DecimalSeparator)
            continue;
        if (c == Locale.DecimalSeparator)
            c = u'.';
        if (IsDigit(c)) {
            if (part == Part::ExponentSign)
                part = Part::Exponent;
            (part == Part::Exponent ? exponentDigit : mantissaDigit) = true;
        } else if (c == u'.' && part == Part::Whole) {
            part = Part::Fraction;
        } else if ((c == u'e' || c == u'E') && part <= Part::Fraction && mantissaDigit) {
            part = Part::ExponentSign;
        } else if ((c == u'+' || c == u'-') && part == Part::ExponentSign) {
            part = Part::Exponent;
        } else {
            return false;
        }
        digits.push_back(static_cast<char>(c));
    }
    if (!mantissaDigit || (part >= Part::ExponentSign && !exponentDigit))
        return false;
    // The shape is checked: the C library only converts, overflow to infinity included.
    const double value = std::strtod(digits.c_str(), nullptr);
    Value = negative ? -value : value;
    return true;
}

FilterOperand::FilterOperand(std::u16string_view text, const LocaleData& Locale) : Text(text) {
    IsDate = ParseFilterDate(text, Locale, Date);
    std::string digits;
    IsNumber = !IsDate && ReadFilterNumber(text, Locale, digits, Number);
}

bool CompareWithOperand(char16_t Op, const FilterOperand& O, std::u16string_view S, bool OrEqual,
                        const LocaleData& Locale, std::string& digits) {
    // A side that reads as a date is no number; the item text is read only as far as the
    // operand needs it.
    double value = 0;
    if (O.IsNumber) {
        double ignored = 0;
        if (ReadFilterNumber(S, Locale, digits, value) && !ParseFilterDate(S, Locale, ignored))
            return Ordered(Op, value, O.Number, OrEqual);
    } else if (O.IsDate) {
        if (ParseFilterDate(S, Locale, value))
            return Ordered(Op, value, O.Date, OrEqual);
    }
    const int c = CompareOrdinal(O.Text, S);
    return Op == u'>' ? (OrEqual ? c <= 0 : c < 0) : Op == u'<' && (OrEqual ? c >= 0 : c > 0);
}

bool CompareOperand(char16_t Op, std::u16string_view O, std::u16string_view S, bool OrEqual,
                    const LocaleData& Locale) {
    std::string digits;
    return CompareWithOperand(Op, FilterOperand(O, Locale), S, OrEqual, Locale, digits);
}

} // namespace zel
