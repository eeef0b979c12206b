#pragma once
// The search field's small pattern language. A pattern is built from the typed text and the
// filter method; matching upper-cases pattern and text (unless case-sensitive), then tries the
// ">" and "<" comparisons with their "&" and "^" joins, and otherwise the wildcard match:
// "*" any run, "?" one character, "!" negates the match it stands in, double quotes match
// nothing (wildcard.h).
//
// TFilterMatcher reads a pattern once, for a whole filter pass.
#include "listbox/filter_compare.h"
#include "listbox/search_options.h"
#include "listbox/wildcard.h"
#include "ui/locale_data.h"

#include <memory>
#include <string>
#include <string_view>

namespace zel {

// The pattern for the typed text: in double quotes when it holds a space, then "T*" (starts
// with), "*T" (ends with), "*T*" (contains), "!*T*" (does not contain), "T" (equal) or "!T"
// (not equal).
std::u16string BuildFilterPattern(TFilterMethod Method, std::u16string_view Text);

// Pattern against Text; without CaseSensitive both are upper-cased by the locale first.
bool MatchFilter(std::u16string_view Pattern, std::u16string_view Text, bool CaseSensitive,
                 const LocaleData& Locale);

class TFilterMatcher {
public:
    TFilterMatcher(std::u16string_view Pattern, bool CaseSensitive, const LocaleData& Locale);

    // Text as stored: upper-cased here unless the match is case-sensitive.
    bool Matches(std::u16string_view Text);
    // Text already upper-cased by the locale's table (for a case-insensitive matcher), or as
    // stored (for a case-sensitive one).
    bool MatchesPrepared(std::u16string_view Text);

private:
    struct Comparison {
        bool Present = false;
        bool OrEqual = false;
        FilterOperand Operand;
    };
    void ReadComparison(char16_t op, bool quotedSpaces, Comparison& into);
    bool Compare(char16_t op, const Comparison& c, std::u16string_view S);

    const LocaleData& locale_;
    std::shared_ptr<const UpperCaseTable> table_; // null for a case-sensitive matcher
    std::u16string pattern_;                      // upper-cased unless case-sensitive
    Comparison greater_, less_;
    bool greaterSeen_ = false, lessSeen_ = false;
    bool hasCaret_ = false, hasAmpersand_ = false;
    WildcardPattern wildcard_;
    const std::u16string* containedLiteral_ = nullptr; // in wildcard_: a plain "*T*" pattern
    std::u16string upper_;                             // scratch: the upper-cased text
    std::string digits_;                               // scratch: a number being read
};

} // namespace zel
