#include "ui/locale_data.h"

namespace zel {

namespace {

constexpr std::size_t kUnits = 0x10000;

bool IsSurrogate(char16_t c) {
    return (c & 0xF800) == 0xD800;
}

char16_t AsciiUpper(char16_t c) {
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 0x20) : c;
}

char16_t AsciiLower(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 0x20) : c;
}

// Every BMP unit in order, the surrogates left out: one call of the locale's function.
std::u16string AllBmpUnits() {
    std::u16string units;
    units.reserve(kUnits - 0x800);
    for (std::size_t c = 0; c < kUnits; ++c)
        if (!IsSurrogate(static_cast<char16_t>(c)))
            units.push_back(static_cast<char16_t>(c));
    return units;
}

// Text in the locale's case, or in the ASCII one when the locale has no function for it.
std::u16string CasedText(std::u16string_view Text,
                         const std::function<std::u16string(std::u16string_view)>& Locale,
                         char16_t (*Ascii)(char16_t)) {
    if (Locale)
        return Locale(Text);
    std::u16string cased(Text);
    for (char16_t& c : cased)
        c = Ascii(c);
    return cased;
}

} // namespace

std::u16string UpperText(std::u16string_view Text, const LocaleData& Locale) {
    return CasedText(Text, Locale.UpperCase, AsciiUpper);
}

std::u16string LowerText(std::u16string_view Text, const LocaleData& Locale) {
    return CasedText(Text, Locale.LowerCase, AsciiLower);
}

UpperCaseTable::UpperCaseTable(const LocaleData& Locale) : upperCase_(Locale.UpperCase) {
    if (!upperCase_) {
        units_.resize(kUnits);
        for (std::size_t c = 0; c < kUnits; ++c)
            units_[c] = AsciiUpper(static_cast<char16_t>(c));
        return;
    }
    const std::u16string units = AllBmpUnits();
    const std::u16string upper = upperCase_(units);
    if (upper.size() != units.size())
        return;
    units_.resize(kUnits);
    for (std::size_t c = 0; c < kUnits; ++c)
        units_[c] = static_cast<char16_t>(c);
    for (std::size_t i = 0; i < units.size(); ++i)
        units_[units[i]] = upper[i];
}

bool UpperCaseTable::Covers(std::u16string_view Text) const noexcept {
    if (units_.empty())
        return false;
    if (!upperCase_)
        return true;
    // No early exit: the loop stays branch-free and short item texts pass in a few steps.
    bool surrogate = false;
    for (const char16_t c : Text)
        surrogate |= IsSurrogate(c);
    return !surrogate;
}

void UpperCaseTable::UpperInto(std::u16string_view Text, std::u16string& Out) const {
    if (!Covers(Text)) {
        Out = upperCase_(Text);
        return;
    }
    Out.resize(Text.size());
    for (std::size_t i = 0; i < Text.size(); ++i)
        Out[i] = units_[Text[i]];
}

std::vector<char16_t> UpperCaseTable::UnitsUpperingTo(char16_t Upper) const {
    if (units_.empty())
        return {Upper};
    std::vector<char16_t> units;
    for (std::size_t c = 0; c < kUnits; ++c)
        if (units_[c] == Upper)
            units.push_back(static_cast<char16_t>(c));
    return units;
}

void PrepareCaseTable(LocaleData& Locale) {
    Locale.CaseTable = std::make_shared<const UpperCaseTable>(Locale);
}

std::shared_ptr<const UpperCaseTable> CaseTableOf(const LocaleData& Locale) {
    return Locale.CaseTable ? Locale.CaseTable : std::make_shared<const UpperCaseTable>(Locale);
}

} // namespace zel
