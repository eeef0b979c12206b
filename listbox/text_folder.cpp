#include "listbox/text_folder.h"

#include "regex/unicode/unicode_prop.h"

#include <algorithm>

namespace zel {

namespace {

constexpr size_t kUnits = 0x10000;
constexpr char16_t kFirstHalfKana = 0xFF61, kLastHalfKana = 0xFF9F;
constexpr char16_t kVoicedMark = 0xFF9E, kSemiVoicedMark = 0xFF9F;

bool IsSurrogate(char16_t c) {
    return (c & 0xF800) == 0xD800;
}

bool IsHalfKana(char16_t c) {
    return c >= kFirstHalfKana && c <= kLastHalfKana;
}

// The regex engine's representative stands full-width ASCII and the ideographic space for the
// ASCII characters: here ASCII stands for them.
char16_t AsciiFor(char32_t representative) {
    if (representative >= 0xFF01 && representative <= 0xFF5E)
        return static_cast<char16_t>(representative - 0xFEE0);
    if (representative == 0x3000)
        return u' ';
    return static_cast<char16_t>(representative);
}

TRECompareOptions FoldingOptions(bool ignoreKana, bool ignoreWidth) {
    TRECompareOptions options;
    if (ignoreKana)
        options.Include(coIgnoreKana);
    if (ignoreWidth)
        options.Include(coIgnoreWidth);
    return options;
}

// The folded form of a run of units read as one character, and how many it took.
char16_t FoldedCharacter(const char16_t* p, const char16_t* end, TRECompareOptions options,
                         int& length) {
    TUnicodeMultiChar pending;
    return AsciiFor(FoldRead(p, end, length, options, pending));
}

std::vector<char16_t> BuildKanaWidthTable(bool ignoreKana, bool ignoreWidth) {
    const TRECompareOptions options = FoldingOptions(ignoreKana, ignoreWidth);
    std::vector<char16_t> table(kUnits);
    for (size_t c = 0; c < kUnits; ++c) {
        const char16_t unit = static_cast<char16_t>(c);
        int length = 0;
        table[c] = options.Empty() || IsSurrogate(unit)
                       ? unit
                       : FoldedCharacter(&unit, &unit + 1, options, length);
    }
    return table;
}

template <bool IgnoreKana, bool IgnoreWidth>
const std::vector<char16_t>& KanaWidthTableOf() {
    static const std::vector<char16_t> table = BuildKanaWidthTable(IgnoreKana, IgnoreWidth);
    return table;
}

// The kana and width folding of every unit, made once for each combination: a folder is made
// for every single match as well as for the list's searches.
const std::vector<char16_t>& KanaWidthTable(bool ignoreKana, bool ignoreWidth) {
    if (ignoreKana)
        return ignoreWidth ? KanaWidthTableOf<true, true>() : KanaWidthTableOf<true, false>();
    return ignoreWidth ? KanaWidthTableOf<false, true>() : KanaWidthTableOf<false, false>();
}

} // namespace

TextFolder::TextFolder(std::shared_ptr<const UpperCaseTable> upper, bool ignoreKana,
                       bool ignoreWidth)
    : upper_(std::move(upper)), kanaWidth_(KanaWidthTable(ignoreKana, ignoreWidth).data()),
      joins_(ignoreWidth) {
    const char16_t* upperUnits = upper_ ? upper_->Units() : nullptr;
    if (!upper_)
        folded_ = kanaWidth_;
    else if (upperUnits && !ignoreKana && !ignoreWidth)
        folded_ = upperUnits;
    else if (upperUnits) {
        foldedStore_.resize(kUnits);
        for (size_t c = 0; c < kUnits; ++c)
            foldedStore_[c] = upperUnits[kanaWidth_[c]];
        folded_ = foldedStore_.data();
    }
    if (joins_) {
        const TRECompareOptions options = FoldingOptions(ignoreKana, ignoreWidth);
        joined_.assign(2 * (kLastHalfKana - kFirstHalfKana + 1), 0);
        for (char16_t kana = kFirstHalfKana; kana <= kLastHalfKana; ++kana)
            for (char16_t mark : {kVoicedMark, kSemiVoicedMark}) {
                const char16_t pair[2] = {kana, mark};
                int length = 0;
                const char16_t joined = FoldedCharacter(pair, pair + 2, options, length);
                joined_[(kana - kFirstHalfKana) * 2 + (mark - kVoicedMark)] =
                    length == 2 ? joined : 0;
            }
    }
}

char16_t TextFolder::Joined(char16_t kana, char16_t mark) const noexcept {
    if (!joins_ || !IsHalfKana(kana) || (mark != kVoicedMark && mark != kSemiVoicedMark))
        return 0;
    return joined_[(kana - kFirstHalfKana) * 2 + (mark - kVoicedMark)];
}

bool TextFolder::TableServes(std::u16string_view text) const {
    return folded_ && (!upper_ || upper_->Covers(text));
}

void TextFolder::FoldUnits(std::u16string_view text, const char16_t* units, std::u16string& out,
                           std::vector<size_t>* from) const {
    out.resize(text.size());
    if (from)
        from->resize(text.size());
    size_t length = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (from)
            (*from)[length] = i;
        if (i + 1 < text.size())
            if (const char16_t joined = Joined(text[i], text[i + 1])) {
                out[length++] = joined;
                ++i;
                continue;
            }
        out[length++] = units[text[i]];
    }
    out.resize(length);
    if (from)
        from->resize(length);
}

void TextFolder::Fold(std::u16string_view text, std::u16string& out,
                      std::vector<size_t>* from) const {
    if (TableServes(text)) {
        FoldUnits(text, folded_, out, from);
        return;
    }
    // Kana and width first, then the locale's own upper-casing of the whole text. Indexes
    // into an upper-casing of another length would name other units: such a text keeps its
    // letter case where the places matter.
    std::u16string kanaWidth;
    FoldUnits(text, kanaWidth_, kanaWidth, from);
    upper_->UpperInto(kanaWidth, out);
    if (from && out.size() != kanaWidth.size())
        out = std::move(kanaWidth);
}

std::u16string TextFolder::Fold(std::u16string_view text) const {
    std::u16string out;
    Fold(text, out);
    return out;
}

bool TextFolder::Contains(std::u16string_view text, std::u16string_view folded,
                          std::u16string& scratch) const {
    // The table maps a surrogate pair to itself where the locale may map it to another pair
    // of the same length: a pattern of other units finds the same places either way.
    const bool pairsMatter = std::any_of(folded.begin(), folded.end(), IsSurrogate);
    if (!folded_ || (pairsMatter && !TableServes(text))) {
        Fold(text, scratch);
        return scratch.find(folded) != std::u16string::npos;
    }
    if (folded.empty())
        return true;
    // Read folded characters straight from the text: starts lie only where a folded
    // character starts, as in the folded copy.
    const char16_t* units = folded_;
    const size_t n = text.size();
    auto read = [&](size_t i, size_t& length) {
        if (joins_ && i + 1 < n)
            if (const char16_t joined = Joined(text[i], text[i + 1])) {
                length = 2;
                return joined;
            }
        length = 1;
        return units[text[i]];
    };
    for (size_t i = 0, length = 1; i < n; i += length) {
        if (read(i, length) != folded[0])
            continue;
        size_t k = 1, next = i + length, step = 0;
        while (k < folded.size() && next < n && read(next, step) == folded[k]) {
            ++k;
            next += step;
        }
        if (k == folded.size())
            return true;
    }
    return false;
}

} // namespace zel
