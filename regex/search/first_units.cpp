#include "regex/search/first_units.h"

#include "regex/unicode/unicode_prop.h"

#include <algorithm>
#include <array>
#include <mutex>
#include <utility>

namespace zel {

namespace {

constexpr char16_t kVoicedMark = 0xFF9E;
constexpr char16_t kSemiVoicedMark = 0xFF9F;

bool IsSurrogate(char32_t ch) {
    return ch >= 0xD800 && ch <= 0xDFFF;
}

// A half-width kana (U+FF61-U+FF9F, no other unit folds to one) reads differently before a
// sound mark; nothing else depends on the unit after it (surrogates aside, which the callers
// keep apart).
template <typename Visit>
void ForEachContext(char16_t unit, TRECompareOptions options, Visit visit) {
    const char16_t followers[] = {0, kVoicedMark, kSemiVoicedMark};
    const int contexts =
        options.Contains(coIgnoreWidth) && unit >= 0xFF61 && unit <= 0xFF9F ? 3 : 1;
    for (int i = 0; i < contexts; ++i) {
        const char16_t text[2] = {unit, followers[i]};
        TUnicodeMultiChar pending;
        int len = 0;
        const char32_t first = FoldRead(text, text + (i == 0 ? 1 : 2), len, options, pending);
        visit(first, len, pending.Count);
    }
}

// (first folded character, unit) for every unit outside the surrogates that folds to another
// character than itself in some context; sorted.
using TReverseFolds = std::vector<std::pair<char32_t, char16_t>>;

TReverseFolds BuildReverseFolds(TRECompareOptions options) {
    TReverseFolds folds;
    for (char32_t unit = 0; unit <= 0xFFFF; ++unit) {
        if (IsSurrogate(unit))
            continue;
        const char16_t u = static_cast<char16_t>(unit);
        ForEachContext(u, options, [&](char32_t first, int, int) {
            if (first != unit)
                folds.emplace_back(first, u);
        });
    }
    std::sort(folds.begin(), folds.end());
    folds.erase(std::unique(folds.begin(), folds.end()), folds.end());
    return folds;
}

constexpr std::size_t kOptionSets = 16; // every combination of the four compare options

const TReverseFolds& ReverseFolds(TRECompareOptions options) {
    static std::array<std::once_flag, kOptionSets> built;
    static std::array<TReverseFolds, kOptionSets> tables;
    const std::size_t key = options.ToBits() % kOptionSets;
    std::call_once(built[key], [&] { tables[key] = BuildReverseFolds(options); });
    return tables[key];
}

} // namespace

std::optional<std::vector<char16_t>> FirstUnitsOf(char32_t target, TRECompareOptions options) {
    if (IsSurrogate(target))
        return std::nullopt;
    std::vector<char16_t> units;
    if (target > 0xFFFF) {
        // Case folding keeps supplementary characters among themselves; any high surrogate may
        // begin one that folds to target.
        if (options.Contains(coIgnoreCase) && !options.Contains(coASCIIOnly)) {
            for (char16_t high = 0xD800; high <= 0xDBFF; ++high)
                units.push_back(high);
        } else {
            units.push_back(static_cast<char16_t>(0xD800 + ((target - 0x10000) >> 10)));
        }
        return units;
    }
    if (!options.ContainsAny({coIgnoreCase, coIgnoreWidth, coIgnoreKana})) {
        units.push_back(static_cast<char16_t>(target));
        return units;
    }
    const TReverseFolds& folds = ReverseFolds(options);
    const auto lower =
        std::lower_bound(folds.begin(), folds.end(), std::pair<char32_t, char16_t>{target, 0});
    for (auto it = lower; it != folds.end() && it->first == target; ++it)
        units.push_back(it->second);
    bool self = false;
    ForEachContext(static_cast<char16_t>(target), options,
                   [&](char32_t first, int, int) { self = self || first == target; });
    if (self)
        units.insert(std::lower_bound(units.begin(), units.end(), target),
                     static_cast<char16_t>(target));
    return units;
}

bool FoldsAlone(char16_t unit, TRECompareOptions options) {
    if (IsSurrogate(unit))
        return false;
    bool alone = true;
    ForEachContext(unit, options, [&](char32_t, int len, int pending) {
        alone = alone && len == 1 && pending == 0;
    });
    return alone;
}

} // namespace zel
