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
#include "listbox/text_folder.h"
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

// Pattern and texts are folded by the folder (letter case, and kana and width when asked);
// numbers and dates compare in the locale. Both must outlive the matcher.
class TFilterMatcher {
public:
    TFilterMatcher(std::u16string_view Pattern, const TextFolder& Folder, const LocaleData& Locale);

    bool Matches(std::u16string_view Text);

private:
    bool MatchesFolded(std::u16string_view S);
    struct Comparison {
        bool Present = false;
        bool OrEqual = false;
        FilterOperand Operand;
    };
    void ReadComparison(char16_t op, bool quotedSpaces, Comparison& into);
    bool Compare(char16_t op, const Comparison& c, std::u16string_view S);

    const TextFolder& folder_;
    const LocaleData& locale_;
    std::u16string pattern_; // folded
    Comparison greater_, less_;
    bool greaterSeen_ = false, lessSeen_ = false;
    bool hasCaret_ = false, hasAmpersand_ = false;
    WildcardPattern wildcard_;
    const std::u16string* containedLiteral_ = nullptr; // in wildcard_: a plain "*T*" pattern
    std::u16string folded_;                            // scratch: the folded text
    std::string digits_;                               // scratch: a number being read
};

} // namespace zel
