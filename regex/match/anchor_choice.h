#pragma once
// The anchor of a search: a literal, or an alternation of literals, that every match contains
// at a distance (in characters) from its start that the NFA builder measured; or, for a
// pattern that is one alternation, a literal from each alternative, searched together. The
// matcher finds the anchor's occurrences and attempts only at the starts that can reach one.
//
// Chosen only where skipping a start cannot be seen: no verb, callout, call, back-reference
// or accept (a skipped attempt could have committed or called out), and no code whose folding
// may change the length of what it matches (then the measured distances would not hold).
#include <cstdint>
#include <memory>
#include <vector>

#include "regex/match/nfa.h"
#include "regex/search/trie_search.h"

namespace zel {

struct TREAnchorChoice {
    TRECode* Code = nullptr;                 // the one anchor, or
    std::unique_ptr<TRETrieSearch> Branches; // one literal of each top-level alternative
    TRETextPosRec Offset;                    // Max -1: unknown
    // Above 0: Code lies in a lookbehind that every match begins with, this many characters
    // before the match start (Offset is then unused).
    int Behind = 0;

    bool Found() const { return Code != nullptr || Branches != nullptr; }
    // The first occurrence from AStr, before end; nullptr when none.
    const char16_t* Find(const char16_t* AStr, const char16_t* end);
};

// Prefers a known distance, then a literal to an alternation, then the longer literal.
TREAnchorChoice ChooseAnchor(const TRENFAProgram& AProgram);

// A literal of the lookbehind that every match begins with, when what comes before it in the
// body and the body itself have fixed lengths: every match starts a known number of
// characters after an occurrence of it. The longest such literal; none when there is none.
TREAnchorChoice ChooseBehindAnchor(const TRENFAProgram& AProgram);

// The literals (and alternations of literals) that every match contains, at whatever
// distance, also behind a back-reference: when one of them does not occur in the rest of the
// window, no match can start there. Checked before a search, so that a pattern that backtracks
// hard fails at once on text that lacks one; the occurrence found is remembered for the
// searches after.
class TRERequiredLiterals {
public:
    // Those outside top-level alternatives, for patterns whose captures the failure record
    // must tell apart (back-references, group conditions), where it cannot bound the work;
    // none when a verb, callout, call or accept could act in an attempt that the check leaves
    // out.
    void Choose(const TRENFAProgram& AProgram);
    bool Empty() const { return FLiterals.empty(); }
    // Whether each occurs in [AStr, end) of the subject numbered serial.
    bool OccurFrom(const char16_t* AStr, const char16_t* end, std::uint64_t serial);

private:
    struct TLiteral {
        TRECode* Code;
        std::uint64_t Serial = 0;
        const char16_t* SearchedFrom = nullptr; // the last search, over [SearchedFrom, End)
        const char16_t* End = nullptr;
        const char16_t* Hit = nullptr; // what it found, nullptr when nothing
    };
    std::vector<TLiteral> FLiterals;
};

} // namespace zel
