#pragma once
// TREQuickSearch finds one literal string in a window of the subject with Sunday's quick
// search (a skip table keyed by the low byte of the unit after the compared stretch),
// honouring the compare options through the folding primitives of regex/unicode.
//
// The pattern is expected already folded by the options (ToCaseFold, ToFullWidth, ToKatakana),
// as the literal codes hold it. The search never reads beyond the window end plus one unit;
// in fact it reads nothing at or after the window end.
#include "regex/types.h"

#include <array>
#include <cstdint>
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
    bool SearchFrom(const char16_t* p);
    const char16_t* FindSingle(const char16_t* p, int& matchLen) const;
    const char16_t* FindSunday(const char16_t* p, int& matchLen) const;
    std::uint32_t SkipUnitAt(const char16_t* p) const;

    std::u16string FFindText;
    TRECompareOptions FOptions;
    std::array<std::int32_t, 256> FSkipTable{};
    bool FCompiled = false;
    const char16_t* FTextTopP = nullptr;
    const char16_t* FTextEndP = nullptr;
    const char16_t* FMatchP = nullptr;
    const char16_t* FSkipP = nullptr;
    int FMatchLen = 0;
};

} // namespace zel
