#pragma once
// The anchor of a search: a literal, or an alternation of literals, that every match contains
// at a distance (in characters) from its start that the NFA builder measured; or, for a
// pattern that is one alternation, a literal from each alternative, searched together. The
// matcher finds the anchor's occurrences and attempts only at the starts that can reach one.
//
// Chosen only where skipping a start cannot be seen: no verb, callout, call, back-reference
// or accept (a skipped attempt could have committed or called out), and no code whose folding
// may change the length of what it matches (then the measured distances would not hold).
#include <memory>

#include "regex/match/nfa.h"
#include "regex/search/trie_search.h"

namespace zel {

struct TREAnchorChoice {
    TRECode* Code = nullptr;                 // the one anchor, or
    std::unique_ptr<TRETrieSearch> Branches; // one literal of each top-level alternative
    TRETextPosRec Offset;                    // Max -1: unknown

    bool Found() const { return Code != nullptr || Branches != nullptr; }
    // The first occurrence from AStr, before end; nullptr when none.
    const char16_t* Find(const char16_t* AStr, const char16_t* end);
};

// Prefers a known distance, then a literal to an alternation, then the longer literal.
TREAnchorChoice ChooseAnchor(const TRENFAProgram& AProgram);

} // namespace zel
