#pragma once
// TREQuickSearch finds one literal string in a window of the subject, honouring the compare
// options through the folding primitives of regex/unicode.
//
// The search skips with the unit scanners to the positions worth comparing: for an exact or
// ASCII-case literal those whose first and last units fit the literal's; for a folded one those
// whose unit may begin a character folding to the literal's first character (and, where that
// character is one unit folding to one character, whose next unit may begin the second). Each
// such position is then compared in full. A literal beginning with a lone surrogate is searched
// with FindText.
//
// The pattern is expected already folded by the options (ToCaseFold, ToFullWidth, ToKatakana),
// as the literal codes hold it. A hit never starts inside a surrogate pair that begins at or
// after the search start, and the search reads nothing at or after the window end.
#include "regex/search/candidate_scan.h"
#include "regex/types.h"

#include <string>
#include <string_view>

namespace zel {

class TREQuickSearch {
public:
    const std::u16string& FindText() const { return FFindText; }
    // Setting a different text (or different options) recompiles on the next search.
    void SetFindText(std::u16string_view text);
    TRECompareOptions Options() const { return FOptions; }
    void SetOptions(TRECompareOptions options);

    // Searches [str, str + textLen) from its start; the window stays for ExecNext.
    bool Exec(const char16_t* str, int textLen);
    // Continues one character after SkipP when set (clearing it), else one character after
    // the last hit. False once the window is exhausted or after a failed search.
    bool ExecNext();

    // Start of the last hit (nullptr: none) and the units of the text it covers.
    const char16_t* MatchP() const { return FMatchP; }
    int MatchLen() const { return FMatchLen; }
    // Where ExecNext continues instead of after the last hit (nullptr: after the last hit).
    const char16_t* SkipP() const { return FSkipP; }
    void SetSkipP(const char16_t* p) { FSkipP = p; }
    int PatternLen() const { return static_cast<int>(FFindText.size()); }

    void Compile();

private:
    // How a candidate position is compared with the pattern.
    enum class TCompare { Exact, AsciiCase, Folded };

    bool SearchFrom(const char16_t* p);
    const char16_t* FindCandidates(const char16_t* p, int& matchLen) const;
    bool MatchesAt(const char16_t* at, int& matchLen) const;
    void PlanFolded();

    std::u16string FFindText;
    TRECompareOptions FOptions;
    TRECompareOptions FFoldOptions; // the options FoldCompare folds by (TCompare::Folded)
    TCompare FCompare = TCompare::Exact;
    TCandidateScan FCandidates;
    bool FScans = false; // false: no candidate scan, FindText searches
    bool FCompiled = false;
    const char16_t* FTextTopP = nullptr;
    const char16_t* FTextEndP = nullptr;
    const char16_t* FMatchP = nullptr;
    const char16_t* FSkipP = nullptr;
    int FMatchLen = 0;
};

} // namespace zel
