#include "buttonedit/mixed_case.h"

#include <vector>

namespace zel {

namespace {

constexpr std::u16string_view kWordBreaks = u" \"$')*,-./:\\";

bool IsWordBreak(char16_t c) {
    return kWordBreaks.find(c) != std::u16string_view::npos;
}

// Which positions the rules put in upper case, read in the lower-cased text.
std::vector<bool> CapitalPlaces(std::u16string_view Lower) {
    const size_t n = Lower.size();
    std::vector<bool> capital(n, false);
    for (size_t i = 0; i < n; ++i)
        capital[i] = i == 0 || IsWordBreak(Lower[i - 1]);
    const auto mark = [&](size_t at) {
        if (at < n)
            capital[at] = true;
    };
    if (Lower.starts_with(u"mac"))
        mark(3);
    else if (Lower.starts_with(u"mc"))
        mark(2);
    for (size_t i = 1; i + 1 < n; ++i) {
        if (IsWordBreak(Lower[i - 1]) && Lower.substr(i, 2) == u"mc") {
            mark(i + 2);
            break;
        }
    }
    if (n >= 3 && Lower[n - 3] == u' ' && Lower[n - 2] == u'i')
        capital[n - 1] = true;
    return capital;
}

} // namespace

std::u16string MixedCase(std::u16string_view Text, const LocaleData& Locale) {
    std::u16string lower = LowerText(Text, Locale);
    std::u16string upper = UpperText(Text, Locale);
    // A locale whose cases change the length cannot be mixed place by place: ASCII rules then.
    if (lower.size() != Text.size() || upper.size() != Text.size()) {
        lower = LowerText(Text, LocaleData{});
        upper = UpperText(Text, LocaleData{});
    }
    const std::vector<bool> capital = CapitalPlaces(lower);
    for (size_t i = 0; i < lower.size(); ++i)
        if (capital[i])
            lower[i] = upper[i];
    return lower;
}

} // namespace zel
