#pragma once
// How the search compares texts: upper-cased as the user's locale does it (unless letter case
// matters), and, when asked, hiragana as katakana and full-width as half-width characters, a
// half-width kana with its sound mark counting as the one voiced kana. The characters that
// count as equal are those of the regex engine's kana and width folding; ASCII stands for its
// full-width forms, so that the search pattern's own characters keep their meaning.
//
// Kana and width fold first, then letter case. The folding is tabled once per unit; only the
// sound marks look at the unit before them.
#include "ui/locale_data.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zel {

class TextFolder {
public:
    // upper null: letter case is kept.
    TextFolder(std::shared_ptr<const UpperCaseTable> upper, bool ignoreKana, bool ignoreWidth);
    // The tables may point into the folder itself.
    TextFolder(const TextFolder&) = delete;
    TextFolder& operator=(const TextFolder&) = delete;

    // The folded text. `from`, when given, receives for each folded unit the index of the
    // text unit it comes from (the first of a kana and its sound mark).
    void Fold(std::u16string_view text, std::u16string& out,
              std::vector<size_t>* from = nullptr) const;
    std::u16string Fold(std::u16string_view text) const;

    // Whether the text, folded, contains `folded` (a folded text); without a copy of the text
    // where no sound mark can join its kana.
    bool Contains(std::u16string_view text, std::u16string_view folded,
                  std::u16string& scratch) const;

private:
    // Whether the table folds the text exactly (else the locale's upper-casing must see it
    // whole).
    bool TableServes(std::u16string_view text) const;
    void FoldUnits(std::u16string_view text, const char16_t* units, std::u16string& out,
                   std::vector<size_t>* from) const;
    // The voiced or semi-voiced kana that a half-width kana and a following sound mark make
    // together, or 0.
    char16_t Joined(char16_t kana, char16_t mark) const noexcept;

    std::shared_ptr<const UpperCaseTable> upper_;
    // Per unit: kana and width folded, then upper-cased; null when the locale's upper-casing
    // is no table of units. The locale's own table, the kana and width table, or the store.
    const char16_t* folded_ = nullptr;
    std::vector<char16_t> foldedStore_;
    const char16_t* kanaWidth_;    // per unit: kana and width folded only, shared by all folders
    std::vector<char16_t> joined_; // half-width kana U+FF61.. with U+FF9E, then with U+FF9F
    bool joins_ = false;           // sound marks join their kana (width folding)
};

} // namespace zel
