#pragma once
// The user's locale as portable code needs it (the search patterns, typed input): the short
// date format, the separators and the locale-aware upper- and lower-casing. A plain value: the
// Windows side fills it from the system (user_locale.h), tests write their own.
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zel {

class UpperCaseTable;

struct LocaleData {
    std::u16string ShortDateFormat = u"yyyy/MM/dd"; // as the locale writes it
    char16_t DateSeparator = u'/';
    char16_t TimeSeparator = u':';
    char16_t DecimalSeparator = u'.';
    char16_t ThousandSeparator = u',';
    // The platform's locale-aware upper-casing of a whole text (same length in, same length out
    // for BMP text on Windows). Empty function: ASCII-only upper-casing.
    std::function<std::u16string(std::u16string_view)> UpperCase;
    // The same for lower-casing. Empty function: ASCII-only lower-casing.
    std::function<std::u16string(std::u16string_view)> LowerCase;
    // UpperCase as a table, shared by every matcher made with this locale (PrepareCaseTable).
    // Empty: each matcher makes its own. Renew it whenever UpperCase changes.
    std::shared_ptr<const UpperCaseTable> CaseTable;
};

// Text upper-cased by the locale's function (ASCII only when it has none).
std::u16string UpperText(std::u16string_view Text, const LocaleData& Locale);
// Text lower-cased by the locale's function (ASCII only when it has none).
std::u16string LowerText(std::u16string_view Text, const LocaleData& Locale);

// The locale's upper-casing per code unit: the function is asked once, for every BMP unit but
// the surrogates, so that matching can fold unit by unit instead of calling it per text. A
// text with surrogates still goes through the function whole, so results stay exact; a
// function that changed the length of that one call cannot be tabled, and then every text goes
// through it.
class UpperCaseTable {
public:
    explicit UpperCaseTable(const LocaleData& Locale);

    // 65536 upper-case units indexed by unit; null when the function could not be tabled.
    const char16_t* Units() const noexcept { return units_.empty() ? nullptr : units_.data(); }
    // Whether the table upper-cases Text exactly.
    bool Covers(std::u16string_view Text) const noexcept;
    // Text upper-cased exactly into Out, reusing its storage when the table covers Text.
    void UpperInto(std::u16string_view Text, std::u16string& Out) const;
    // Every unit that the table upper-cases to Upper (Upper itself only without a table).
    std::vector<char16_t> UnitsUpperingTo(char16_t Upper) const;

private:
    std::vector<char16_t> units_;
    // Empty for ASCII upper-casing, which the table covers for every text.
    std::function<std::u16string(std::u16string_view)> upperCase_;
};

// Makes Locale.CaseTable from Locale.UpperCase.
void PrepareCaseTable(LocaleData& Locale);
// Locale.CaseTable, or a new table when it has none.
std::shared_ptr<const UpperCaseTable> CaseTableOf(const LocaleData& Locale);

} // namespace zel
