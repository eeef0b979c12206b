#pragma once
// TRECode, the smallest unit of matching: given a position in the subject it says whether it
// matches there and how many UTF-16 units it consumes. Codes are made while a pattern is
// parsed, owned by their TREOwner and read-only while matching (except small scratch fields).
//
// Every code reads its owner's window (FMatchTopP .. FMatchEndP) and never matches or reads at
// or beyond FMatchEndP: nothing is matched outside the window of the current search.
#include "regex/compile/groups.h"
#include "regex/types.h"

namespace zel {

class TREOwner;
class TREQuickSearch;
class TRETrieSearch;

class TRECode {
public:
    TRECode(TREOwner* ARegExp, TREOptions AOptions) : FRegExp(ARegExp), FOptions(AOptions) {}
    virtual ~TRECode() = default;
    TRECode(const TRECode&) = delete;
    TRECode& operator=(const TRECode&) = delete;

    // Length in UTF-16 units, and the shortest and longest match in characters (Max -1:
    // unbounded).
    virtual int Length() const { return 1; }
    virtual TRETextPosRec CharLength() const { return {1, 1}; }
    // Search objects of the literal and trie codes, for the search acceleration.
    virtual TREQuickSearch* Search() { return nullptr; }
    virtual TRETrieSearch* TrieSearch() { return nullptr; }

    // Moves AStr over the longest run of matches. A match of length 0 ends the run (it would
    // repeat forever at the same place) and counts as one success. True: IsStar, or at least
    // one match.
    virtual bool ExecRepeat(const char16_t*& AStr, bool IsStar);
    // Matches AMin times (False, AStr where it failed, when one fails), then up to AMax - AMin
    // more. A match of length 0 stands for all remaining repetitions.
    virtual bool ExecRepeat(const char16_t*& AStr, int AMin, int AMax);
    // First position from AStr within the window where the code matches, or nullptr.
    virtual const char16_t* Find(const char16_t* AStr);
    // Whether the code matches at AStr; Len := units consumed (0 on failure).
    virtual bool IsEqual(const char16_t* AStr, int& Len);
    // Whether this code and ACode may match at the same place (False only when surely not).
    virtual bool IsOverlap(TRECode* ACode);
    // Whether the code's length varies from match to match (not allowed in lookbehind).
    virtual bool IsVariable() const { return false; }

    TREOptions Options() const { return FOptions; }
    bool Negative() const { return FNegative; }

    TREOwner* FRegExp;
    TREOptions FOptions;
    bool FNegative = false;

protected:
    const char16_t* MatchTop() const;
    const char16_t* MatchEnd() const;
};

} // namespace zel
