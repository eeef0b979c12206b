#include "regex/match/match_engine.h"

#include <algorithm>
#include <bit>

#include "core/chars.h"
#include "regex/compile/anchor_codes.h"
#include "regex/compile/char_class.h"
#include "regex/compile/literal_code.h"
#include "regex/compile/messages.h"
#include "regex/compile/owner.h"
#include "regex/compile/reference_codes.h"
#include "regex/compile/set_codes.h"
#include "regex/search/trie_search.h"
#include "regex/search/unit_scan.h"
#include "regex/unicode/unicode_prop.h"

namespace zel {

TREMatchEngine::TREMatchEngine(TREOwner& ARegExp, const TRENFAProgram& AProgram)
    : FRegExp(ARegExp), FProgram(AProgram) {}

void TREMatchEngine::SetAcceleration(bool Value) {
    FAcceleration = Value;
    ChooseLeadMode();
}

void TREMatchEngine::ChooseLeadMode() {
    FLeadCharMode = lcmNone;
    FRunAnchor = false;
    FLineBreaks.clear();
    const std::u16string_view starts = LineBreakStarts(FRegExp.LineBreakKind());
    FLineBreakStarts = TUnitSet(std::vector<char16_t>(starts.begin(), starts.end()));
    FLeadSearch.Clear();
    FAnchor = {};
    FRequired = {};
    FRunLoop = LeadingRunLoop();
    FTopRunLoop = FRunLoop != nullptr && FRunLoop->FLoopChain < 0 ? FRunLoop : nullptr;
    if (!FAcceleration)
        return;
    FLeadSearch.Build(FProgram);
    FRequired.Choose(FProgram);
    FLeadCharMode = HeadMode();
    if (FLeadCharMode != lcmNone)
        return;
    if (const TRENFAState* whole = WholeLiteral()) {
        FLeadCharMode = whole->FKind == nkTrie ? lcmAhoCrasick : lcmSimple;
        return;
    }
    // Literal leads are searched as fast as an anchor and need no stepping back.
    if (!FLeadSearch.LiteralsOnly()) {
        FAnchor = ChooseAnchor(FProgram);
        if (!FAnchor.Found())
            FAnchor = ChooseBehindAnchor(FProgram);
        if (FAnchor.Found()) {
            const TRENFAState* exitT =
                FTopRunLoop != nullptr ? Head(FTopRunLoop->FTransitTo) : nullptr;
            FRunAnchor = exitT != nullptr && exitT->FNext == nullptr && FAnchor.Code != nullptr &&
                         exitT->FCode == FAnchor.Code;
            const bool fixed = FAnchor.Offset.Max >= 0;
            if (!fixed)
                FLineBreaks = UnconsumedLineBreaks();
            if (FAnchor.Branches != nullptr)
                FLeadCharMode = fixed ? lcmFixedBranch : lcmVariableBranch;
            else
                FLeadCharMode = fixed ? lcmFixedAnchor : lcmVariableAnchor;
            return;
        }
    }
    if (FLeadSearch.Empty())
        return;
    if (FLeadSearch.SingleLiteral())
        FLeadCharMode = lcmFirstLiteral;
    else if (FLeadSearch.SingleTrie())
        FLeadCharMode = lcmFirstBranch;
    else
        FLeadCharMode = FLeadSearch.Mappable() ? lcmLeadMap : lcmHasLead;
}

// The line-break units that no code of the pattern can consume: a match holds none of them,
// so an anchor hit and the start of its match lie on one line. Every code decides alone here:
// a literal or an alternation of literals by its text, a one-character code by the unit
// standing alone (as "." does by the owner's line-break test); any other consuming code
// could take anything.
std::u16string TREMatchEngine::UnconsumedLineBreaks() const {
    std::u16string units = u"\n\v\f\r\u0085\u2028\u2029";
    auto drop = [&](const std::u16string& text) {
        std::erase_if(units, [&](char16_t u) { return text.find(u) != std::u16string::npos; });
    };
    for (const auto& T : FProgram.FTransitions) {
        TRECode* code = T->FCode;
        if (code == nullptr || T->FKind == nkAnchor)
            continue;
        if (auto* literal = dynamic_cast<TRELiteralCode*>(code)) {
            drop(literal->Strings());
        } else if (auto* trie = dynamic_cast<TRETrieCode*>(code)) {
            for (const TRELiteralCode* alternative : trie->Literals())
                drop(alternative->Strings());
        } else if (IsOneCharCode(code)) {
            std::erase_if(units, [&](char16_t u) { return MatchesAlone(*code, u); });
        } else {
            return {};
        }
    }
    return units;
}

// Every match starts at the head of the text (lcmTextTop) or of a line (lcmLineTop) when a
// head anchor lies on the one path from the entry to the first consuming code.
TRELeadCharMode TREMatchEngine::HeadMode() const {
    if (!FProgram.FVerbFree)
        return lcmNone; // a verb or callout could act before the anchor fails
    TRELeadCharMode mode = lcmNone;
    for (const TRENFAState* T = Head(FProgram.FEntryState);
         T != nullptr && T->FNext == nullptr &&
         (T->FKind == nkGroupBegin || T->FKind == nkEmpty || T->FKind == nkAnchor);
         T = Head(T->FTransitTo)) {
        if (T->FKind != nkAnchor)
            continue;
        if (dynamic_cast<const TRETextHeadCode*>(T->FCode) != nullptr)
            return lcmTextTop;
        if (dynamic_cast<const TRELineHeadCode*>(T->FCode) != nullptr) {
            if (!T->FCode->Options().Contains(roMultiLine))
                return lcmTextTop;
            mode = lcmLineTop;
        }
    }
    return mode;
}

// The whole pattern is one literal or one alternation of literals: a hit of its search is the
// match, no attempt needed.
const TRENFAState* TREMatchEngine::WholeLiteral() const {
    const TRENFAState* T = Head(FProgram.FEntryState);
    if (T == nullptr || T->FNext != nullptr ||
        !(T->FKind == nkTrie ||
          (T->FKind == nkChar && dynamic_cast<const TRELiteralCode*>(T->FCode) != nullptr)))
        return nullptr;
    const TRENFAState* after = Head(T->FTransitTo);
    return after != nullptr && after->FNext == nullptr && after->FKind == nkEnd ? T : nullptr;
}

// A pattern that must begin with an unbounded loop of a one-character code, whose
// continuation depends only on where the loop ends: an attempt inside a run of that code can
// end the loop only where an attempt at the run's earlier position could (or, possessive, at
// the same place), so after a failure the rest of the run is no start either. Zero-width
// codes before the loop (FRunGuards) must have held at the failed start: otherwise that
// attempt never reached the loop.
//
// The loop may open the first, mandatory iteration of a greedy or lazy general loop when what
// follows it in that iteration consumes a character: the iteration is then never empty, and
// its end and the loop counters are the same for both starts. A possessive general loop
// would commit to the first iteration found from the earlier start, so it ends the walk.
const TRENFAState* TREMatchEngine::LeadingRunLoop() {
    FRunGuards.clear();
    if (!FAcceleration || !FProgram.FVerbFree || FProgram.FMemoCaptures || FProgram.FHasAccept)
        return nullptr;
    const TRENFAState* T = Head(FProgram.FEntryState);
    bool inIteration = false;
    while (T != nullptr && T->FNext == nullptr) {
        if (T->FKind == nkGroupBegin || T->FKind == nkEmpty || T->FKind == nkAnchor) {
            if (T->FKind == nkAnchor)
                FRunGuards.push_back(T);
            T = Head(T->FTransitTo);
        } else if (T->FKind == nkLoop && T->FMin >= 1 && T->FMatchKind != lkPossessive) {
            const TRENFAState* exit = Head(T->FTransitTo);
            T = exit != nullptr ? exit->FNext : nullptr;
            inIteration = true;
        } else {
            break;
        }
    }
    const bool loop = T != nullptr && T->FNext == nullptr &&
                      (T->FKind == nkStar || T->FKind == nkPlus || T->FKind == nkBound);
    if (!loop || T->FMax < kNFAUnbounded || !IsOneCharCode(T->FCode))
        return nullptr;
    if (inIteration) {
        const TRENFAState* after = Head(T->FTransitTo);
        if (after == nullptr || after->FNext != nullptr || after->FKind != nkChar ||
            after->FCode->CharLength().Min < 1)
            return nullptr;
    }
    return T;
}

// Whether the leading loop's run from P holds the characters its minimum asks for: an attempt
// at a shorter run fails in that loop (and NextStart then skips the run).
bool TREMatchEngine::RunLongEnough(const char16_t* P) {
    if (FRunLoop == nullptr || FRunLoop->FMin < 2)
        return true;
    int taken = 0;
    TakeChars(FRunLoop, P, FRunLoop->FMin, taken);
    return taken == FRunLoop->FMin;
}

// Where the search goes on after a failed attempt at P (below end) that set no skip.
const char16_t* TREMatchEngine::NextStart(const char16_t* P, const char16_t* end) {
    if (FRunLoop != nullptr && OneCharAt(FRunLoop, P) > 0 &&
        std::all_of(FRunGuards.begin(), FRunGuards.end(),
                    [&](const TRENFAState* T) { return AnchorHolds(T, P); })) {
        return CachedRunEnd(FRunLoop, P, P);
    }
    return P + CharUnits(P, end);
}

// RunOf(T, p), remembered: the run of a one-character code ends at the same place from every
// position inside it, so a loop entered again inside a known run does not scan it again. The
// code matches from 'from' on up to p.
const char16_t* TREMatchEngine::CachedRunEnd(const TRENFAState* T, const char16_t* from,
                                             const char16_t* p) {
    TRunCache& cache = FRunCache[static_cast<std::size_t>(T->FIndex)];
    if (cache.Start != nullptr && p >= cache.Start && p <= cache.End)
        return cache.End;
    const char16_t* runEnd = RunOf(T, p);
    cache = {from, runEnd};
    return runEnd;
}

// The end of the run of one-character loop T's code from p. Once the code has been asked about
// as many units as a map of all units costs, the map answers instead ("." needs no map: it
// only looks for line breaks).
const char16_t* TREMatchEngine::RunOf(const TRENFAState* T, const char16_t* p) {
    const std::size_t index = static_cast<std::size_t>(T->FIndex);
    const char16_t* end = FRegExp.FMatchEndP;
    if (FDots[index] != TDot::None || FRunMaps[index] != nullptr)
        return RunWithin(T, p, end);
    const char16_t* runEnd = p;
    T->FCode->ExecRepeat(runEnd, true);
    CountAsked(index, static_cast<std::size_t>(runEnd - p) + 1);
    return runEnd;
}

// Where the run of one-character loop T's code from p ends, looking no further than limit:
// "." by the line-break scan, any other code by its unit map (which it must have).
const char16_t* TREMatchEngine::RunWithin(const TRENFAState* T, const char16_t* p,
                                          const char16_t* limit) const {
    const std::size_t index = static_cast<std::size_t>(T->FIndex);
    switch (FDots[index]) {
    case TDot::AnyChar:
        return LineEnd(p, limit);
    case TDot::All:
        return std::max(p, limit);
    case TDot::None:
        break;
    }
    return FRunMaps[index]->RunEnd(*T->FCode, p, limit);
}

// Code T has been asked about units more: once that makes as many as a map of all units
// costs, the map answers instead.
void TREMatchEngine::CountAsked(std::size_t index, std::size_t units) {
    FRunUnits[index] += units;
    if (FRunUnits[index] <= 0x10000 || FRunMaps[index] != nullptr)
        return;
    auto map = std::make_unique<TREUnitMap>();
    map->AdmitCode(*FProgram.FTransitions[index]->FCode);
    map->Seal();
    FRunMaps[index] = std::move(map);
}

// The first line break from p on (end when none): where a run of "." stops.
const char16_t* TREMatchEngine::LineEnd(const char16_t* p, const char16_t* end) const {
    while ((p = FindUnit(p, end, FLineBreakStarts)) != nullptr) {
        if (FRegExp.IsLineBreak(p) > 0)
            return p;
        ++p;
    }
    return end;
}

// The units of the character that one-character loop T's code matches at p, 0 when it does
// not: "." and codes with a unit map answer without a call.
int TREMatchEngine::OneCharAt(const TRENFAState* T, const char16_t* p) {
    const std::size_t index = static_cast<std::size_t>(T->FIndex);
    const char16_t* end = FRegExp.FMatchEndP;
    if (p >= end)
        return 0;
    switch (FDots[index]) {
    case TDot::AnyChar:
        return FRegExp.IsLineBreak(p) > 0 ? 0 : CharUnits(p, end);
    case TDot::All:
        return CharUnits(p, end);
    case TDot::None:
        break;
    }
    const bool surrogate = *p >= 0xD800 && *p <= 0xDFFF;
    if (FRunMaps[index] != nullptr && !surrogate)
        return FRunMaps[index]->Contains(*p) ? 1 : 0;
    CountAsked(index, 1);
    int len = 0;
    return T->FCode->IsEqual(p, len) ? len : 0;
}

// p moved over up to n characters of one-character loop T's code; taken: how many. Many of
// "." or of a code with a unit map are counted inside the run that a scan finds.
const char16_t* TREMatchEngine::TakeChars(const TRENFAState* T, const char16_t* p, int n,
                                          int& taken) {
    taken = 0;
    const std::size_t index = static_cast<std::size_t>(T->FIndex);
    if (n >= kScannedChars && (FDots[index] != TDot::None || FRunMaps[index] != nullptr)) {
        // n characters lie within 2n units: the scan need not go further.
        const char16_t* end = FRegExp.FMatchEndP;
        const char16_t* limit = end - p > 2 * std::ptrdiff_t{n} ? p + 2 * std::ptrdiff_t{n} : end;
        const char16_t* runEnd = RunWithin(T, p, limit);
        for (; taken < n && p < runEnd; ++taken)
            p += CharUnits(p, runEnd);
        return p;
    }
    for (int len = 0; taken < n && (len = OneCharAt(T, p)) > 0; ++taken)
        p += len;
    return p;
}

void TREMatchEngine::Optimize() {
    ChooseLeadMode();
    const std::size_t count = FProgram.FTransitions.size();
    FOneChar.assign(count, false);
    FDots.assign(count, TDot::None);
    FReadsCaptures.assign(count, false);
    for (std::size_t i = 0; i < count; ++i) {
        const TRECode* code = FProgram.FTransitions[i]->FCode;
        FReadsCaptures[i] = dynamic_cast<const TREReferenceCode*>(code) != nullptr ||
                            dynamic_cast<const TREConditionCode*>(code) != nullptr ||
                            dynamic_cast<const TRECalloutCode*>(code) != nullptr;
    }
    FPastBrackets.resize(count);
    for (std::size_t i = 0; i < count; ++i)
        FPastBrackets[i] = PastBrackets(FProgram.FTransitions[i].get());
    FLazyUnit.assign(count, -1);
    for (std::size_t i = 0; i < count; ++i) {
        const TRENFAState* T = FProgram.FTransitions[i].get();
        if (T->FKind == nkStar || T->FKind == nkPlus || T->FKind == nkBound)
            FOneChar[i] = IsOneCharCode(T->FCode);
        if (const auto* dot = dynamic_cast<const TREAnyCharCode*>(T->FCode); FOneChar[i] && dot)
            FDots[i] = dot->FIsMatchAll ? TDot::All : TDot::AnyChar;
        const TRENFAState* exitT = FOneChar[i] ? Head(T->FTransitTo) : nullptr;
        const auto* single = exitT != nullptr && exitT->FNext == nullptr && exitT->FKind == nkChar
                                 ? dynamic_cast<const TRELiteralSingleCode*>(exitT->FCode)
                                 : nullptr;
        if (single != nullptr && T->FMatchKind == lkReluctant && T->FMax >= kNFAUnbounded)
            FLazyUnit[i] = single->Strings()[0];
    }
    FRunCache.assign(count, {});
    FRunMaps.clear();
    FRunMaps.resize(count);
    FRunUnits.assign(count, 0);
    FMemo.Prepare();
    FLoops.assign(FProgram.FLoops.size(), {});
    FLoopTouched.assign(FLoops.size(), false);
    FTouchedLoops.clear();
    FGroupEpochs.assign(static_cast<std::size_t>(FRegExp.FGroups.Count()), 0);
    FGroupTouched.assign(FGroupEpochs.size(), false);
    FTouchedGroups.clear();
}

bool TREMatchEngine::Match(const char16_t* AStr) {
    FSkipP = nullptr;
    FHasSkip = false;
    FLastRegMarkIndex = -1;
    FLastRegErrorIndex = -1;
    FMemo.StartSearch();
    FSteps = 0;
    std::fill(FRunCache.begin(), FRunCache.end(), TRunCache{});
    const char16_t* end = FRegExp.FMatchEndP;
    if (AStr == nullptr || AStr > end)
        return false;
    const TREOptions options = FRegExp.FOptions;
    if ((!options.Contains(roIgnoreCase) || options.Contains(roASCIIOnly)) &&
        end - AStr < FProgram.FMinMatchLength)
        return false;
    FSearchStartP = AStr;
    if (FLeadCharMode == lcmSimple || FLeadCharMode == lcmAhoCrasick)
        return MatchWhole(AStr, end);
    // The anchor modes look for a literal that every match holds anyway.
    if (!FAnchor.Found() && !FRequired.Empty() &&
        !FRequired.OccurFrom(AStr, end, FRegExp.FSubjectSerial))
        return false;
    if (FLeadCharMode == lcmTextTop) {
        if (Attempt(AStr))
            return true;
        FSkipP = end; // no later start can match
        return false;
    }
    if (FAnchor.Found())
        return MatchAtAnchors(AStr, end);
    return MatchAtStarts(AStr, end);
}

// The plain search, the lead modes and the line starts: an attempt at every start from AStr
// that may match (lcmLineTop: the search start and every line start), in order.
bool TREMatchEngine::MatchAtStarts(const char16_t* AStr, const char16_t* end) {
    const bool lines = FLeadCharMode == lcmLineTop;
    const bool lead = FLeadCharMode != lcmNone && !lines;
    if (lead)
        FLeadSearch.Reset(AStr);
    const char16_t* P = AStr;
    while (P != nullptr && P <= end) {
        if (lead && (P = FLeadSearch.Next(P, end)) == nullptr)
            return false;
        // A line start where no lead code matches fails at once.
        if ((!lines || IsLeadMatch(P)) && RunLongEnough(P) && Attempt(P))
            return true;
        // A skip verb passed in the failed attempt moves the next start; one moved to the
        // window end (also by a commit) ends the search.
        if (FHasSkip && FSkipP != nullptr) {
            if (FSkipP == end)
                return false;
            if (FSkipP > P) {
                P = FSkipP;
                continue;
            }
        }
        if (P == end)
            break;
        P = lines ? NextLineStart(P, end) : NextStart(P, end);
    }
    return false;
}

bool TREMatchEngine::MatchWhole(const char16_t* AStr, const char16_t* end) {
    const TRENFAState* T = Head(FProgram.FEntryState);
    for (const char16_t* from = AStr; from < end;) {
        const char16_t* hit = nullptr;
        const char16_t* stop = nullptr;
        if (TRETrieSearch* trie = T->FCode->TrieSearch()) {
            if (trie->Exec(from, static_cast<int>(end - from))) {
                hit = trie->StartP();
                stop = trie->EndP();
            }
            trie->ResetMatch();
        } else {
            int len = 0;
            hit = FindCode(T->FCode, from, end);
            if (hit != nullptr && T->FCode->IsEqual(hit, len))
                stop = hit + len;
        }
        if (hit == nullptr)
            return false;
        if (stop != nullptr && !StartsInsidePair(hit, AStr)) {
            ResetAttempt(hit);
            bool success = false;
            EndMatch(stop, success);
            return true;
        }
        from = hit + 1;
    }
    return false;
}

// The start of the line after P's, nullptr when P's line is the last.
const char16_t* TREMatchEngine::NextLineStart(const char16_t* P, const char16_t* end) const {
    while ((P = FindUnit(P, end, FLineBreakStarts)) != nullptr) {
        if (const int len = FRegExp.IsLineBreak(P))
            return P + len;
        ++P;
    }
    return nullptr;
}

// Every match contains the anchor literal Offset.Min to Offset.Max characters after its start.
// Each occurrence h of the anchor (searched from the first start not yet ruled out, plus
// Offset.Min characters) admits the starts from h - Offset.Max (all the untried ones when Max
// is unknown) to h - Offset.Min; they are tried in order, where a lead code matches when
// there are lead codes. A start that admits no occurrence cannot match.
bool TREMatchEngine::MatchAtAnchors(const char16_t* AStr, const char16_t* end) {
    if (FAnchor.Behind > 0)
        return MatchBehindAnchor(AStr, end);
    if (!FLeadSearch.Empty())
        FLeadSearch.Reset(AStr);
    const char16_t* untried = AStr;
    for (;;) {
        const char16_t* from = untried;
        for (int i = 0; i < FAnchor.Offset.Min && from < end; ++i)
            from += CharUnits(from, end);
        const char16_t* hit = from < end ? FAnchor.Find(from, end) : nullptr;
        if (hit == nullptr)
            return false;
        const char16_t* last = hit;
        for (int i = 0; i < FAnchor.Offset.Min && last > untried; ++i)
            last = StepBack(last, untried);
        const char16_t* first = untried;
        if (FAnchor.Offset.Max >= 0) {
            first = hit;
            for (int i = 0; i < FAnchor.Offset.Max && first > untried; ++i)
                first = StepBack(first, untried);
        } else {
            if (FRunAnchor)
                first = RunStartBefore(hit, untried);
            // No match crosses a line break that none of its codes can consume.
            if (!FLineBreaks.empty()) {
                const char16_t* lineStart = hit;
                while (lineStart > first && FLineBreaks.find(lineStart[-1]) == std::u16string::npos)
                    --lineStart;
                first = lineStart;
            }
        }
        const char16_t* P = first;
        while (P <= last) {
            if (!IsLeadMatch(P)) {
                P += CharUnits(P, end);
                continue;
            }
            if (RunLongEnough(P) && Attempt(P))
                return true;
            P = NextStart(P, end);
        }
        untried = std::max(P, last + CharUnits(last, end));
    }
}

// Every match starts FAnchor.Behind characters after an occurrence of the anchor, which its
// leading lookbehind holds (and which may lie before the search start, though not before the
// window).
bool TREMatchEngine::MatchBehindAnchor(const char16_t* AStr, const char16_t* end) {
    const int behind = FAnchor.Behind;
    const char16_t* top = FRegExp.FMatchTopP;
    const char16_t* from = AStr;
    for (int i = 0; i < behind && from > top; ++i)
        from = StepBack(from, top);
    while (from < end) {
        const char16_t* hit = FAnchor.Find(from, end);
        if (hit == nullptr)
            return false;
        const char16_t* P = hit;
        int chars = 0;
        for (; chars < behind && P < end; ++chars)
            P += CharUnits(P, end);
        if (chars < behind)
            return false;
        if (P >= AStr && IsLeadMatch(P) && Attempt(P))
            return true;
        from = hit + CharUnits(hit, end);
    }
    return false;
}

// The leading loop reaches the anchor directly: a start before the run of its code that ends
// at hit cannot get past the unit before that run, neither to this hit nor to a later one.
const char16_t* TREMatchEngine::RunStartBefore(const char16_t* hit, const char16_t* low) const {
    const char16_t* p = hit;
    while (p > low) {
        const char16_t* q = StepBack(p, low);
        int len = 0;
        if (!FRunLoop->FCode->IsEqual(q, len) || q + len != p)
            break;
        p = q;
    }
    return p;
}

// Only what the last attempt touched is reset: most attempts fail after a step or two, and
// a pattern may have many groups and loops.
void TREMatchEngine::ResetAttempt(const char16_t* P0) {
    FStack.clear();
    FBarriers.clear();
    auto& groups = FRegExp.FGroups;
    for (const int index : FTouchedGroups) {
        groups.At(index).Reset();
        FGroupEpochs[static_cast<std::size_t>(index)] = 0;
        FGroupTouched[static_cast<std::size_t>(index)] = false;
    }
    FTouchedGroups.clear();
    for (const int index : FTouchedLoops) {
        FLoops[static_cast<std::size_t>(index)] = {};
        FLoopTouched[static_cast<std::size_t>(index)] = false;
    }
    FTouchedLoops.clear();
    FSnapshots.clear();
    FLoopSnapshots.clear();
    FCalls.clear();
    FRegExp.FSubStack.clear();
    FPositions.clear();
    FHasSkip = false;
    FSkipIndex = -1;
    FSkipP = nullptr;
    ++FEpoch;
    TGroup& whole = groups.At(0);
    whole.Reset();
    whole.FStartP = whole.FStartPBuf = P0;
    FRegExp.FStartMatch = static_cast<std::int32_t>(P0 - FRegExp.FTextTopP) + 1;
}

bool TREMatchEngine::Attempt(const char16_t* P0) {
    ResetAttempt(P0);
    FAttemptSteps = FSteps;
    FStepMark = NextStepMark(P0);
    const TRENFAState* T = Head(FProgram.FEntryState);
    const char16_t* P = P0;
    for (;;) {
        if (++FSteps >= FStepMark)
            StepMarkReached(P0);
        if (T != nullptr) {
            bool success = false;
            T = Step(T, P, success);
            if (success)
                return true;
            if (T != nullptr)
                continue;
        }
        if (!Backtrack(T, P)) {
            FLastRegErrorIndex = FLastRegMarkIndex;
            return false;
        }
    }
}

// The next step count at which something happens: the failure record is switched on (see
// TREFailureMemo), or the step limit of the attempt is exceeded.
std::uint64_t TREMatchEngine::NextStepMark(const char16_t* P0) const {
    std::uint64_t mark = UINT64_MAX;
    if (!FMemo.Active() && FProgram.FMemoUsed)
        mark = TREFailureMemo::Budget(static_cast<std::uint64_t>(P0 - FSearchStartP));
    if (FStepLimit > 0)
        mark = std::min(mark, FAttemptSteps + FStepLimit + 1);
    return mark;
}

void TREMatchEngine::StepMarkReached(const char16_t* P0) {
    if (FStepLimit > 0 && FSteps - FAttemptSteps > FStepLimit)
        throw EZelRegExpRuntime(
            FormatRegExpMessage(TREMessageId::rmStepLimitExceeded, static_cast<int>(FStepLimit)));
    if (!FMemo.Active() && FProgram.FMemoUsed &&
        FSteps >= TREFailureMemo::Budget(static_cast<std::uint64_t>(P0 - FSearchStartP)))
        FMemo.Activate();
    FStepMark = NextStepMark(P0);
}

// ---- the stack -------------------------------------------------------------------------------

void TREMatchEngine::PushEntry(TEntry entry) {
    switch (entry.Kind) {
    case TEntryKind::UndoGroup:
    case TEntryKind::UndoLoop:
    case TEntryKind::UndoCall:
        break;
    default:
        ++FEpoch; // a new resume point: later changes need their own undo records
        break;
    }
    if (FStack.size() == FStack.capacity())
        FStack.reserve(std::max<std::size_t>(128, FStack.size() + FStack.size() / 4));
    FStack.push_back(entry);
}

bool TREMatchEngine::CodeMatches(const TRENFAState* T, const char16_t* P, int& Len) const {
    Len = 0;
    if (T->FKind == nkChar && P >= FRegExp.FMatchEndP)
        return false;
    return T->FCode->IsEqual(P, Len);
}

// An alternative whose first code cannot match here never goes on the stack.
void TREMatchEngine::PushChoice(const TRENFAState* A, const char16_t* P) {
    int len = 0;
    while (A != nullptr && (A->FKind == nkNormal || A->FKind == nkChar) && !CodeMatches(A, P, len))
        A = A->FNext;
    if (A != nullptr)
        PushEntry({.Kind = TEntryKind::Choice, .T = A, .P = P});
}

// Drops every resume point above index (and the entry at index when removeIt), keeping the
// undo records in their order: backtracking past this place must still restore the state.
void TREMatchEngine::CutAbove(int index, bool removeIt) {
    std::size_t j =
        removeIt ? static_cast<std::size_t>(index) : static_cast<std::size_t>(index + 1);
    const std::size_t keepFrom = j;
    for (std::size_t i = static_cast<std::size_t>(index + 1); i < FStack.size(); ++i) {
        switch (FStack[i].Kind) {
        case TEntryKind::UndoGroup:
        case TEntryKind::UndoLoop:
        case TEntryKind::UndoCall:
            FStack[j++] = FStack[i];
            break;
        default:
            break;
        }
    }
    FStack.resize(j);
    while (!FBarriers.empty() && static_cast<std::size_t>(FBarriers.back()) >= keepFrom)
        FBarriers.pop_back();
    ++FEpoch;
}

// The backtracking verbs drop the resume points of the innermost body that runs (the whole
// attempt at the top level).
void TREMatchEngine::Cut() {
    CutAbove(InnermostBarrier(), false);
}

// Drops the resume points above the next alternative of the alternation whose chain starts at
// chain. With no alternative left the current run ends: the resume points go down to the
// innermost lazy loop's next try (which then takes one more step), or down to the body that
// runs (the whole attempt at the top level).
void TREMatchEngine::CutToAlternative(const TRENFAState* chain) {
    const int floor = InnermostBarrier();
    for (int i = static_cast<int>(FStack.size()) - 1; i > floor; --i) {
        const TEntry& e = FStack[static_cast<std::size_t>(i)];
        if (e.Kind == TEntryKind::TakeMore || e.Kind == TEntryKind::LoopBody) {
            CutAbove(i, false);
            return;
        }
        if (e.Kind != TEntryKind::Choice)
            continue;
        for (const TRENFAState* t = chain; t != nullptr; t = t->FNext)
            if (t == e.T) {
                CutAbove(i, false);
                return;
            }
    }
    Cut();
}

TREMatchEngine::TGroupState TREMatchEngine::GroupState(int index) const {
    const TGroup& g = FRegExp.FGroups.At(index);
    return {g.FStartP, g.FStartPBuf, g.FEndP, g.FSuccess};
}

void TREMatchEngine::SetGroup(int index, const TGroupState& value) {
    TGroup& g = FRegExp.FGroups.At(index);
    if (!FGroupTouched[static_cast<std::size_t>(index)]) {
        FGroupTouched[static_cast<std::size_t>(index)] = true;
        FTouchedGroups.push_back(index);
    }
    auto& epoch = FGroupEpochs[static_cast<std::size_t>(index)];
    if (epoch != FEpoch) {
        PushEntry({.Kind = TEntryKind::UndoGroup,
                   .Flag = g.FSuccess,
                   .A = index,
                   .P = g.FStartP,
                   .Q = g.FStartPBuf,
                   .R = g.FEndP,
                   .Sig = epoch});
        epoch = FEpoch;
    }
    g.FStartP = value.StartP;
    g.FStartPBuf = value.StartPBuf;
    g.FEndP = value.EndP;
    g.FSuccess = value.Success;
}

void TREMatchEngine::SetLoop(int index, const TLoopState& value) {
    TLoopState& st = FLoops[static_cast<std::size_t>(index)];
    if (!FLoopTouched[static_cast<std::size_t>(index)]) {
        FLoopTouched[static_cast<std::size_t>(index)] = true;
        FTouchedLoops.push_back(index);
    }
    if (st.Epoch != FEpoch) {
        PushEntry({.Kind = TEntryKind::UndoLoop,
                   .Flag = st.LastEmpty,
                   .A = index,
                   .B = st.Count,
                   .C = st.Barrier,
                   .P = st.IterStart,
                   .Sig = st.Epoch});
    }
    st.Count = value.Count;
    st.IterStart = value.IterStart;
    st.LastEmpty = value.LastEmpty;
    st.Barrier = value.Barrier;
    st.Epoch = FEpoch;
}

bool TREMatchEngine::Backtrack(const TRENFAState*& T, const char16_t*& P) {
    FFailedCaptures.clear();
    while (!FStack.empty()) {
        TEntry& e = FStack.back();
        switch (e.Kind) {
        case TEntryKind::UndoGroup:
            PopUndoGroup(e);
            break;
        case TEntryKind::UndoLoop:
            PopUndoLoop(e);
            break;
        case TEntryKind::UndoCall:
            PopUndoCall(e);
            break;
        case TEntryKind::MemoMark:
            // Everything tried above the mark failed; the captures are as they were when it
            // was pushed.
            FMemo.RecordFailure(e.T, e.Sig, e.P);
            FStack.pop_back();
            break;
        case TEntryKind::Choice:
            T = e.T;
            P = e.P;
            FStack.pop_back();
            ++FEpoch;
            return true;
        case TEntryKind::TrieChoice:
            if (NextTrieChoice(e, T, P))
                return true;
            break;
        case TEntryKind::GiveBack:
        case TEntryKind::GiveBackList:
        case TEntryKind::TakeMore:
            if (NextRunEnd(e, T, P))
                return true;
            break;
        case TEntryKind::LoopExit:
        case TEntryKind::LoopBody:
            ResumeLoop(e, T, P);
            return true;
        case TEntryKind::Barrier:
            if (PopBarrier(T, P))
                return true;
            break;
        }
    }
    return false;
}

void TREMatchEngine::PopUndoGroup(const TEntry& e) {
    if (FProgram.FHasConditionTest)
        KeepFailedCapture(e.A);
    TGroup& g = FRegExp.FGroups.At(e.A);
    g.FStartP = e.P;
    g.FStartPBuf = e.Q;
    g.FEndP = e.R;
    g.FSuccess = e.Flag;
    FGroupEpochs[static_cast<std::size_t>(e.A)] = e.Sig;
    FStack.pop_back();
}

void TREMatchEngine::PopUndoLoop(const TEntry& e) {
    TLoopState& st = FLoops[static_cast<std::size_t>(e.A)];
    st.Count = e.B;
    st.Barrier = e.C;
    st.IterStart = e.P;
    st.LastEmpty = e.Flag;
    st.Epoch = e.Sig;
    FStack.pop_back();
}

void TREMatchEngine::PopUndoCall(const TEntry& e) {
    if (e.Flag) {
        const TCallInfo& info = FCalls.back();
        FSnapshots.resize(info.Snapshot);
        FLoopSnapshots.resize(info.LoopSnapshot);
        FCalls.pop_back();
        FRegExp.FSubStack.pop_back();
    } else {
        FCalls.push_back({e.P, static_cast<std::size_t>(e.Sig), static_cast<std::size_t>(e.B)});
        FRegExp.FSubStack.push_back({e.A, e.T, e.U});
    }
    FStack.pop_back();
}

// The trie's next alternative at the entry's position; the entry stays while more remain.
bool TREMatchEngine::NextTrieChoice(TEntry& e, const TRENFAState*& T, const char16_t*& P) {
    TRETrieSearch* trie = e.T->FCode->TrieSearch();
    const char16_t* end = FRegExp.FMatchEndP;
    trie->ResetMatch();
    bool ok = trie->IsMatch(e.P, end);
    for (int i = 0; ok && i < e.A; ++i)
        ok = trie->IsMatch(e.P, end);
    if (!ok) {
        FStack.pop_back();
        return false;
    }
    P = e.P + trie->MatchLength();
    T = Head(e.T->FTransitTo);
    if (trie->MatchCount() > 0)
        ++e.A;
    else
        FStack.pop_back();
    ++FEpoch;
    return true;
}

// The next end of a single-code loop's run: one given back, or one more taken by a lazy loop.
bool TREMatchEngine::NextRunEnd(TEntry& e, const TRENFAState*& T, const char16_t*& P) {
    bool exhausted = false;
    const TRENFAState* next = e.Kind == TEntryKind::TakeMore ? TakeMoreNext(e, P, exhausted)
                                                             : GiveBackNext(e, P, exhausted);
    if (exhausted) {
        FStack.pop_back();
        return false;
    }
    T = next;
    ++FEpoch;
    return true;
}

void TREMatchEngine::ResumeLoop(const TEntry& e, const TRENFAState*& T, const char16_t*& P) {
    const TRENFAState* X = e.T;
    const bool exit = e.Kind == TEntryKind::LoopExit;
    P = e.P;
    FStack.pop_back();
    ++FEpoch;
    T = exit ? TakeExit(X) : EnterBody(X, P);
}

// A body that failed as a whole: what its construct does then (a negative lookaround goes on).
bool TREMatchEngine::PopBarrier(const TRENFAState*& T, const char16_t*& P) {
    TEntry barrier = FStack.back();
    FStack.pop_back();
    FBarriers.pop_back();
    bool resume = false;
    const TRENFAState* next = BarrierFailed(barrier, P, resume);
    if (!resume)
        return false;
    T = next;
    ++FEpoch;
    if (barrier.T->FKind == nkIfMatch)
        RestoreFailedCaptures();
    return true;
}

// A condition runs on the shared groups, and only the alternatives popped inside it restore
// them: what its last path captured before failing stays. Backtracking out of that path
// undoes the captures; the values they had are kept here (the latest per group) and written
// back when the failure reaches the condition.
void TREMatchEngine::KeepFailedCapture(int index) {
    for (const auto& kept : FFailedCaptures)
        if (kept.first == index)
            return;
    FFailedCaptures.emplace_back(index, GroupState(index));
}

void TREMatchEngine::RestoreFailedCaptures() {
    for (const auto& [index, state] : FFailedCaptures)
        SetGroup(index, state);
    FFailedCaptures.clear();
}

// ---- transitions -----------------------------------------------------------------------------

const TRENFAState* TREMatchEngine::Step(const TRENFAState* T, const char16_t*& P, bool& Success) {
    if (T->FNext != nullptr) {
        switch (T->FKind) {
        case nkLoopExit:
        case nkMatchEnd:
        case nkIfThen:
        case nkThen:
            break;
        default:
            PushChoice(T->FNext, P);
            break;
        }
    }
    switch (T->FKind) {
    case nkEmpty:
    case nkIfThen:
        return Head(T->FTransitTo);
    case nkTrie:
        return StepTrie(T, P);
    case nkStar:
    case nkPlus:
    case nkBound:
        return SingleLoop(T, P);
    case nkLoop:
        return EnterLoop(T, P);
    case nkLoopExit:
        return LoopHead(T, P);
    case nkLoopEnd:
        return EndIteration(T, P);
    case nkGroupBegin:
        return BeginGroup(T, P);
    case nkGroupEnd:
        return EndGroup(T, P);
    case nkKeepPattern:
        return KeepPattern(T, P);
    case nkSuspend:
    case nkAheadMatch:
    case nkAheadNoMatch:
    case nkIfMatch:
        return OpenBarrier(T, P);
    case nkBehindMatch:
    case nkBehindNoMatch:
        return OpenLookbehind(T, P);
    case nkMatchEnd:
        return CloseBarrier(T, P);
    case nkEnd:
        return StepEnd(T, P, Success);
    case nkGoSub:
        return Call(T, P);
    case nkDefine:
        return Head(T->FExtendTo);
    case nkFail:
        return nullptr;
    case nkThen:
    case nkPrune:
    case nkCommit:
    case nkSkip:
    case nkMark:
        Verb(T, P);
        return Head(T->FTransitTo);
    case nkAccept:
        return Accept(P, Success);
    default: // codes: nkNormal, nkChar, nkAnchor, nkCallout
        return StepCode(T, P);
    }
}

const TRENFAState* TREMatchEngine::StepCode(const TRENFAState* T, const char16_t*& P) {
    if (T->FKind == nkAnchor)
        return AnchorHolds(T, P) ? Head(T->FTransitTo) : nullptr;
    int len = 0;
    if (!CodeMatches(T, P, len))
        return nullptr;
    P += len;
    return Head(T->FTransitTo);
}

const TRENFAState* TREMatchEngine::StepTrie(const TRENFAState* T, const char16_t*& P) {
    const char16_t* end = FRegExp.FMatchEndP;
    if (P >= end)
        return nullptr;
    TRETrieSearch* trie = T->FCode->TrieSearch();
    trie->ResetMatch();
    if (!trie->IsMatch(P, end))
        return nullptr;
    if (trie->MatchCount() > 0)
        PushEntry({.Kind = TEntryKind::TrieChoice, .A = 1, .T = T, .P = P});
    P += trie->MatchLength();
    return Head(T->FTransitTo);
}

const TRENFAState* TREMatchEngine::EnterLoop(const TRENFAState* T, const char16_t* P) {
    int barrier = -1;
    if (T->FMatchKind == lkPossessive) {
        PushEntry({.Kind = TEntryKind::Barrier, .T = T, .P = P});
        barrier = static_cast<int>(FStack.size()) - 1;
        FBarriers.push_back(barrier);
    }
    SetLoop(T->FLoopIndex, {0, P, false, barrier});
    return Head(T->FTransitTo);
}

const TRENFAState* TREMatchEngine::EndIteration(const TRENFAState* T, const char16_t* P) {
    TLoopState st = FLoops[static_cast<std::size_t>(T->FLoopIndex)];
    ++st.Count;
    st.LastEmpty = P == st.IterStart;
    SetLoop(T->FLoopIndex, st);
    return Head(T->FTransitTo);
}

const TRENFAState* TREMatchEngine::BeginGroup(const TRENFAState* T, const char16_t* P) {
    TGroupState g = GroupState(T->FGroupIndex);
    g.StartPBuf = P;
    if (g.StartP == nullptr)
        g.StartP = P;
    SetGroup(T->FGroupIndex, g);
    return Head(T->FTransitTo);
}

const TRENFAState* TREMatchEngine::EndGroup(const TRENFAState* T, const char16_t* P) {
    if (!FCalls.empty() && FRegExp.FSubStack.back().EndCode == T)
        return Return(P);
    TGroupState g = GroupState(T->FGroupIndex);
    g.StartP = g.StartPBuf;
    g.EndP = P;
    g.Success = g.StartPBuf != nullptr;
    SetGroup(T->FGroupIndex, g);
    return Head(T->FTransitTo);
}

const TRENFAState* TREMatchEngine::KeepPattern(const TRENFAState* T, const char16_t* P) {
    TGroupState g = GroupState(0);
    g.StartP = g.StartPBuf = P;
    SetGroup(0, g);
    return Head(T->FTransitTo);
}

// An atomic, lookahead or condition body begins: its barrier marks where a failure lands.
const TRENFAState* TREMatchEngine::OpenBarrier(const TRENFAState* T, const char16_t* P) {
    PushEntry({.Kind = TEntryKind::Barrier, .T = T, .P = P});
    FBarriers.push_back(static_cast<int>(FStack.size()) - 1);
    return Head(T->FTransitTo);
}

const TRENFAState* TREMatchEngine::OpenLookbehind(const TRENFAState* T, const char16_t*& P) {
    const char16_t* start = nullptr;
    if (!LookbehindStart(T, P, start))
        return T->FKind == nkBehindMatch ? nullptr : Head(Head(T->FExtendTo)->FTransitTo);
    PushEntry({.Kind = TEntryKind::Barrier, .T = T, .P = P, .Q = start});
    FBarriers.push_back(static_cast<int>(FStack.size()) - 1);
    P = start;
    return Head(T->FTransitTo);
}

// The pattern's end: a match, or the return from a call of the whole pattern.
const TRENFAState* TREMatchEngine::StepEnd(const TRENFAState* T, const char16_t* P, bool& Success) {
    if (!FCalls.empty() && FRegExp.FSubStack.back().GroupIndex <= 0 &&
        FRegExp.FSubStack.back().EndCode == T)
        return Return(P);
    return EndMatch(P, Success);
}

bool TREMatchEngine::AnchorHolds(const TRENFAState* T, const char16_t* P) const {
    int len = 0;
    return (T->FImplicitHead && P == FSearchStartP) || T->FCode->IsEqual(P, len);
}

// ---- backtracking verbs -----------------------------------------------------------------------

// The verbs act on the attempt: what they cut is never tried, and where the next attempt
// starts is decided by the skip position (top level only: inside a body they cut that body
// alone).
void TREMatchEngine::Verb(const TRENFAState* T, const char16_t* P) {
    const bool topLevel = FBarriers.empty();
    const int name = T->FGroupIndex;
    switch (T->FKind) {
    case nkThen:
        // The next alternative of the innermost alternation; outside one, as a prune.
        if (T->FExtendTo >= 0)
            CutToAlternative(Head(T->FExtendTo));
        else
            Cut();
        break;
    case nkPrune:
        Cut();
        break;
    case nkCommit:
        // The search ends with this attempt only when a skip is passed as well.
        Cut();
        if (topLevel)
            FSkipP = FRegExp.FMatchEndP;
        break;
    case nkSkip:
        // A named skip cuts nothing yet: a later mark of its name does, and moves the restart.
        if (name == -1)
            Cut();
        else
            FSkipIndex = FLastRegMarkIndex = name;
        if (topLevel) {
            FSkipP = P;
            FHasSkip = true;
        }
        return;
    case nkMark:
        if (name == FSkipIndex) {
            Cut();
            if (topLevel)
                FSkipP = P;
            return;
        }
        break;
    default:
        break;
    }
    if (name != -1)
        FLastRegMarkIndex = name;
}

// ---- single-code loops -----------------------------------------------------------------------

const char16_t* TREMatchEngine::StepBack(const char16_t* p, const char16_t* low) const {
    const char16_t* q = p - 1;
    if (q > low && IsLowSurrogate(*q) && IsHighSurrogate(q[-1]))
        --q;
    return q;
}

// The next position, at or below q, at which the continuation of a one-character loop is
// still worth trying: not below the loop's lowest end, not inside the stretch already known
// to fail (except the loop's own start), and where the continuation's first code matches.
const char16_t* TREMatchEngine::GiveBackCandidate(const TEntry& entry, const char16_t* q) const {
    const char16_t* lowest = entry.Q;
    const char16_t* start = entry.S;
    const char16_t* top = FRegExp.FTextTopP;
    const TRENFAState* exitT = Head(entry.T->FTransitTo);
    const TREMatchExplosionRecord::TStretch* stretch =
        entry.Flag ? FMemo.Record().FindStretch({entry.T->FIndex, entry.Sig}) : nullptr;
    const char16_t* low = nullptr;
    if (stretch != nullptr && top + stretch->High == entry.R)
        low = top + stretch->Low;
    while (q != nullptr && q >= lowest) {
        if (low != nullptr && q >= low && q != start) {
            q = start >= low ? start : (low > lowest ? StepBack(low, lowest) : nullptr);
            continue;
        }
        if (!ContinuationMayMatch(exitT, q)) {
            q = q > lowest ? StepBack(q, lowest) : nullptr;
            continue;
        }
        return q;
    }
    return nullptr;
}

// Every position from the loop's lowest end to its run end has been given back and failed:
// remember the stretch (without the start itself, whose loop signature may differ).
void TREMatchEngine::RecordStretch(const TEntry& entry) {
    if (!entry.Flag)
        return;
    const char16_t* top = FRegExp.FTextTopP;
    const char16_t* low = entry.Q;
    if (low == entry.S) {
        if (low >= entry.R)
            return;
        low += CharUnits(low, FRegExp.FMatchEndP);
    }
    TREMatchExplosionRecord::TKey key{entry.T->FIndex, entry.Sig};
    std::size_t lowOffset = static_cast<std::size_t>(low - top);
    const std::size_t highOffset = static_cast<std::size_t>(entry.R - top);
    auto& record = FMemo.Record();
    if (const auto* old = record.FindStretch(key); old != nullptr && old->High == highOffset)
        lowOffset = std::min(lowOffset, old->Low);
    record.SetStretch(key, {lowOffset, highOffset});
}

const TRENFAState* TREMatchEngine::GiveBackNext(TEntry& entry, const char16_t*& P,
                                                bool& Exhausted) {
    const TRENFAState* T = entry.T;
    if (entry.Kind == TEntryKind::GiveBackList) {
        while (entry.B >= entry.A) {
            const char16_t* q = FPositions[static_cast<std::size_t>(entry.B--)];
            if (ExitFailed(T, q)) // pushes a mark (and moves the stack) when it answers false
                continue;
            P = q;
            return Head(T->FTransitTo);
        }
        FPositions.resize(static_cast<std::size_t>(entry.C));
        Exhausted = true;
        return nullptr;
    }
    for (;;) {
        const char16_t* q = GiveBackCandidate(entry, entry.P);
        if (q == nullptr) {
            RecordStretch(entry);
            Exhausted = true;
            return nullptr;
        }
        entry.P = q > entry.Q ? StepBack(q, entry.Q) : nullptr;
        if (!entry.Flag && ExitFailed(T, q))
            continue;
        P = q;
        return Head(T->FTransitTo);
    }
}

// The first end, from q on, of lazy one-character loop T (count iterations at q) at which its
// continuation is worth trying: one more character is taken while the code matches and the
// maximum allows, passing over the ends where the continuation's first code cannot match.
const char16_t* TREMatchEngine::LazyCandidate(const TRENFAState* T, const char16_t* q, int& count) {
    // An unbounded loop reaches every position of its run: the next place in it where a single
    // unit follows is found by a plain search (the count matters to bounded loops only).
    const int unit = FLazyUnit[static_cast<std::size_t>(T->FIndex)];
    if (unit >= 0) {
        const char16_t* runEnd = CachedRunEnd(T, q, q);
        const char16_t* last = runEnd < FRegExp.FMatchEndP ? runEnd + 1 : runEnd;
        return std::char_traits<char16_t>::find(q, static_cast<std::size_t>(last - q),
                                                static_cast<char16_t>(unit));
    }
    const TRENFAState* exitT = Head(T->FTransitTo);
    const bool unbounded = T->FMax >= kNFAUnbounded;
    int len = 0;
    for (;;) {
        if (ContinuationMayMatch(exitT, q))
            return q;
        if ((!unbounded && count >= T->FMax) || (len = OneCharAt(T, q)) == 0)
            return nullptr;
        q += len;
        ++count;
    }
}

const TRENFAState* TREMatchEngine::TakeMoreNext(TEntry& entry, const char16_t*& P,
                                                bool& Exhausted) {
    const TRENFAState* T = entry.T;
    for (;;) {
        int len = 0;
        if ((T->FMax < kNFAUnbounded && entry.A >= T->FMax) || (len = OneCharAt(T, entry.P)) == 0) {
            Exhausted = true;
            return nullptr;
        }
        int count = entry.A + 1;
        const char16_t* q = LazyCandidate(T, entry.P + len, count);
        if (q == nullptr) {
            Exhausted = true;
            return nullptr;
        }
        entry.P = q;
        entry.A = count;
        if (ExitFailed(T, q)) // pushes a mark (and moves the stack) when it answers false
            continue;
        P = q;
        return Head(T->FTransitTo);
    }
}

// Whether the continuation that starts with exitT may start at q: false only when exitT is the
// one way on and its code cannot match there.
// The continuation is the one way on: its zero-width anchors must hold at q and its first
// consuming code (or a loop's, when the loop must run) must match there.
bool TREMatchEngine::ContinuationMayMatch(const TRENFAState* exitT, const char16_t* q) const {
    for (const TRENFAState* T = exitT; T != nullptr && T->FNext == nullptr;) {
        T = FPastBrackets[static_cast<std::size_t>(T->FIndex)];
        if (T->FNext != nullptr || FReadsCaptures[static_cast<std::size_t>(T->FIndex)])
            return true;
        int len = 0;
        switch (T->FKind) {
        case nkAnchor:
            if (!AnchorHolds(T, q))
                return false;
            T = Head(T->FTransitTo);
            break;
        case nkChar:
        case nkNormal:
            return CodeMatches(T, q, len);
        case nkPlus:
        case nkBound:
            return T->FMin == 0 || (q < FRegExp.FMatchEndP && T->FCode->IsEqual(q, len));
        default:
            return true;
        }
    }
    return true;
}

// The transition reached from T past the group brackets that are the one way on, when no
// code up to it reads a capture (which the brackets passed over would change): without calls
// a group end is no return, and brackets take no character.
const TRENFAState* TREMatchEngine::PastBrackets(const TRENFAState* T) const {
    if (FProgram.FHasGoSub)
        return T;
    const TRENFAState* next = T;
    while (next != nullptr && next->FNext == nullptr &&
           (next->FKind == nkGroupBegin || next->FKind == nkGroupEnd))
        next = Head(next->FTransitTo);
    return next != nullptr && !FReadsCaptures[static_cast<std::size_t>(next->FIndex)] ? next : T;
}

// Whether the continuation after single-code loop T already failed from q; when not known,
// a mark is pushed that records it should it fail now.
bool TREMatchEngine::ExitFailed(const TRENFAState* T, const char16_t* q) {
    return T->FMemo && T != FTopRunLoop && MemoFailed(T, -1, false, q);
}

const TRENFAState* TREMatchEngine::SingleLoop(const TRENFAState* T, const char16_t*& P) {
    if (FOneChar[static_cast<std::size_t>(T->FIndex)])
        return OneCharLoop(T, P);
    return ListLoop(T, P);
}

const TRENFAState* TREMatchEngine::OneCharLoop(const TRENFAState* T, const char16_t*& P) {
    const int min = T->FMin;
    const char16_t* start = P;
    int taken = 0;
    const char16_t* lowest = TakeChars(T, P, min, taken);
    if (taken < min)
        return nullptr;
    if (T->FMatchKind == lkReluctant)
        return LazyOneCharLoop(T, lowest, P);
    const char16_t* runEnd = lowest;
    if (T->FMax >= kNFAUnbounded) {
        // The run of a one-character code ends at the same place from every position
        // inside it: a loop entered again inside a known run does not scan it again.
        runEnd = CachedRunEnd(T, start, lowest); // the mandatory part matched from start
    } else {
        runEnd = TakeChars(T, lowest, T->FMax - min, taken);
    }
    if (T->FMatchKind == lkPossessive) {
        P = runEnd;
        return Head(T->FTransitTo);
    }
    return StartGiveBack(T, lowest, runEnd, P);
}

const TRENFAState* TREMatchEngine::LazyOneCharLoop(const TRENFAState* T, const char16_t* lowest,
                                                   const char16_t*& P) {
    int count = T->FMin;
    const char16_t* q = LazyCandidate(T, lowest, count);
    if (q == nullptr)
        return nullptr;
    PushEntry({.Kind = TEntryKind::TakeMore, .A = count, .T = T, .P = q});
    if (ExitFailed(T, q))
        return nullptr; // on with one more character
    P = q;
    return Head(T->FTransitTo);
}

// A greedy one-character loop that ran from P to runEnd: the continuation is tried at the
// longest end where it may start, and the shorter ones down to lowest are kept to give back.
const TRENFAState* TREMatchEngine::StartGiveBack(const TRENFAState* T, const char16_t* lowest,
                                                 const char16_t* runEnd, const char16_t*& P) {
    const char16_t* start = P;
    TEntry entry{.Kind = TEntryKind::GiveBack, .T = T, .Q = lowest, .R = runEnd, .S = start};
    if (FMemo.Active() && !FProgram.FMemoCaptures && T->FMemo && T != FTopRunLoop)
        entry.Flag = Signature(T->FLoopChain, start, -1, false, true, entry.Sig);
    const char16_t* q = GiveBackCandidate(entry, runEnd);
    if (q == nullptr) {
        RecordStretch(entry);
        return nullptr;
    }
    entry.P = q > lowest ? StepBack(q, lowest) : nullptr;
    PushEntry(entry);
    if (!entry.Flag && ExitFailed(T, q))
        return nullptr; // on with the give-back
    P = q;
    return Head(T->FTransitTo);
}

// Any other code: keep the end of every iteration beyond the minimum.
const TRENFAState* TREMatchEngine::ListLoop(const TRENFAState* T, const char16_t*& P) {
    TRECode* code = T->FCode;
    const char16_t* end = FRegExp.FMatchEndP;
    const int min = T->FMin;
    const bool unbounded = T->FMax >= kNFAUnbounded;
    const int max = T->FMax;
    const TRENFAState* exitT = Head(T->FTransitTo);
    int len = 0;
    const std::size_t base = FPositions.size();
    FPositions.push_back(P);
    const char16_t* q = P;
    int count = 0;
    bool emptyMatch = false;
    while ((unbounded || count < max) && q < end && code->IsEqual(q, len)) {
        ++count;
        if (len == 0) {
            emptyMatch = true; // stands for every remaining repetition
            break;
        }
        q += len;
        FPositions.push_back(q);
    }
    if (count < min && !emptyMatch) {
        FPositions.resize(base);
        return nullptr;
    }
    P = FPositions.back();
    const std::size_t last = FPositions.size() - 1;
    const std::size_t first = base + static_cast<std::size_t>(std::min(min, count));
    if (T->FMatchKind == lkPossessive || first >= last) {
        FPositions.resize(base);
        return exitT;
    }
    PushEntry({.Kind = TEntryKind::GiveBackList,
               .A = static_cast<int>(first),
               .B = static_cast<int>(last) - 1,
               .C = static_cast<int>(base),
               .T = T});
    return ExitFailed(T, P) ? nullptr : exitT;
}

// ---- general loops ---------------------------------------------------------------------------

bool TREMatchEngine::Signature(int chain, const char16_t* P, int ownLoop, bool ownLastEmpty,
                               bool countsOnly, std::uint64_t& sig) const {
    sig = 0;
    int bits = 0;
    for (int link = chain; link >= 0;
         link = FProgram.FLoopChains[static_cast<std::size_t>(link)].Parent) {
        const int loop = FProgram.FLoopChains[static_cast<std::size_t>(link)].LoopIndex;
        const TRENFAState* loopT = FProgram.FLoops[static_cast<std::size_t>(loop)];
        const TLoopState& st = FLoops[static_cast<std::size_t>(loop)];
        // Beyond its minimum an unbounded loop behaves the same whatever its count.
        const int cap = loopT->FMax >= kNFAUnbounded ? loopT->FMin : loopT->FMax;
        const int width = static_cast<int>(std::bit_width(static_cast<unsigned>(cap))) + 1;
        bits += width;
        if (bits > 64)
            return false;
        const std::uint64_t count = static_cast<std::uint64_t>(std::min(st.Count, cap));
        const bool empty = countsOnly ? false : loop == ownLoop ? ownLastEmpty : st.IterStart == P;
        sig = (sig << width) | (count << 1) | (empty ? 1u : 0u);
    }
    return true;
}

// Whether (X, P) with the current loop counters (and captures, when they matter) is known to
// fail; otherwise a mark goes on the stack that records the failure when it is popped.
bool TREMatchEngine::MemoFailed(const TRENFAState* X, int ownLoop, bool ownLastEmpty,
                                const char16_t* P) {
    std::uint64_t sig = 0;
    if (!FMemo.Active() || !Signature(X->FLoopChain, P, ownLoop, ownLastEmpty, false, sig))
        return false;
    if (FMemo.Failed(X, sig, P))
        return true;
    PushEntry({.Kind = TEntryKind::MemoMark, .T = X, .P = P, .Sig = sig});
    return false;
}

// Arrival at a general loop's head state, from its entry or from the end of an iteration.
const TRENFAState* TREMatchEngine::LoopHead(const TRENFAState* X, const char16_t* P) {
    const TLoopState& st = FLoops[static_cast<std::size_t>(X->FLoopIndex)];
    if (X->FMemo && MemoFailed(X, X->FLoopIndex, st.LastEmpty, P))
        return nullptr;
    const bool unbounded = X->FMax >= kNFAUnbounded;
    if (st.Count < X->FMin)
        return EnterBody(X, P);
    // An iteration that consumed nothing ends the loop.
    if ((!unbounded && st.Count >= X->FMax) || (st.Count > 0 && st.LastEmpty))
        return TakeExit(X);
    if (X->FMatchKind == lkReluctant || X->FMatchKind == lkSimpleReluctant) {
        // The exit would fail at once where the code after the loop cannot match.
        if (X->FMatchKind == lkSimpleReluctant && !ContinuationMayMatch(Head(X->FTransitTo), P))
            return EnterBody(X, P);
        PushEntry({.Kind = TEntryKind::LoopBody, .T = X, .P = P});
        return TakeExit(X);
    }
    PushEntry({.Kind = TEntryKind::LoopExit, .T = X, .P = P});
    return EnterBody(X, P);
}

const TRENFAState* TREMatchEngine::EnterBody(const TRENFAState* X, const char16_t* P) {
    TLoopState st = FLoops[static_cast<std::size_t>(X->FLoopIndex)];
    st.IterStart = P;
    SetLoop(X->FLoopIndex, st);
    return X->FNext;
}

const TRENFAState* TREMatchEngine::TakeExit(const TRENFAState* X) {
    TLoopState st = FLoops[static_cast<std::size_t>(X->FLoopIndex)];
    if (X->FMatchKind == lkPossessive && st.Barrier >= 0 && InnermostBarrier() == st.Barrier) {
        CutAbove(st.Barrier, true);
        st.Barrier = -1;
        SetLoop(X->FLoopIndex, st);
    }
    return Head(X->FTransitTo);
}

// ---- bodies: atomic groups, lookaround, conditions --------------------------------------------

int TREMatchEngine::CharsBetween(const char16_t* from, const char16_t* to) const {
    int n = 0;
    while (from < to) {
        from += CharUnits(from, to);
        ++n;
    }
    return n;
}

bool TREMatchEngine::LookbehindStart(const TRENFAState* T, const char16_t* P,
                                     const char16_t*& start) const {
    const char16_t* top = FRegExp.FMatchTopP;
    const int max = T->FMax;
    const char16_t* q = P;
    int d = 0;
    while (q > top && (max < 0 || d < max)) {
        q = StepBack(q, top);
        ++d;
    }
    if (d < T->FMin)
        return false;
    start = q;
    return true;
}

const TRENFAState* TREMatchEngine::CloseBarrier(const TRENFAState* T, const char16_t*& P) {
    const int b = InnermostBarrier();
    if (b < 0 || Head(FStack[static_cast<std::size_t>(b)].T->FExtendTo) != T)
        return Head(T->FTransitTo); // the end of the definitions, reached past a call
    const TEntry barrier = FStack[static_cast<std::size_t>(b)];
    const TRENFAState* opener = barrier.T;
    switch (opener->FKind) {
    case nkSuspend:
        CutAbove(b, true);
        return Head(T->FTransitTo);
    case nkAheadMatch:
        CutAbove(b, true);
        P = barrier.P;
        return Head(T->FTransitTo);
    case nkAheadNoMatch:
        CutAbove(b, true);
        return nullptr;
    case nkBehindMatch:
        if (P != barrier.P)
            return nullptr;
        CutAbove(b, true);
        return Head(T->FTransitTo);
    case nkBehindNoMatch:
        if (P != barrier.P)
            return nullptr;
        CutAbove(b, true);
        return nullptr;
    case nkIfMatch:
        // The condition holds: on with the yes branch, which follows the end in k's chain.
        CutAbove(b, true);
        P = barrier.P;
        return Head(T->FNext->FTransitTo);
    default:
        return Head(T->FTransitTo);
    }
}

// A body ran out of alternatives.
const TRENFAState* TREMatchEngine::BarrierFailed(TEntry& entry, const char16_t*& P, bool& Resume) {
    const TRENFAState* opener = entry.T;
    Resume = false;
    switch (opener->FKind) {
    case nkAheadNoMatch:
        Resume = true;
        P = entry.P;
        return Head(Head(opener->FExtendTo)->FTransitTo);
    case nkBehindMatch:
    case nkBehindNoMatch: {
        const char16_t* next = entry.Q + CharUnits(entry.Q, entry.P);
        if (next <= entry.P && CharsBetween(next, entry.P) >= opener->FMin) {
            entry.Q = next;
            PushEntry(entry);
            FBarriers.push_back(static_cast<int>(FStack.size()) - 1);
            Resume = true;
            P = next;
            return Head(opener->FTransitTo);
        }
        if (opener->FKind == nkBehindMatch)
            return nullptr;
        Resume = true;
        P = entry.P;
        return Head(Head(opener->FExtendTo)->FTransitTo);
    }
    case nkIfMatch: {
        // The condition failed: on with the no branch (or past the conditional).
        Resume = true;
        P = entry.P;
        const TRENFAState* yes = Head(opener->FExtendTo)->FNext;
        return Head(yes->FNext->FTransitTo);
    }
    default: // atomic groups, positive lookahead, possessive loops: the failure goes on
        return nullptr;
    }
}

// ---- subroutine calls, accept ------------------------------------------------------------------

const TRENFAState* TREMatchEngine::Call(const TRENFAState* T, const char16_t* P) {
    auto& groups = FRegExp.FGroups;
    const int n = T->FGroupIndex;
    if (n >= groups.Count())
        return nullptr;
    // A call that would repeat an active call at the same position could never end.
    auto& calls = FRegExp.FSubStack;
    for (std::size_t i = FCalls.size(); i-- > 0 && FCalls[i].EntryP == P;)
        if (calls[i].GroupIndex == n || (calls[i].GroupIndex <= 0 && n <= 0))
            return nullptr;
    const TRENFAState* endCode = nullptr;
    const TRENFAState* start = nullptr;
    if (n > 0) {
        const TGroup& group = groups.At(n);
        endCode = group.FGroupEnd;
        start = group.FGroupBegin != nullptr ? Head(group.FGroupBegin->FTransitTo) : nullptr;
    } else {
        endCode = Head(FProgram.FExitState);
        start = Head(FProgram.FEntryState);
    }
    if (endCode == nullptr || start == nullptr)
        return nullptr;
    const std::size_t snapshot = FSnapshots.size();
    const std::size_t loopSnapshot = FLoopSnapshots.size();
    for (int i = 0; i < groups.Count(); ++i)
        FSnapshots.push_back(GroupState(i));
    FLoopSnapshots.insert(FLoopSnapshots.end(), FLoops.begin(), FLoops.end());
    FCalls.push_back({P, snapshot, loopSnapshot});
    calls.push_back({n, endCode, Head(T->FTransitTo)});
    PushEntry({.Kind = TEntryKind::UndoCall, .Flag = true});
    return start;
}

// The innermost call ends at P: its captures and loop counters are dropped, and matching goes
// on after the call.
const TRENFAState* TREMatchEngine::Return(const char16_t*) {
    const TREGoSubFrame frame = FRegExp.FSubStack.back();
    const TCallInfo info = FCalls.back();
    for (int i = 0; i < FRegExp.FGroups.Count(); ++i)
        SetGroup(i, FSnapshots[info.Snapshot + static_cast<std::size_t>(i)]);
    for (std::size_t i = 0; i < FLoops.size(); ++i) {
        TLoopState saved = FLoopSnapshots[info.LoopSnapshot + i];
        SetLoop(static_cast<int>(i), saved);
    }
    FCalls.pop_back();
    FRegExp.FSubStack.pop_back();
    PushEntry({.Kind = TEntryKind::UndoCall,
               .Flag = false,
               .A = frame.GroupIndex,
               .B = static_cast<int>(info.LoopSnapshot),
               .T = frame.EndCode,
               .U = frame.NextCode,
               .P = info.EntryP,
               .Sig = info.Snapshot});
    return frame.NextCode;
}

// "(*ACCEPT)": the open groups end here, and so does the innermost call, the innermost
// lookaround or condition test (as a match of its body: group 0 goes on), or else the match
// (from inside atomic groups and possessive loops too).
const TRENFAState* TREMatchEngine::Accept(const char16_t*& P, bool& Success) {
    auto& groups = FRegExp.FGroups;
    for (int i = 1; i < groups.Count(); ++i) {
        TGroupState g = GroupState(i);
        if (g.StartPBuf != nullptr &&
            (!g.Success || g.StartP != g.StartPBuf || g.EndP < g.StartPBuf)) {
            g.StartP = g.StartPBuf;
            g.EndP = P;
            g.Success = true;
            SetGroup(i, g);
        }
    }
    if (!FCalls.empty())
        return Return(P);
    for (auto it = FBarriers.rbegin(); it != FBarriers.rend(); ++it) {
        const int b = *it;
        const TRENFAState* opener = FStack[static_cast<std::size_t>(b)].T;
        if (opener->FKind != nkSuspend && opener->FKind != nkLoop) {
            CutAbove(b, false); // the bodies opened inside this one end with it
            return CloseBarrier(Head(opener->FExtendTo), P);
        }
    }
    return EndMatch(P, Success);
}

// Group 0 ends at P: the attempt has matched.
const TRENFAState* TREMatchEngine::EndMatch(const char16_t* P, bool& Success) {
    // The attempt ends here, so nothing will undo this (and every attempt resets group 0).
    TGroup& whole = FRegExp.FGroups.At(0);
    whole.FStartP = whole.FStartPBuf;
    whole.FEndP = P;
    whole.FSuccess = true;
    Success = true;
    return nullptr;
}

} // namespace zel
