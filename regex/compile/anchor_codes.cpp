#include "regex/compile/anchor_codes.h"

#include "regex/compile/owner.h"
#include "regex/unicode/unicode_prop.h"

namespace zel {

namespace {

// A line break ends exactly at p (so p starts a line). The middle of a CR LF pair, where the
// convention takes the pair as one break, is no line start.
bool LineBreakEndsAt(const TREOwner& owner, const char16_t* p) {
    const char16_t* top = owner.FTextTopP;
    const auto kind = owner.LineBreakKind();
    return (p - top >= 1 && LineBreakLength(kind, p - 1, owner.FMatchEndP) == 1) ||
           (p - top >= 2 && LineBreakLength(kind, p - 2, p) == 2);
}

// p lies between the CR and the LF of a pair that the convention takes as one break.
bool InsideCrLf(const TREOwner& owner, const char16_t* p) {
    return p > owner.FTextTopP &&
           LineBreakLength(owner.LineBreakKind(), p - 1, owner.FMatchEndP) == 2;
}

// At p: the end of the window, or a final line break.
bool AtTail(const TREOwner& owner, const char16_t* p) {
    return !InsideCrLf(owner, p) && p + owner.IsLineBreak(p) == owner.FMatchEndP;
}

} // namespace

bool TREAnchorCode::IsEqual(const char16_t* AStr, int& Len) {
    Len = 0;
    return IsAt(AStr);
}

TREBoundaryCode::TREBoundaryCode(TREOwner* ARegExp, TREOptions AOptions, bool ANegative)
    : TREAnchorCode(ARegExp, AOptions), FIsASCII(AOptions.Contains(roASCIICharClass)) {
    FNegative = ANegative;
}

bool TREBoundaryCode::IsWord(char32_t cp) const {
    return cp < 128 ? IsPosixAsciiMember(pckWord, cp, false) : !FIsASCII && IsUnicodeWordChar(cp);
}

bool TREBoundaryCode::IsAt(const char16_t* AStr) const {
    bool before = false;
    if (AStr > MatchTop()) {
        const char16_t* p = AStr - 1;
        if (*p >= 0xDC00 && *p <= 0xDFFF && p > MatchTop() && p[-1] >= 0xD800 && p[-1] <= 0xDBFF)
            --p;
        int len = 0;
        before = IsWord(ReadChar(p, AStr, len));
    }
    bool after = false;
    if (AStr < MatchEnd()) {
        int len = 0;
        after = IsWord(ReadChar(AStr, MatchEnd(), len));
    }
    return (before != after) != FNegative;
}

bool TRELineHeadCode::IsAt(const char16_t* AStr) const {
    if (AStr == MatchTop())
        return true;
    if (!FOptions.Contains(roMultiLine) || AStr >= MatchEnd())
        return false;
    return LineBreakEndsAt(*FRegExp, AStr);
}

bool TRELineTailCode::IsAt(const char16_t* AStr) const {
    if (!FOptions.Contains(roMultiLine))
        return AtTail(*FRegExp, AStr);
    return AStr == MatchEnd() || (FRegExp->IsLineBreak(AStr) > 0 && !InsideCrLf(*FRegExp, AStr));
}

bool TRETextTailCode::IsAt(const char16_t* AStr) const {
    return AtTail(*FRegExp, AStr);
}

bool TREGlobalPosCode::IsAt(const char16_t* AStr) const {
    return AStr == (FRegExp->FGlobalEndP != nullptr ? FRegExp->FGlobalEndP : MatchTop());
}

} // namespace zel
