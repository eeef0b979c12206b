#pragma once
// TRELeadSearch: the codes that every match must pass at its very first character, found by
// walking the NFA from its entry, and the search for the next position where one of them
// matches. A match attempt anywhere else would fail at once, so the matcher skips those
// positions; the attempt itself is unchanged, which keeps every result as it was.
//
// Word boundaries on the one path from the entry to the lead codes must hold at the start too.
//
// The walk looks through group brackets, empty and zero-width transitions, lookarounds (when no
// verb or callout could act in them), and single-code loops that may run zero times; it gives
// up (no lead codes, every position is tried) on anything whose first step may consume nothing
// or has effects of its own: the end of the pattern, back-references, general loops, atomic
// bodies, calls, verbs and callouts.
#include <memory>
#include <vector>

#include "regex/match/nfa.h"
#include "regex/match/unit_map.h"

namespace zel {

// The first position from AStr, before end, where the code matches (its Find; an alternation
// of literals through its Aho-Corasick scan), leaving no trie state behind for the matcher.
const char16_t* FindCode(TRECode* code, const char16_t* AStr, const char16_t* end);

class TRELeadSearch {
public:
    // Finds the lead codes of the program; false (and none kept) when there are none.
    bool Build(const TRENFAProgram& AProgram);
    void Clear();
    bool Empty() const { return FCodes.empty(); }
    // The only lead code is a literal (the search is then a quick search).
    bool SingleLiteral() const;
    // The only lead code is an alternation of literals.
    bool SingleTrie() const;
    // There are lead codes, and all are literals or alternations of literals.
    bool LiteralsOnly() const;
    // All lead codes are one-character codes or literals, some not a literal: the search
    // skips with a map of the units where a match may start.
    bool Mappable() const;

    // Whether some lead code matches at P.
    bool Accepts(const char16_t* P) const;
    // Starts a search from AStart (forgets remembered hits).
    void Reset(const char16_t* AStart);
    // The first character start from P on, before end, where a lead code matches (characters
    // counted from the search start, as the matcher steps); nullptr when there is none.
    const char16_t* Next(const char16_t* P, const char16_t* end);

private:
    struct TLead {
        TRECode* Code;
        bool Findable;                     // the code has a forward search of its own
        const char16_t* Hit = nullptr;     // its last hit (nullptr: none after HitFrom)
        const char16_t* HitFrom = nullptr; // where that search started
    };

    const char16_t* HitOf(TLead& lead, const char16_t* P);
    const char16_t* FirstHit(const char16_t* P);
    static bool Matches(TRECode* code, const char16_t* P);

    bool GuardsHold(const char16_t* P) const;
    void BuildUnitMap();
    bool MayStartAt(const char16_t* P) const {
        return FUnitMap == nullptr || FUnitMap->Contains(*P) || (*P >= 0xD800 && *P <= 0xDFFF);
    }

    std::vector<TLead> FCodes;
    std::vector<TRECode*> FGuards; // word boundaries that every match passes at its start
    bool FAllFindable = false;
    // The units where a lead code may match (all lead codes are one-character codes or
    // literals), built once the searches have passed as many units as it holds; exact when
    // no literal, no "." and no boundary has a say.
    std::unique_ptr<TREUnitMap> FUnitMap;
    bool FUnitMapTried = false;
    bool FUnitMapExact = false;
    std::size_t FUnitsPassed = 0; // by searches without the map
    const char16_t* FStart = nullptr;
    const char16_t* FEnd = nullptr;
};

} // namespace zel
