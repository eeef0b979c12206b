#include "regex/search/quick_search.h"

#include "regex/search/first_units.h"
#include "regex/search/resume.h"
#include "regex/unicode/unicode_prop.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace zel {

namespace {

// The units that compare equal to unit, unit for unit (ASCII letters in both cases).
std::vector<char16_t> UnitsEqualTo(char16_t unit, bool asciiCase) {
    const char16_t lower = unit >= u'A' && unit <= u'Z' ? unit + 0x20 : unit;
    if (asciiCase && lower >= u'a' && lower <= u'z')
        return {lower, static_cast<char16_t>(lower - 0x20)};
    return {unit};
}

bool IsSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDFFF;
}

// The characters a unit folds to, read alone.
std::u32string FoldOfUnit(char16_t unit, TRECompareOptions options) {
    std::u32string fold;
    TUnicodeMultiChar pending;
    const char16_t* p = &unit;
    do {
        int len = 0;
        fold += FoldRead(p, &unit + 1, len, options, pending);
        p += len;
    } while (p < &unit + 1 || pending.Count > 0);
    return fold;
}

// Whether every character of the folded literal before its last takes exactly one unit of any
// text it matches, so that its last character lies a fixed distance from its start. A unit
// that folds to several characters (a sharp s, a ligature) takes more than one of them where
// the literal goes on with its folding; a surrogate pair takes two units for one character.
bool OneUnitEach(std::u16string_view folded, TRECompareOptions options) {
    for (std::size_t i = 0; i + 1 < folded.size(); ++i) {
        const auto units = IsSurrogate(folded[i]) ? std::nullopt : FirstUnitsOf(folded[i], options);
        if (!units)
            return false;
        for (const char16_t unit : *units) {
            if (IsSurrogate(unit))
                return false;
            if (FoldsAlone(unit, options))
                continue;
            const std::u32string fold = FoldOfUnit(unit, options);
            const std::size_t common = std::min(fold.size(), folded.size() - i);
            if (common >= 2 &&
                std::equal(fold.begin(), fold.begin() + static_cast<std::ptrdiff_t>(common),
                           folded.begin() + static_cast<std::ptrdiff_t>(i)))
                return false;
        }
    }
    return true;
}

} // namespace

void TREQuickSearch::SetFindText(std::u16string_view text) {
    if (text != FFindText) {
        FFindText = text;
        FCompiled = false;
    }
}

void TREQuickSearch::SetOptions(TRECompareOptions options) {
    if (options != FOptions) {
        FOptions = options;
        FCompiled = false;
    }
}

void TREQuickSearch::Compile() {
    const bool folding = FOptions.Contains(coIgnoreWidth) || FOptions.Contains(coIgnoreKana);
    const bool ignoreCase = FOptions.Contains(coIgnoreCase);
    FScans = false;
    if (folding || (ignoreCase && !FOptions.Contains(coASCIIOnly))) {
        FCompare = TCompare::Folded;
        FFoldOptions = folding ? FOptions : TRECompareOptions{coIgnoreCase};
        PlanFolded();
    } else if (!FFindText.empty()) {
        FCompare = ignoreCase ? TCompare::AsciiCase : TCompare::Exact;
        std::vector<char16_t> first = UnitsEqualTo(FFindText.front(), ignoreCase);
        FCandidates = FFindText.size() == 1
                          ? TCandidateScan::OfUnits(std::move(first))
                          : TCandidateScan::OfPair(std::move(first), PatternLen() - 1,
                                                   UnitsEqualTo(FFindText.back(), ignoreCase));
        FScans = true;
    }
    FCompiled = true;
}

// The units that may begin the first character and, when there is one, the second; or, when
// the folding of case alone keeps the last character a fixed distance away, the units that
// may begin the first and the last, as for an exact literal (the first two letters of a word
// are a common pair, its first and last much less so).
void TREQuickSearch::PlanFolded() {
    const char16_t* p = FFindText.data();
    const char16_t* end = p + FFindText.size();
    if (p == end)
        return;
    if (FFindText.size() >= 3 && FFoldOptions == TRECompareOptions{coIgnoreCase} &&
        OneUnitEach(FFindText, FFoldOptions)) {
        auto first = FirstUnitsOf(FFindText.front(), FFoldOptions);
        auto last = FirstUnitsOf(FFindText.back(), FFoldOptions);
        if (first && last) {
            FCandidates =
                TCandidateScan::OfPair(std::move(*first), PatternLen() - 1, std::move(*last));
            FScans = true;
            return;
        }
    }
    TUnicodeMultiChar pending;
    int len = 0;
    const auto firstUnits =
        FirstUnitsOf(FoldRead(p, end, len, FFoldOptions, pending), FFoldOptions);
    if (!firstUnits)
        return;
    p += len;
    std::optional<std::vector<char16_t>> nextUnits;
    if (p < end || pending.Count > 0)
        nextUnits = FirstUnitsOf(FoldRead(p, end, len, FFoldOptions, pending), FFoldOptions);
    FCandidates = TCandidateScan::OfFolded({{*firstUnits, nextUnits}}, FFoldOptions);
    FScans = true;
}

bool TREQuickSearch::Exec(const char16_t* str, int textLen) {
    FTextTopP = str;
    FTextEndP = str + textLen;
    FSkipP = nullptr;
    return SearchFrom(str);
}

bool TREQuickSearch::ExecNext() {
    const char16_t* p = ResumePoint(FSkipP, FMatchP, FTextEndP);
    if (!p) {
        FMatchP = nullptr;
        return false;
    }
    return SearchFrom(p);
}

bool TREQuickSearch::SearchFrom(const char16_t* p) {
    if (!FCompiled)
        Compile();
    FMatchP = nullptr;
    FMatchLen = 0;
    const int patternLen = PatternLen();
    const bool fullCase = FOptions.Contains(coIgnoreCase) && !FOptions.Contains(coASCIIOnly);
    // Full case folding may turn one unit of the text into several of the pattern ("ß", "ss").
    if (p > FTextEndP || (!fullCase && FTextEndP - p < patternLen))
        return false;
    const char16_t* hit;
    int matchLen = patternLen;
    if (patternLen == 0)
        hit = p;
    else if (FScans)
        hit = FindCandidates(p, matchLen);
    else
        hit = zel::FindText(p, FTextEndP, FFindText.data(), patternLen, matchLen, FOptions);
    if (!hit)
        return false;
    FMatchP = hit;
    FMatchLen = matchLen;
    return true;
}

const char16_t* TREQuickSearch::FindCandidates(const char16_t* p, int& matchLen) const {
    for (const char16_t* q = p;; ++q) {
        q = FCandidates.Find(q, FTextEndP);
        if (!q)
            return nullptr;
        if (!StartsInsidePair(q, p) && MatchesAt(q, matchLen))
            return q;
    }
}

bool TREQuickSearch::MatchesAt(const char16_t* at, int& matchLen) const {
    const int patternLen = PatternLen();
    const char16_t* pattern = FFindText.data();
    switch (FCompare) {
    case TCompare::Exact:
        matchLen = patternLen;
        return FTextEndP - at >= patternLen && SameText(at, pattern, patternLen);
    case TCompare::AsciiCase:
        matchLen = patternLen;
        return FTextEndP - at >= patternLen && SameTextAsciiCase(at, pattern, patternLen);
    case TCompare::Folded:
        break;
    }
    return FoldCompare(at, FTextEndP, pattern, patternLen, matchLen, FFoldOptions) == 0;
}

} // namespace zel
