// The three foldings (case, width, kana): the folding reader, the string converters and the
// comparison and search primitives built on them.
#include "regex/unicode/unicode_prop.h"

#include "regex/unicode/unicode_tables.h"

#include <string>

namespace zel {

using namespace unicode_data;

namespace {

constexpr char16_t kVoicedMark = 0xFF9E;
constexpr char16_t kSemiVoicedMark = 0xFF9F;
constexpr char32_t kHalfKanaFirst = 0xFF61;
constexpr char32_t kHalfKanaLast = 0xFF9F;

char32_t LowerAscii(char32_t ch) {
    return ch >= U'A' && ch <= U'Z' ? ch + 0x20 : ch;
}

// U+0020-U+007E to full width; U+005C has no full-width form of its own here.
char32_t FullWidthAscii(char32_t ch) {
    if (ch == 0x20)
        return 0x3000;
    return ch == 0x5C ? ch : ch + 0xFEE0;
}

bool IsHalfKana(char32_t ch) {
    return ch >= kHalfKanaFirst && ch <= kHalfKanaLast;
}

// Column 0 plain, 1 voiced, 2 semi-voiced, chosen by the unit after the half-width kana.
int SoundColumn(char16_t next) {
    return next == kVoicedMark ? 1 : next == kSemiVoicedMark ? 2 : 0;
}

char32_t KatakanaOf(char32_t ch) {
    return (ch >= 0x3041 && ch <= 0x3096) || ch == 0x309D || ch == 0x309E ? ch + 0x60 : ch;
}

char32_t HiraganaOf(char32_t ch) {
    return (ch >= 0x30A1 && ch <= 0x30F6) || ch == 0x30FD || ch == 0x30FE ? ch - 0x60 : ch;
}

template <typename Map>
std::u16string MapUnits(std::u16string_view text, Map map) {
    std::u16string result;
    result.reserve(text.size());
    for (char16_t unit : text)
        result += static_cast<char16_t>(map(unit));
    return result;
}

// Reads both sides with FoldRead until n units of b (and its pending characters) are read.
int CompareFolded(const char16_t* a, const char16_t* aEnd, const char16_t* b, int n, int& lenA,
                  TRECompareOptions options) {
    TUnicodeMultiChar pendingA;
    TUnicodeMultiChar pendingB;
    const char16_t* qa = a;
    const char16_t* qb = b;
    const char16_t* bEnd = b + n;
    lenA = 0;
    // ASCII units fold alone and one to one (the folding of case lowers them, that of width
    // maps them one to one): while both sides hold them they compare unit for unit.
    const bool lower = options.Contains(coIgnoreCase);
    for (; qa < aEnd && qb < bEnd && *qa < 0x80 && *qb < 0x80; ++qa, ++qb) {
        const char32_t ca = lower ? LowerAscii(*qa) : *qa;
        const char32_t cb = lower ? LowerAscii(*qb) : *qb;
        if (ca != cb)
            return static_cast<int>(ca) - static_cast<int>(cb);
    }
    while (qb < bEnd || pendingB.Count > 0) {
        int lb = 0;
        const char32_t cb = FoldRead(qb, bEnd, lb, options, pendingB);
        if (pendingA.Count == 0 && qa >= aEnd)
            return cb == 0 ? -1 : -static_cast<int>(cb);
        int la = 0;
        const char32_t ca = FoldRead(qa, aEnd, la, options, pendingA);
        if (ca != cb)
            return static_cast<int>(ca) - static_cast<int>(cb);
        qa += la;
        qb += lb;
    }
    if (pendingA.Count != pendingB.Count)
        return pendingA.Count - pendingB.Count;
    lenA = static_cast<int>(qa - a);
    return 0;
}

bool StartsInsidePair(const char16_t* p, const char16_t* text) {
    return *p >= 0xDC00 && *p <= 0xDFFF && p > text && p[-1] >= 0xD800 && p[-1] <= 0xDBFF;
}

const char16_t* FindExact(const char16_t* text, const char16_t* end, const char16_t* pattern,
                          int n) {
    for (const char16_t* p = text; end - p >= n; ++p) {
        p = std::char_traits<char16_t>::find(p, static_cast<std::size_t>(end - p - n + 1),
                                             pattern[0]);
        if (!p)
            return nullptr;
        if (SameText(p, pattern, n) && !StartsInsidePair(p, text))
            return p;
    }
    return nullptr;
}

const char16_t* FindAsciiCase(const char16_t* text, const char16_t* end, const char16_t* pattern,
                              int n) {
    const char32_t first = LowerAscii(pattern[0]);
    for (const char16_t* p = text; end - p >= n; ++p) {
        if (LowerAscii(*p) == first && SameTextAsciiCase(p, pattern, n) &&
            !StartsInsidePair(p, text))
            return p;
    }
    return nullptr;
}

// Whether the unit, from U+0080 up, may begin a character whose case folding begins with an
// ASCII character (surrogates never do).
bool MayFoldToAscii(char16_t unit) {
    return ((kAsciiFoldPages[unit >> 14] >> ((unit >> 8) & 63)) & 1) != 0;
}

// Every start whose first folded character is the pattern's is compared in full.
const char16_t* FindFolded(const char16_t* text, const char16_t* end, const char16_t* pattern,
                           int n, int& matchLen, TRECompareOptions options) {
    TUnicodeMultiChar pending;
    int len = 0;
    const char32_t first = FoldRead(pattern, pattern + n, len, options, pending);
    const bool asciiStart = first < 0x80 && options == TRECompareOptions{coIgnoreCase};
    for (const char16_t* p = text; p < end; ++p) {
        if (asciiStart && (*p < 0x80 ? LowerAscii(*p) != first : !MayFoldToAscii(*p)))
            continue;
        if (StartsInsidePair(p, text))
            continue;
        pending.Count = 0;
        if (FoldRead(p, end, len, options, pending) != first)
            continue;
        if (CompareFolded(p, end, pattern, n, len, options) == 0) {
            matchLen = len;
            return p;
        }
    }
    return nullptr;
}

} // namespace

char32_t FoldRead(const char16_t* p, const char16_t* end, int& len, TRECompareOptions options,
                  TUnicodeMultiChar& pending) noexcept {
    char32_t ch;
    bool fromSource = false;
    if (pending.Count > 0) {
        ch = pending.Take();
        len = pending.Count == 0 ? 1 : 0;
    } else {
        ch = ReadChar(p, end, len);
        if (options.Empty())
            return ch;
        fromSource = true;
        if (options.Contains(coIgnoreCase)) {
            if (ch < 0x80) {
                ch = LowerAscii(ch);
            } else if (!options.Contains(coASCIIOnly)) {
                const TUnicodeMultiChar fold = CaseFold(ch);
                if (fold.Count > 1) {
                    pending = fold;
                    ch = pending.Take();
                    len = 0;
                    fromSource = false;
                } else {
                    ch = fold.Chars[0];
                }
            }
        }
    }
    if (options.Contains(coIgnoreWidth)) {
        if (ch >= 0x20 && ch <= 0x7E) {
            ch = FullWidthAscii(ch);
        } else if (IsHalfKana(ch)) {
            int column = 0;
            if (fromSource && len == 1 && end - p >= 2)
                column = SoundColumn(p[1]);
            if (column != 0)
                len = 2;
            ch = kHalfKana[ch - kHalfKanaFirst][column];
        }
    }
    if (options.Contains(coIgnoreKana))
        ch = KatakanaOf(ch);
    return ch;
}

std::u16string ToCaseFold(std::u16string_view text, bool asciiOnly) {
    std::u16string result;
    result.reserve(text.size());
    const char16_t* p = text.data();
    const char16_t* end = p + text.size();
    while (p < end) {
        int len = 0;
        const char32_t ch = ReadChar(p, end, len);
        p += len;
        if (ch < 0x80 || asciiOnly) {
            AppendChar(result, LowerAscii(ch));
            continue;
        }
        const TUnicodeMultiChar fold = CaseFold(ch);
        for (int i = fold.Count - 1; i >= 0; --i)
            AppendChar(result, fold.Chars[static_cast<std::size_t>(i)]);
    }
    return result;
}

std::u16string ToFullWidth(std::u16string_view text) {
    std::u16string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit >= 0x20 && unit <= 0x7E) {
            result += static_cast<char16_t>(FullWidthAscii(unit));
        } else if (IsHalfKana(unit)) {
            const int column = i + 1 < text.size() ? SoundColumn(text[i + 1]) : 0;
            result += kHalfKana[unit - kHalfKanaFirst][column];
            if (column != 0)
                ++i;
        } else if (unit == 0x309B || unit == 0x309C) {
            result += static_cast<char16_t>(unit - 2);
        } else {
            result += unit;
        }
    }
    return result;
}

std::u16string ToHalfWidth(std::u16string_view text) {
    std::u16string result;
    result.reserve(text.size());
    for (char16_t unit : text) {
        if (unit == 0x3000) {
            result += u' ';
        } else if (unit >= 0xFF01 && unit <= 0xFF5E && unit != 0xFF3C) {
            result += static_cast<char16_t>(unit - 0xFEE0);
        } else if (unit == 0xFFE5) {
            result += u'\\';
        } else if (unit > 0x3000 && unit <= 0x30FF) {
            const char16_t* half = kKanaToHalf[unit - 0x3000];
            result += half[0];
            if (half[1] != 0)
                result += half[1];
        } else {
            result += unit;
        }
    }
    return result;
}

std::u16string ToKatakana(std::u16string_view text) {
    return MapUnits(text, KatakanaOf);
}

std::u16string ToHiragana(std::u16string_view text) {
    return MapUnits(text, HiraganaOf);
}

std::u16string FoldLiteralText(std::u16string_view text, TRECompareOptions options) {
    std::u16string folded(text);
    if (options.Contains(coIgnoreCase))
        folded = ToCaseFold(folded, options.Contains(coASCIIOnly));
    if (options.Contains(coIgnoreWidth))
        folded = ToFullWidth(folded);
    if (options.Contains(coIgnoreKana))
        folded = ToKatakana(folded);
    return folded;
}

bool SameText(const char16_t* a, const char16_t* b, int n) noexcept {
    return std::char_traits<char16_t>::compare(a, b, static_cast<std::size_t>(n)) == 0;
}

bool SameTextAsciiCase(const char16_t* a, const char16_t* b, int n) noexcept {
    for (int i = 0; i < n; ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    }
    return true;
}

int CaseCompare(const char16_t* a, const char16_t* aEnd, const char16_t* b, int n,
                int& lenA) noexcept {
    return CompareFolded(a, aEnd, b, n, lenA, coIgnoreCase);
}

int FoldCompare(const char16_t* a, const char16_t* aEnd, const char16_t* b, int n, int& lenA,
                TRECompareOptions options) noexcept {
    return CompareFolded(a, aEnd, b, n, lenA, options);
}

const char16_t* FindText(const char16_t* text, const char16_t* textEnd, const char16_t* pattern,
                         int patLen, int& matchLen, TRECompareOptions options) noexcept {
    matchLen = 0;
    if (patLen <= 0)
        return text < textEnd ? text : nullptr;
    const bool folding = options.Contains(coIgnoreWidth) || options.Contains(coIgnoreKana);
    const bool ignoreCase = options.Contains(coIgnoreCase);
    const bool asciiCase = ignoreCase && options.Contains(coASCIIOnly);
    const char16_t* hit = nullptr;
    if (folding || (ignoreCase && !asciiCase)) {
        hit = FindFolded(text, textEnd, pattern, patLen, matchLen,
                         folding ? options : TRECompareOptions{coIgnoreCase});
    } else {
        hit = asciiCase ? FindAsciiCase(text, textEnd, pattern, patLen)
                        : FindExact(text, textEnd, pattern, patLen);
        matchLen = hit ? patLen : 0;
    }
    return hit;
}

const char16_t* SkipCombining(const char16_t* p, const char16_t* end, int n) noexcept {
    for (int i = 0; i < n && p < end; ++i) {
        int len = 0;
        ReadChar(p, end, len);
        p += len;
        while (p < end && GroupOf(CategoryOf(ReadChar(p, end, len))) == upM)
            p += len;
    }
    return p;
}

} // namespace zel
