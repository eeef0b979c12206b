#pragma once
// The engine's character database (Unicode 6.2: general category, script, block and case
// folding per code point) and its toolbox for comparing text loosely: the three foldings that
// coIgnoreCase, coIgnoreWidth and coIgnoreKana stand for, as a character reader, as string
// converters and as comparison and search primitives.
//
// Text is UTF-16; a character is a code point, a surrogate pair counting as one character of
// two units. Every routine that reads text takes the end of the readable text and never reads
// at or beyond it. The tables are constant data: everything here may be used from any thread,
// and no lookup, comparison or search allocates (only the string converters build a result).
#include "regex/types.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zel {

// ---- UTF-16 ------------------------------------------------------------------------------

// Decodes the character at p (p < end). A surrogate pair gives one code point with len 2; a
// lone surrogate is read as itself with len 1.
constexpr char32_t ReadChar(const char16_t* p, const char16_t* end, int& len) noexcept {
    const char32_t unit = *p;
    if (unit >= 0xD800 && unit <= 0xDBFF && end - p >= 2 && p[1] >= 0xDC00 && p[1] <= 0xDFFF) {
        len = 2;
        return 0x10000 + ((unit - 0xD800) << 10) + (char32_t{p[1]} - 0xDC00);
    }
    len = 1;
    return unit;
}

// The units of the character at p (p < end): 2 for a surrogate pair, else 1.
constexpr int CharUnits(const char16_t* p, const char16_t* end) noexcept {
    int len = 1;
    ReadChar(p, end, len);
    return len;
}

// Appends cp, as a surrogate pair when it lies above U+FFFF.
void AppendChar(std::u16string& text, char32_t cp);

// ---- Lookups -----------------------------------------------------------------------------

// The case folding of cp (statuses C and F; U+0130 folds to U+0069 alone): Count 1 with cp
// itself when cp does not fold. The folded characters are stored last first (see
// TUnicodeMultiChar), so the first of them is Chars[Count - 1].
TUnicodeMultiChar CaseFold(char32_t cp) noexcept;

// General category of cp: one of upCc..upZs (never the group upLC). Cn when unassigned.
TUnicodeProperty CategoryOf(char32_t cp) noexcept;
// Script of cp: upunKnown, a script, upInherited or upCommon.
TUnicodeProperty ScriptOf(char32_t cp) noexcept;
// Block of cp; a code point in no block counts as upInBasicLatin. Binary search over the
// block ranges.
TUnicodeProperty BlockOf(char32_t cp) noexcept;
// The group (upC..upZ) of a general category upCc..upZs, or of upLC.
TUnicodeProperty GroupOf(TUnicodeProperty category) noexcept;

// Whether cp has prop: a group, a category (upLC: Ll, Lt or Lu), a script or a block.
bool HasProperty(char32_t cp, TUnicodeProperty prop) noexcept;

// The word test: group L or M, or category Nd or Pc. Used for group names, "\w" and pckWord.
bool IsUnicodeWordChar(char32_t cp) noexcept;

// The membership of the POSIX classes. The ASCII column (ch < 128) is a fixed bitmap; the
// Unicode column is judged by category and group. ignoreCase widens pckLower and pckUpper to
// both letter cases.
struct TAsciiMap {
    std::uint64_t Low = 0;  // bit n: U+00n
    std::uint64_t High = 0; // bit n: U+00(64 + n)
    constexpr bool Contains(char32_t ch) const {
        return ch < 64 ? ((Low >> ch) & 1) != 0 : ch < 128 && ((High >> (ch - 64)) & 1) != 0;
    }
};
TAsciiMap PosixAsciiMap(TREPosixClassKind kind, bool ignoreCase) noexcept;
inline bool IsPosixAsciiMember(TREPosixClassKind kind, char32_t ch, bool ignoreCase) noexcept {
    return PosixAsciiMap(kind, ignoreCase).Contains(ch);
}
bool IsPosixUnicodeMember(TREPosixClassKind kind, char32_t cp, bool ignoreCase) noexcept;

// ---- Property names ----------------------------------------------------------------------

// Resolves a "\p{...}" name, without regard to ASCII letter case ("lu" finds upLu): the 362
// names (the members without "up") and the alias "L&" for upLC. No match: nullopt.
std::optional<TUnicodeProperty> FindUnicodeProperty(std::u16string_view name) noexcept;
// The "\p" name of prop ("Lu", "Hiragana", "InHiragana").
std::u16string_view UnicodePropertyName(TUnicodeProperty prop) noexcept;

// ---- Folding reader ----------------------------------------------------------------------

// Reads one folded character at p (p < end, or pending non-empty) and answers it; len := the
// units the caller steps over afterwards. The foldings, in this order:
// - pending characters of an earlier multi-character case folding are handed out first;
//   len is 0 until the last of them, which has len 1;
// - coIgnoreCase: "A"-"Z" to lower case; from U+0080 up (unless coASCIIOnly) the full case
//   folding; a folding into several characters fills pending and answers the first (len 0);
// - coIgnoreWidth: U+0020-U+007E to full width (U+005C stays); half-width katakana to its
//   full-width form, absorbing a following U+FF9E/U+FF9F into the voiced/semi-voiced form
//   (len 2);
// - coIgnoreKana: when the unit at p is hiragana, its katakana form.
// So every character maps to one representative: lower case, full width, katakana.
char32_t FoldRead(const char16_t* p, const char16_t* end, int& len, TRECompareOptions options,
                  TUnicodeMultiChar& pending) noexcept;

// ---- String converters -------------------------------------------------------------------

// "A"-"Z" to lower case; other characters from U+0080 up to their whole case folding (one to
// three characters), unless asciiOnly. The result may be longer than text.
std::u16string ToCaseFold(std::u16string_view text, bool asciiOnly);
// ASCII to full width (U+005C stays); half-width katakana to full width, a following sound
// mark merged into the voiced or semi-voiced form; U+309B/U+309C to the combining marks.
std::u16string ToFullWidth(std::u16string_view text);
// Full-width ASCII (except U+FF3C) and U+3000 to ASCII, U+FFE5 to "\"; katakana and marks of
// U+3000-U+30FF to half-width forms, a voiced kana becoming base + U+FF9E (or U+FF9F).
std::u16string ToHalfWidth(std::u16string_view text);
// Hiragana U+3041-U+3096, U+309D-U+309E to katakana (and back); everything else stays.
std::u16string ToKatakana(std::u16string_view text);
std::u16string ToHiragana(std::u16string_view text);
// A literal folded as the options ask, in the order FoldRead folds: ToCaseFold (ASCII only with
// coASCIIOnly), then ToFullWidth, then ToKatakana. This is the form of the pattern text that
// FoldCompare, CaseCompare and FindText expect.
std::u16string FoldLiteralText(std::u16string_view text, TRECompareOptions options);

// ---- Comparisons and search --------------------------------------------------------------

// Exact comparison of n units.
bool SameText(const char16_t* a, const char16_t* b, int n) noexcept;
// Comparison of n units with "A"-"Z" and "a"-"z" equal.
bool SameTextAsciiCase(const char16_t* a, const char16_t* b, int n) noexcept;

// Compares the case-folded characters of a (the subject, readable up to aEnd) with those of
// b (the already folded pattern text) until n units of b have been read. 0 when they agree:
// lenA := the units of a consumed. Otherwise the difference of the first differing pair (a
// running out counts as the character 0), or, when a still has folded characters pending at
// the end (a multi-character folding cut in the middle), their number; lenA := 0 then.
int CaseCompare(const char16_t* a, const char16_t* aEnd, const char16_t* b, int n,
                int& lenA) noexcept;
// As CaseCompare, reading both sides with FoldRead and options: one step may consume two
// units of a for one of b (a half-width kana with its sound mark) or none (a pending folded
// character).
int FoldCompare(const char16_t* a, const char16_t* aEnd, const char16_t* b, int n, int& lenA,
                TRECompareOptions options) noexcept;

// The first character position in [text, textEnd) at which pattern (patLen units, already
// folded by the options) matches within textEnd: FoldCompare for width/kana, CaseCompare for
// coIgnoreCase, the ASCII-insensitive comparison for coIgnoreCase + coASCIIOnly, else the
// exact one. matchLen := the units of text matched. nullptr when there is none.
const char16_t* FindText(const char16_t* text, const char16_t* textEnd, const char16_t* pattern,
                         int patLen, int& matchLen, TRECompareOptions options) noexcept;

// Steps over n combining sequences (a character and every mark, group M, that follows it; a
// mark with no base is a sequence of its own), stopping at end.
const char16_t* SkipCombining(const char16_t* p, const char16_t* end, int n) noexcept;

} // namespace zel
