#include "listbox/filter_pattern.h"

namespace zel {

namespace {

// Reads the operand of a comparison from position `at` of the pattern: blanks skipped, then
// characters up to a blank, the end, or (outside double quotes) "&" or "|". A double quote
// toggles quoting; as the very first character it is not taken, later ones are. With
// quotedSpaces a single blank inside quotes after a character is taken too. A double quote
// taken last is dropped.
std::u16string ReadOperand(std::u16string_view P, size_t at, bool quotedSpaces) {
    while (at < P.size() && P[at] == u' ')
        ++at;
    std::u16string operand;
    bool quoted = false;
    for (const size_t start = at; at < P.size(); ++at) {
        const char16_t c = P[at];
        if (c == u' ') {
            if (!(quotedSpaces && quoted && at > start && P[at - 1] != u' '))
                break;
        } else if (c == u'"') {
            quoted = !quoted;
            if (at == start)
                continue;
        } else if (!quoted && (c == u'&' || c == u'|')) {
            break;
        }
        operand.push_back(c);
    }
    if (!operand.empty() && operand.back() == u'"')
        operand.pop_back();
    return operand;
}

bool Holds(std::u16string_view text, char16_t c) {
    return text.find(c) != std::u16string_view::npos;
}

} // namespace

std::u16string BuildFilterPattern(TFilterMethod Method, std::u16string_view Text) {
    std::u16string T(Text);
    if (Holds(T, u' '))
        T = u'"' + T + u'"';
    switch (Method) {
    case TFilterMethod::fmStartsWith:
        return T + u'*';
    case TFilterMethod::fmEndsWith:
        return u'*' + T;
    case TFilterMethod::fmContains:
        return u'*' + T + u'*';
    case TFilterMethod::fmNotContains:
        return u"!*" + T + u'*';
    case TFilterMethod::fmEqual:
        return T;
    case TFilterMethod::fmNotEqual:
        return u'!' + T;
    }
    return T;
}

TFilterMatcher::TFilterMatcher(std::u16string_view Pattern, const TextFolder& Folder,
                               const LocaleData& Locale)
    : folder_(Folder), locale_(Locale), pattern_(Folder.Fold(Pattern)), wildcard_(pattern_) {
    ReadComparison(u'>', true, greater_);
    ReadComparison(u'<', false, less_);
    greaterSeen_ = greater_.Present;
    lessSeen_ = less_.Present;
    // A "!" makes a missing comparison count as seen (and holding).
    if (Holds(pattern_, u'!')) {
        greaterSeen_ = true;
        lessSeen_ = true;
    }
    hasCaret_ = Holds(pattern_, u'^');
    hasAmpersand_ = Holds(pattern_, u'&');
    if (!greater_.Present && !less_.Present)
        containedLiteral_ = wildcard_.ContainedLiteral();
}

void TFilterMatcher::ReadComparison(char16_t op, bool quotedSpaces, Comparison& into) {
    size_t at = pattern_.find(op);
    if (at == std::u16string::npos)
        return;
    into.Present = true;
    ++at;
    into.OrEqual = at < pattern_.size() && pattern_[at] == u'=';
    if (into.OrEqual)
        ++at;
    into.Operand = FilterOperand(ReadOperand(pattern_, at, quotedSpaces), locale_);
}

bool TFilterMatcher::Compare(char16_t op, const Comparison& c, std::u16string_view S) {
    // A comparison the pattern does not make holds.
    return !c.Present || CompareWithOperand(op, c.Operand, S, c.OrEqual, locale_, digits_);
}

bool TFilterMatcher::Matches(std::u16string_view Text) {
    // The search field's common case: contains, compared without a folded copy where it can.
    if (containedLiteral_)
        return folder_.Contains(Text, *containedLiteral_, folded_);
    folder_.Fold(Text, folded_);
    return MatchesFolded(folded_);
}

bool TFilterMatcher::MatchesFolded(std::u16string_view S) {
    if (hasCaret_ && (greaterSeen_ || lessSeen_))
        return Compare(u'>', greater_, S) || Compare(u'<', less_, S);
    if (hasAmpersand_ && greaterSeen_ && lessSeen_)
        return Compare(u'>', greater_, S) && Compare(u'<', less_, S);
    if ((greater_.Present && Compare(u'>', greater_, S)) ||
        (less_.Present && Compare(u'<', less_, S)))
        return true;
    return wildcard_.Matches(S);
}

bool MatchFilter(std::u16string_view Pattern, std::u16string_view Text, bool CaseSensitive,
                 const LocaleData& Locale) {
    const TextFolder folder(CaseSensitive ? nullptr : CaseTableOf(Locale), false, false);
    return TFilterMatcher(Pattern, folder, Locale).Matches(Text);
}

} // namespace zel
