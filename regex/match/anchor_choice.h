#pragma once
// The anchor of a search: a literal, or an alternation of literals, that every match contains
// at a distance (in characters) from its start that the NFA builder measured. The matcher finds the
// literal's occurrences and attempts only at the starts that can reach one of them.
//
// Chosen only where skipping a start cannot be seen: no verb, callout, call, back-reference
// or accept (a skipped attempt could have committed or called out), and no code whose folding
// may change the length of what it matches (then the measured distances would not hold).
#include "regex/match/nfa.h"

namespace zel {

struct TREAnchorChoice {
    TRECode* Code = nullptr;
    TRETextPosRec Offset; // Max -1: unknown
};

// Prefers a known distance, then a literal to an alternation, then the longer literal; Code nullptr
// when there is none.
TREAnchorChoice ChooseAnchor(const TRENFAProgram& AProgram);

} // namespace zel
