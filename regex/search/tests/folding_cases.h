#pragma once
// What the search tests run every case with: the compare option sets (each folding alone,
// ASCII-only case, the foldings together) and pieces of text that fold into one another.
#include "regex/types.h"

#include <random>
#include <string>

namespace zel {

inline constexpr TRECompareOptions kCompareOptionSets[] = {
    {},
    coIgnoreCase,
    coIgnoreCase | coASCIIOnly,
    coIgnoreWidth,
    coIgnoreKana,
    TRECompareOptions{coIgnoreWidth, coIgnoreKana},
    TRECompareOptions{coIgnoreCase, coIgnoreWidth},
    TRECompareOptions{coIgnoreCase, coIgnoreWidth, coASCIIOnly},
    TRECompareOptions{coIgnoreCase, coIgnoreWidth, coIgnoreKana}};

// Letters in both cases, a sharp s and a long s (both fold to "s" first), the Kelvin sign, t
// with diaeresis (folds to two characters), half-width kana with and without sound marks,
// their full-width and hiragana forms, full-width letters, Deseret letters in both cases (a
// surrogate pair each).
inline const std::u16string kFoldingPieces[] = {
    u"a",      u"A",      u"b",      u"s",      u"S",      u"k",      u"t",          u"T",
    u"x",      u"\u00DF", u"\u017F", u"\u212A", u"\u1E97", u"\uFF76", u"\uFF9E",     u"\uFF8A",
    u"\uFF9F", u"\u30AC", u"\u304C", u"\u30D1", u"\uFF41", u"\uFF21", u"\U00010400", u"\U00010428"};

// count pieces drawn at random.
inline std::u16string RandomPieces(std::mt19937& random, int count) {
    std::u16string text;
    for (int i = 0; i < count; ++i)
        text += kFoldingPieces[random() % std::size(kFoldingPieces)];
    return text;
}

} // namespace zel
