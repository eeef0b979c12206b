#include "regex/match/lead_search.h"

#include <algorithm>

#include "regex/compile/anchor_codes.h"
#include "regex/compile/char_class.h"
#include "regex/compile/literal_code.h"
#include "regex/compile/owner.h"
#include "regex/compile/set_codes.h"
#include "regex/search/first_units.h"
#include "regex/search/trie_search.h"
#include "regex/search/unit_scan.h"
#include "regex/unicode/unicode_prop.h"

namespace zel {

namespace {

// Literals, tries and bracketed classes search forward themselves.
bool HasOwnFind(const TRECode* code) {
    return dynamic_cast<const TRELiteralCode*>(code) != nullptr ||
           dynamic_cast<const TRETrieCode*>(code) != nullptr ||
           dynamic_cast<const TRECharClassCode*>(code) != nullptr;
}

// A trie remembers the ends still pending at its last start; the matcher must find it fresh.
void ForgetTrieState(TRECode* code) {
    if (TRETrieSearch* trie = code->TrieSearch())
        trie->ResetMatch();
}

// The walk from the entry: the codes a match may begin with, in codes; false where it gives up.
bool CollectLeadCodes(const TRENFAProgram& AProgram, std::vector<TRECode*>& codes) {
    std::vector<bool> seen(AProgram.FStateList.size(), false);
    std::vector<int> work{AProgram.FEntryState};
    auto lookThrough = [&](int state) {
        if (state >= 0 && !seen[static_cast<std::size_t>(state)]) {
            seen[static_cast<std::size_t>(state)] = true;
            work.push_back(state);
        }
    };
    seen[static_cast<std::size_t>(AProgram.FEntryState)] = true;
    while (!work.empty()) {
        const int state = work.back();
        work.pop_back();
        for (const TRENFAState* T = AProgram.Head(state); T != nullptr; T = T->FNext) {
            switch (T->FKind) {
            case nkGroupBegin:
            case nkGroupEnd:
            case nkEmpty:
            case nkAnchor:
            case nkKeepPattern:
                lookThrough(T->FTransitTo);
                break;
            case nkChar:
            case nkTrie:
                codes.push_back(T->FCode);
                break;
            case nkStar:
            case nkPlus:
            case nkBound:
                if (T->FCode->CharLength().Min < 1)
                    return false;
                codes.push_back(T->FCode);
                if (T->FMin == 0)
                    lookThrough(T->FTransitTo);
                break;
            case nkAheadMatch:
            case nkAheadNoMatch:
            case nkBehindMatch:
            case nkBehindNoMatch:
                // Zero-width: the match begins with what follows the body. Only where nothing
                // in a body acts on its own when an attempt is left out.
                if (!AProgram.FVerbFree)
                    return false;
                lookThrough(AProgram.Head(T->FExtendTo)->FTransitTo);
                break;
            default:
                return false;
            }
        }
    }
    return true;
}

} // namespace

const char16_t* FindCode(TRECode* code, const char16_t* AStr, const char16_t* end) {
    TRETrieSearch* trie = code->TrieSearch();
    if (trie == nullptr)
        return code->Find(AStr);
    const char16_t* hit =
        AStr < end && trie->Exec(AStr, static_cast<int>(end - AStr)) ? trie->StartP() : nullptr;
    trie->ResetMatch();
    return hit;
}

void TRELeadSearch::Clear() {
    FCodes.clear();
    FGuards.clear();
    FAllFindable = false;
    FUnitMap.reset();
    FUnitMapTried = false;
    FUnitMapExact = false;
    FUnitsPassed = 0;
}

// A one-character code decides from one unit (a surrogate is always a candidate); a literal
// starts at the units whose folding can begin its first character.
void TRELeadSearch::BuildUnitMap() {
    FUnitMapTried = true;
    auto map = std::make_unique<TREUnitMap>();
    FUnitMapExact = FGuards.empty();
    for (const TLead& lead : FCodes) {
        auto* literal = dynamic_cast<TRELiteralCode*>(lead.Code);
        if (literal == nullptr) {
            map->AdmitCode(*lead.Code);
            FUnitMapExact = FUnitMapExact && dynamic_cast<TREAnyCharCode*>(lead.Code) == nullptr;
            continue;
        }
        FUnitMapExact = false;
        const std::u16string& text = literal->Strings();
        int len = 0;
        const char32_t first = ReadChar(text.data(), text.data() + text.size(), len);
        // A lone surrogate has no set; surrogates are candidates anyway.
        if (const auto units = FirstUnitsOf(first, literal->CompareOptions()))
            for (const char16_t unit : *units)
                if (unit < 0xD800 || unit > 0xDFFF)
                    map->Admit(unit);
    }
    map->Seal();
    FUnitMap = std::move(map);
}

bool TRELeadSearch::Build(const TRENFAProgram& AProgram) {
    Clear();
    std::vector<TRECode*> codes;
    if (AProgram.FEntryState < 0 || !CollectLeadCodes(AProgram, codes))
        return false;
    std::sort(codes.begin(), codes.end());
    codes.erase(std::unique(codes.begin(), codes.end()), codes.end());
    FAllFindable = true;
    for (TRECode* code : codes) {
        FCodes.push_back({code, HasOwnFind(code)});
        FAllFindable = FAllFindable && FCodes.back().Findable;
    }
    // Nothing to map: the search never asks again.
    FUnitMapTried = !Mappable();
    for (const TRENFAState* T = AProgram.Head(AProgram.FEntryState);
         T != nullptr && T->FNext == nullptr &&
         (T->FKind == nkGroupBegin || T->FKind == nkEmpty || T->FKind == nkAnchor);
         T = AProgram.Head(T->FTransitTo))
        if (T->FKind == nkAnchor && dynamic_cast<const TREBoundaryCode*>(T->FCode) != nullptr)
            FGuards.push_back(T->FCode);
    return !FCodes.empty();
}

bool TRELeadSearch::GuardsHold(const char16_t* P) const {
    int len = 0;
    return std::all_of(FGuards.begin(), FGuards.end(),
                       [&](TRECode* guard) { return guard->IsEqual(P, len); });
}

bool TRELeadSearch::SingleLiteral() const {
    return FCodes.size() == 1 && dynamic_cast<const TRELiteralCode*>(FCodes[0].Code) != nullptr;
}

bool TRELeadSearch::SingleTrie() const {
    return FCodes.size() == 1 && dynamic_cast<const TRETrieCode*>(FCodes[0].Code) != nullptr;
}

bool TRELeadSearch::Mappable() const {
    return !LiteralsOnly() && std::all_of(FCodes.begin(), FCodes.end(), [](const TLead& lead) {
        return dynamic_cast<const TRELiteralCode*>(lead.Code) != nullptr ||
               IsOneCharCode(lead.Code);
    });
}

bool TRELeadSearch::LiteralsOnly() const {
    return !FCodes.empty() && std::all_of(FCodes.begin(), FCodes.end(), [](const TLead& lead) {
        return dynamic_cast<const TRELiteralCode*>(lead.Code) != nullptr ||
               dynamic_cast<const TRETrieCode*>(lead.Code) != nullptr;
    });
}

void TRELeadSearch::Reset(const char16_t* AStart) {
    FStart = AStart;
    for (TLead& lead : FCodes)
        lead.Hit = lead.HitFrom = nullptr;
}

bool TRELeadSearch::Accepts(const char16_t* P) const {
    if (!MayStartAt(P) || !GuardsHold(P))
        return false;
    for (const TLead& lead : FCodes)
        if (Matches(lead.Code, P))
            return true;
    return false;
}

bool TRELeadSearch::Matches(TRECode* code, const char16_t* P) {
    int len = 0;
    const bool matched = code->IsEqual(P, len);
    ForgetTrieState(code);
    return matched;
}

// Each code's hit is kept while it lies ahead, so a rare code is not searched again for every
// hit of a frequent one.
const char16_t* TRELeadSearch::HitOf(TLead& lead, const char16_t* P) {
    const bool known =
        lead.HitFrom != nullptr && lead.HitFrom <= P && (lead.Hit == nullptr || lead.Hit >= P);
    if (!known) {
        lead.Hit = FindCode(lead.Code, P, FEnd);
        lead.HitFrom = P;
    }
    return lead.Hit;
}

const char16_t* TRELeadSearch::FirstHit(const char16_t* P) {
    const char16_t* best = nullptr;
    for (TLead& lead : FCodes) {
        const char16_t* hit = HitOf(lead, P);
        if (hit != nullptr && (best == nullptr || hit < best))
            best = hit;
    }
    return best;
}

const char16_t* TRELeadSearch::Next(const char16_t* P, const char16_t* end) {
    FEnd = end;
    // The map asks each code about every unit once: it is built once the searches have gone
    // over as many units.
    if (!FUnitMapTried && FUnitsPassed >= 0x10000)
        BuildUnitMap();
    if (FUnitMap != nullptr) {
        for (; (P = FUnitMap->FindCandidate(P, end)) != nullptr; ++P) {
            if (FUnitMapExact && (*P < 0xD800 || *P > 0xDFFF))
                return P;
            if (!StartsInsidePair(P, FStart) && Accepts(P))
                return P;
        }
        return nullptr;
    }
    const char16_t* from = P;
    if (FAllFindable) {
        P = FirstHit(P);
        while (P != nullptr && (StartsInsidePair(P, FStart) || !GuardsHold(P)))
            P = FirstHit(P + 1);
    } else {
        while (P < end && !Accepts(P))
            P += CharUnits(P, end);
    }
    FUnitsPassed += static_cast<std::size_t>((P != nullptr && P < end ? P : end) - from) + 1;
    return P != nullptr && P < end ? P : nullptr;
}

} // namespace zel
