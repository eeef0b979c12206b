#include "regex/search/quick_search.h"

#include "regex/search/resume.h"
#include "regex/unicode/unicode_prop.h"

#include <string>

namespace zel {

namespace {

bool IsSoundMark(char16_t unit) {
    return unit == 0xFF9E || unit == 0xFF9F;
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
    const int patternLen = PatternLen();
    if (patternLen > 2) {
        FSkipTable.fill(patternLen);
        // The last occurrence wins, so units that share a low byte get the smaller, safe shift.
        for (int i = 0; i < patternLen; ++i)
            FSkipTable[FFindText[static_cast<std::size_t>(i)] & 0xFF] = patternLen - i;
    }
    FCompiled = true;
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
    else if (patternLen == 1)
        hit = FindSingle(p, matchLen);
    else if (patternLen == 2 || fullCase)
        hit = zel::FindText(p, FTextEndP, FFindText.data(), patternLen, matchLen, FOptions);
    else
        hit = FindSunday(p, matchLen);
    if (!hit)
        return false;
    FMatchP = hit;
    FMatchLen = matchLen;
    return true;
}

const char16_t* TREQuickSearch::FindSingle(const char16_t* p, int& matchLen) const {
    const char32_t target = FFindText[0];
    const bool folding = FOptions.Contains(coIgnoreWidth) || FOptions.Contains(coIgnoreKana);
    const bool ignoreCase = FOptions.Contains(coIgnoreCase);
    if (!folding && !ignoreCase) {
        const char16_t* hit = std::char_traits<char16_t>::find(
            p, static_cast<std::size_t>(FTextEndP - p), static_cast<char16_t>(target));
        return hit;
    }
    const bool asciiOnly = FOptions.Contains(coASCIIOnly);
    while (p < FTextEndP) {
        int len = 1;
        char32_t ch;
        bool single = true;
        if (folding) {
            TUnicodeMultiChar pending;
            ch = FoldRead(p, FTextEndP, len, FOptions, pending);
            // A character that folds to several is no hit: the pattern would cover part of it.
            single = pending.Count == 0;
        } else if (asciiOnly) {
            ch = *p >= u'A' && *p <= u'Z' ? *p + 0x20 : *p;
        } else {
            const TUnicodeMultiChar fold = CaseFold(ReadChar(p, FTextEndP, len));
            single = fold.Count == 1;
            ch = fold.Chars[0];
        }
        if (single && ch == target) {
            matchLen = len;
            return p;
        }
        // One character on, also when a sound mark was read with its kana: a match may start
        // at the mark, as it may for the matcher that tries every position.
        p += CharUnits(p, FTextEndP);
    }
    return nullptr;
}

std::uint32_t TREQuickSearch::SkipUnitAt(const char16_t* p) const {
    const char16_t unit = *p;
    if (FOptions.Contains(coIgnoreWidth) || FOptions.Contains(coIgnoreKana)) {
        if (unit >= 0xD800 && unit <= 0xDFFF)
            return unit;
        TUnicodeMultiChar pending;
        int len = 0;
        return FoldRead(p, FTextEndP, len, FOptions, pending);
    }
    if (FOptions.Contains(coIgnoreCase) && unit >= u'A' && unit <= u'Z')
        return unit + 0x20u;
    return unit;
}

const char16_t* TREQuickSearch::FindSunday(const char16_t* p, int& matchLen) const {
    const int patternLen = PatternLen();
    const char16_t* pattern = FFindText.data();
    const bool folding = FOptions.Contains(coIgnoreWidth) || FOptions.Contains(coIgnoreKana);
    const bool asciiCase = FOptions.Contains(coIgnoreCase);
    const bool width = FOptions.Contains(coIgnoreWidth);
    const std::ptrdiff_t windowLen = FTextEndP - p;
    for (std::ptrdiff_t i = 0; i <= windowLen - patternLen;) {
        const char16_t* at = p + i;
        if (folding) {
            int len = 0;
            if (SkipUnitAt(at) == pattern[0] &&
                FoldCompare(at, FTextEndP, pattern, patternLen, len, FOptions) == 0) {
                matchLen = len;
                return at;
            }
        } else if (asciiCase ? SameTextAsciiCase(at, pattern, patternLen)
                             : at[patternLen - 1] == pattern[patternLen - 1] &&
                                   SameText(at, pattern, patternLen)) {
            return at;
        }
        // The unit after the compared stretch decides the shift; at the window end there is
        // none, and no later start remains either.
        if (i + patternLen >= windowLen)
            break;
        std::ptrdiff_t shift = FSkipTable[SkipUnitAt(at + patternLen) & 0xFF];
        if (width) {
            // A half-width kana with its sound mark is two units of the text for one of the
            // pattern, so every mark in the stretch may misalign the shift by one, and a mark
            // as the deciding unit belongs to the character before it.
            if (IsSoundMark(at[patternLen]))
                shift = 1;
            for (const char16_t* q = at + 1; q < at + patternLen && shift > 1; ++q) {
                if (IsSoundMark(*q))
                    --shift;
            }
        }
        i += shift;
    }
    return nullptr;
}

} // namespace zel
