#include "regex/search/quick_search.h"

#include "regex/search/first_units.h"
#include "regex/search/resume.h"
#include "regex/unicode/unicode_prop.h"

#include <algorithm>
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
    FFirstUnits = {};
    FLastUnits = {};
    FSingleUnits = {};
    FLastOffset = 0;
    FScans = false;
    if (folding || (ignoreCase && !FOptions.Contains(coASCIIOnly))) {
        FCompare = TCompare::Folded;
        FFoldOptions = folding ? FOptions : TRECompareOptions{coIgnoreCase};
        PlanFolded();
    } else if (!FFindText.empty()) {
        FCompare = ignoreCase ? TCompare::AsciiCase : TCompare::Exact;
        FFirstUnits = TUnitSet(UnitsEqualTo(FFindText.front(), ignoreCase));
        if (FFindText.size() > 1) {
            FLastUnits = TUnitSet(UnitsEqualTo(FFindText.back(), ignoreCase));
            FLastOffset = PatternLen() - 1;
        }
        FScans = true;
    }
    FCompiled = true;
}

// The first character decides the candidates. Where a candidate is one unit that folds to one
// character, the unit after it begins the pattern's second character; the others (a sharp s
// folding to "ss", a half-width kana that may take a sound mark) are compared as they are.
void TREQuickSearch::PlanFolded() {
    const char16_t* p = FFindText.data();
    const char16_t* end = p + FFindText.size();
    if (p == end)
        return;
    TUnicodeMultiChar pending;
    int len = 0;
    const auto firstUnits =
        FirstUnitsOf(FoldRead(p, end, len, FFoldOptions, pending), FFoldOptions);
    if (!firstUnits)
        return;
    FFirstUnits = TUnitSet(*firstUnits);
    FScans = true;
    p += len;
    if (p == end && pending.Count == 0)
        return;
    const auto secondUnits =
        FirstUnitsOf(FoldRead(p, end, len, FFoldOptions, pending), FFoldOptions);
    std::vector<char16_t> alone;
    std::vector<char16_t> single;
    for (const char16_t unit : *firstUnits)
        (FoldsAlone(unit, FFoldOptions) ? alone : single).push_back(unit);
    const auto fits = [](const std::vector<char16_t>& units) {
        return units.size() <= static_cast<std::size_t>(TUnitSet::kMaxValues);
    };
    if (!secondUnits || !fits(*secondUnits) || !fits(alone) || !fits(single))
        return;
    FFirstUnits = TUnitSet(std::move(alone));
    FLastUnits = TUnitSet(*secondUnits);
    FSingleUnits = TUnitSet(std::move(single));
    FLastOffset = 1;
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
        q = FLastOffset > 0
                ? FindUnitPair(q, FTextEndP, FFirstUnits, FLastOffset, FLastUnits, FSingleUnits)
                : FindUnit(q, FTextEndP, FFirstUnits);
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
