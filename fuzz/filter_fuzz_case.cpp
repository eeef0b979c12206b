// The search pattern's fuzz case. Input: an option byte (method, letter case, kana and width,
// locale), then the typed text and item texts, separated by U+0001. Checks that every text
// gives a result; that the bounded wildcard match agrees with the backtracking rules on small
// inputs; and that the folded "contains" search agrees with folding and then searching.
#include "fuzz/fuzz_cases.h"
#include "fuzz/fuzz_input.h"

#include "listbox/filter_pattern.h"
#include "listbox/testing/wildcard_reference.h"

#include <string>
#include <vector>

namespace zel {
namespace {

constexpr std::size_t kMaxInput = 1 << 14;
// The backtracking rules take time exponential in the stars: only small cases are compared.
constexpr std::size_t kMaxReferenceUnits = 9;

LocaleData FuzzLocale(bool dayFirst) {
    LocaleData locale;
    if (dayFirst) {
        locale.ShortDateFormat = u"dd.MM.yyyy";
        locale.DateSeparator = u'.';
        locale.DecimalSeparator = u',';
        locale.ThousandSeparator = u'.';
    }
    PrepareCaseTable(locale);
    return locale;
}

std::vector<std::u16string> Split(std::u16string_view text) {
    std::vector<std::u16string> parts;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(u'\x0001', start);
        parts.emplace_back(
            text.substr(start, end == std::u16string_view::npos ? end : end - start));
        if (end == std::u16string_view::npos)
            return parts;
        start = end + 1;
    }
}

} // namespace

void RunFilterFuzzCase(const std::uint8_t* data, std::size_t size) {
    if (size > kMaxInput)
        return;
    fuzz::FuzzInput input(data, size);
    const std::uint8_t options = input.Byte();
    const auto method = static_cast<TFilterMethod>(options % 6);
    const bool caseSensitive = (options & 8) != 0, kanaWidth = (options & 16) != 0;
    static const LocaleData kLocales[] = {FuzzLocale(false), FuzzLocale(true)};
    const LocaleData& locale = kLocales[(options >> 5) & 1];
    const std::string_view bytes = input.Bytes();
    const std::vector<std::u16string> parts =
        Split(input.Units(u"\xD800\xDC00\xFF9E\xFF76\u304B\u30AB\uFF01*?!\"<>=&^|"));
    const std::u16string pattern = BuildFilterPattern(method, parts[0]);

    const TextFolder folder(caseSensitive ? nullptr : locale.CaseTable, kanaWidth, kanaWidth);
    TFilterMatcher matcher(pattern, folder, locale);
    std::u16string scratch;
    for (std::size_t i = 1; i < parts.size(); ++i) {
        const std::u16string& item = parts[i];
        matcher.Matches(item);
        const std::u16string foldedItem = folder.Fold(item);
        const std::u16string foldedTyped = folder.Fold(parts[0]);
        fuzz::CheckInput(folder.Contains(item, foldedTyped, scratch) ==
                             (foldedItem.find(foldedTyped) != std::u16string::npos),
                         "the folded search finds what folding and searching finds", bytes);
        if (pattern.size() <= kMaxReferenceUnits && item.size() <= kMaxReferenceUnits)
            fuzz::CheckInput(MatchWildcard(pattern, item) ==
                                 testing::ReferenceWildcard(pattern, 0, item, 0),
                             "the wildcard match keeps the backtracking rules", bytes);
    }
}

} // namespace zel
