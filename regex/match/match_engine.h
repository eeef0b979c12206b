#pragma once
// TREMatchEngine runs a compiled NFA over its owner's subject window: a backtracking matcher
// that follows one transition at a time and keeps every untried alternative on one explicit
// stack, so neither a deep pattern nor a long subject deepens the C++ stack. Alternatives are
// tried in the priority order of each state's chain: the first match found is the leftmost,
// and among those starting there the one the priorities prefer.
//
// The stack holds resume points (alternatives, loop give-backs, lookaround and atomic bodies)
// and undo records of the captures, loop counters and calls changed since, so backtracking
// restores exactly the state of the resume point; finishing an atomic or lookaround body cuts
// the resume points it left while keeping their undo records.
//
// A search may use the match-explosion record (TREMatchExplosionRecord) when the pattern
// allows it: loop heads and single-code loops remember where they failed, which keeps nested
// loops such as "(a*)*b" polynomial in the subject.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "regex/match/anchor_choice.h"
#include "regex/match/failure_memo.h"
#include "regex/match/lead_search.h"
#include "regex/match/nfa.h"
#include "regex/match/unit_map.h"
#include "regex/search/unit_scan.h"

namespace zel {

class TREOwner;
class TGroup;

class TREMatchEngine {
public:
    TREMatchEngine(TREOwner& ARegExp, const TRENFAProgram& AProgram);

    // Called after every compile: chooses the search strategy.
    void Optimize();
    // Searches the owner's window from AStr for the leftmost match; on success group 0 holds
    // it.
    bool Match(const char16_t* AStr);
    // One match attempt at exactly P (what every strategy calls).
    bool Attempt(const char16_t* P);

    TRELeadCharMode LeadCharMode() const { return FLeadCharMode; }
    // With acceleration off every position is tried (lcmNone): the results must not differ,
    // which the matching tables check both ways.
    bool Acceleration() const { return FAcceleration; }
    void SetAcceleration(bool Value);
    // Steps one attempt may take (0: no limit); beyond them the search raises
    // EZelRegExpRuntime.
    std::uint64_t StepLimit() const { return FStepLimit; }
    void SetStepLimit(std::uint64_t Value) { FStepLimit = Value; }
    // Verb names met by the last search (indexes into the owner's FVerbNames, -1 none).
    int LastRegMarkIndex() const { return FLastRegMarkIndex; }
    int LastRegErrorIndex() const { return FLastRegErrorIndex; }
    // Where the next attempt may start after a failed one (a skip verb), nullptr when anywhere.
    const char16_t* SkipP() const { return FSkipP; }

private:
    enum class TEntryKind : std::uint8_t {
        Choice,       // try transition T at P
        TrieChoice,   // the next alternative (A) of a trie at P
        GiveBack,     // a single-code loop of one character per iteration gives back
        GiveBackList, // a single-code loop gives back positions kept in FPositions
        TakeMore,     // a lazy one-character loop ended at P after A iterations takes one more
        LoopExit,     // leave general loop (T = its exit transition) at P
        LoopBody,     // enter general loop's body at P (lazy loops)
        Barrier,      // an atomic, lookaround, condition or possessive-loop body runs
        MemoMark,     // everything above failed: record (T, P, Sig)
        UndoGroup,
        UndoLoop,
        UndoCall, // A: 1 = a call was made (undo: forget it), 0 = a call returned
    };
    struct TEntry {
        TEntryKind Kind;
        bool Flag = false;
        int A = 0;
        int B = 0;
        int C = 0;
        const TRENFAState* T = nullptr;
        const TRENFAState* U = nullptr;
        const char16_t* P = nullptr;
        const char16_t* Q = nullptr;
        const char16_t* R = nullptr;
        const char16_t* S = nullptr;
        std::uint64_t Sig = 0;
    };
    struct TLoopState {
        int Count = 0;
        const char16_t* IterStart = nullptr;
        bool LastEmpty = false;
        int Barrier = -1;        // stack index of a possessive loop's barrier
        std::uint64_t Epoch = 0; // of its last undo record
    };
    struct TGroupState {
        const char16_t* StartP;
        const char16_t* StartPBuf;
        const char16_t* EndP;
        bool Success;
    };
    struct TCallInfo {
        const char16_t* EntryP;
        std::size_t Snapshot; // offset in FSnapshots (groups) and FLoopSnapshots
        std::size_t LoopSnapshot;
    };
    struct TRunCache {
        const char16_t* Start = nullptr;
        const char16_t* End = nullptr;
    };

    const TRENFAState* Head(int state) const { return FProgram.Head(state); }
    const TRENFAState* Step(const TRENFAState* T, const char16_t*& P, bool& Success);
    const TRENFAState* StepCode(const TRENFAState* T, const char16_t*& P);
    const TRENFAState* StepTrie(const TRENFAState* T, const char16_t*& P);
    const TRENFAState* EnterLoop(const TRENFAState* T, const char16_t* P);
    const TRENFAState* EndIteration(const TRENFAState* T, const char16_t* P);
    const TRENFAState* BeginGroup(const TRENFAState* T, const char16_t* P);
    const TRENFAState* EndGroup(const TRENFAState* T, const char16_t* P);
    const TRENFAState* KeepPattern(const TRENFAState* T, const char16_t* P);
    const TRENFAState* OpenBarrier(const TRENFAState* T, const char16_t* P);
    const TRENFAState* OpenLookbehind(const TRENFAState* T, const char16_t*& P);
    const TRENFAState* StepEnd(const TRENFAState* T, const char16_t* P, bool& Success);
    bool Backtrack(const TRENFAState*& T, const char16_t*& P);
    void PopUndoGroup(const TEntry& e);
    void PopUndoLoop(const TEntry& e);
    void PopUndoCall(const TEntry& e);
    bool NextTrieChoice(TEntry& e, const TRENFAState*& T, const char16_t*& P);
    bool NextRunEnd(TEntry& e, const TRENFAState*& T, const char16_t*& P);
    void ResumeLoop(const TEntry& e, const TRENFAState*& T, const char16_t*& P);
    bool PopBarrier(const TRENFAState*& T, const char16_t*& P);
    std::uint64_t NextStepMark(const char16_t* P0) const;
    void StepMarkReached(const char16_t* P0);

    void PushEntry(TEntry entry);
    void PushChoice(const TRENFAState* A, const char16_t* P);
    bool CodeMatches(const TRENFAState* T, const char16_t* P, int& Len) const;
    void CutAbove(int index, bool removeIt);
    int InnermostBarrier() const { return FBarriers.empty() ? -1 : FBarriers.back(); }

    void SetGroup(int index, const TGroupState& value);
    TGroupState GroupState(int index) const;
    void SetLoop(int index, const TLoopState& value);
    void KeepFailedCapture(int index);
    void RestoreFailedCaptures();

    const TRENFAState* SingleLoop(const TRENFAState* T, const char16_t*& P);
    const TRENFAState* OneCharLoop(const TRENFAState* T, const char16_t*& P);
    const TRENFAState* LazyOneCharLoop(const TRENFAState* T, const char16_t* lowest,
                                       const char16_t*& P);
    const TRENFAState* StartGiveBack(const TRENFAState* T, const char16_t* lowest,
                                     const char16_t* runEnd, const char16_t*& P);
    const TRENFAState* ListLoop(const TRENFAState* T, const char16_t*& P);
    const TRENFAState* GiveBackNext(TEntry& entry, const char16_t*& P, bool& Exhausted);
    bool ContinuationMayMatch(const TRENFAState* exitT, const char16_t* q) const;
    const TRENFAState* PastBrackets(const TRENFAState* T) const;
    const char16_t* LazyCandidate(const TRENFAState* T, const char16_t* q, int& count);
    const TRENFAState* TakeMoreNext(TEntry& entry, const char16_t*& P, bool& Exhausted);
    bool ExitFailed(const TRENFAState* T, const char16_t* q);
    bool MemoFailed(const TRENFAState* X, int ownLoop, bool ownLastEmpty, const char16_t* P);
    const TRENFAState* LoopHead(const TRENFAState* X, const char16_t* P);
    const TRENFAState* EnterBody(const TRENFAState* X, const char16_t* P);
    const TRENFAState* TakeExit(const TRENFAState* X);
    const TRENFAState* CloseBarrier(const TRENFAState* T, const char16_t*& P);
    const TRENFAState* BarrierFailed(TEntry& entry, const char16_t*& P, bool& Resume);
    const TRENFAState* Call(const TRENFAState* T, const char16_t* P);
    const TRENFAState* Return(const char16_t* P);
    const TRENFAState* Accept(const char16_t*& P, bool& Success);
    const TRENFAState* EndMatch(const char16_t* P, bool& Success);
    void Cut();
    void CutToAlternative(const TRENFAState* chain);
    void Verb(const TRENFAState* T, const char16_t* P);

    void ChooseLeadMode();
    TRELeadCharMode HeadMode() const;
    std::u16string UnconsumedLineBreaks() const;
    const TRENFAState* WholeLiteral() const;
    bool MatchWhole(const char16_t* AStr, const char16_t* end);
    const char16_t* NextLineStart(const char16_t* P, const char16_t* end) const;
    void ResetAttempt(const char16_t* P0);
    const TRENFAState* LeadingRunLoop();
    bool AnchorHolds(const TRENFAState* T, const char16_t* P) const;
    bool RunLongEnough(const char16_t* P);
    const char16_t* NextStart(const char16_t* P, const char16_t* end);
    const char16_t* RunOf(const TRENFAState* T, const char16_t* p);
    const char16_t* RunWithin(const TRENFAState* T, const char16_t* p, const char16_t* limit) const;
    void CountAsked(std::size_t index, std::size_t units);
    const char16_t* LineEnd(const char16_t* p, const char16_t* end) const;
    int OneCharAt(const TRENFAState* T, const char16_t* p);
    const char16_t* TakeChars(const TRENFAState* T, const char16_t* p, int n, int& taken);
    const char16_t* CachedRunEnd(const TRENFAState* T, const char16_t* from, const char16_t* p);
    bool MatchAtStarts(const char16_t* AStr, const char16_t* end);
    bool MatchAtAnchors(const char16_t* AStr, const char16_t* end);
    bool MatchBehindAnchor(const char16_t* AStr, const char16_t* end);
    // Whether an attempt at P is worth making: some lead code matches there (every position
    // when there are none).
    bool IsLeadMatch(const char16_t* P) const {
        return FLeadSearch.Empty() || FLeadSearch.Accepts(P);
    }
    const char16_t* RunStartBefore(const char16_t* hit, const char16_t* low) const;
    const char16_t* GiveBackCandidate(const TEntry& entry, const char16_t* q) const;
    void RecordStretch(const TEntry& entry);
    const char16_t* StepBack(const char16_t* p, const char16_t* low) const;
    bool Signature(int chain, const char16_t* P, int ownLoop, bool ownLastEmpty, bool countsOnly,
                   std::uint64_t& sig) const;
    bool LookbehindStart(const TRENFAState* T, const char16_t* P, const char16_t*& start) const;
    int CharsBetween(const char16_t* from, const char16_t* to) const;

    TREOwner& FRegExp;
    const TRENFAProgram& FProgram;
    TREFailureMemo FMemo{FRegExp, FProgram};

    std::vector<TEntry> FStack;
    std::vector<int> FBarriers;
    std::vector<TLoopState> FLoops;
    std::vector<std::uint64_t> FGroupEpochs;
    // The groups and loops the current attempt changed (each once), to be reset after it.
    std::vector<int> FTouchedGroups;
    std::vector<int> FTouchedLoops;
    std::vector<bool> FGroupTouched;
    std::vector<bool> FLoopTouched;
    std::vector<TGroupState> FSnapshots;
    std::vector<TLoopState> FLoopSnapshots;
    std::vector<TCallInfo> FCalls;
    std::vector<std::pair<int, TGroupState>> FFailedCaptures; // see KeepFailedCapture
    std::vector<const char16_t*> FPositions;
    std::vector<TRunCache> FRunCache;
    std::vector<std::unique_ptr<TREUnitMap>> FRunMaps; // by transition: one-character loops
    std::vector<std::size_t> FRunUnits; // by transition: units its code was asked about
    std::vector<bool> FOneChar; // by transition: a single-code loop over one character a time
    // From this many characters on, TakeChars scans for the end of the run first.
    static constexpr int kScannedChars = 16;
    // By transition: a one-character loop of ".", which the engine tests itself.
    enum class TDot : std::uint8_t { None, AnyChar, All };
    std::vector<TDot> FDots;
    // By transition: where ContinuationMayMatch looks (see PastBrackets), and whether its code
    // reads the captures (a reference, a group condition, a callout).
    std::vector<const TRENFAState*> FPastBrackets;
    std::vector<bool> FReadsCaptures;
    // By transition: the one unit that must follow an unbounded lazy one-character loop, -1.
    std::vector<int> FLazyUnit;
    std::uint64_t FEpoch = 1;
    // Steps of the search (one per transition taken or resume point popped), at the start of
    // the current attempt, and the count at which StepMarkReached must look.
    std::uint64_t FSteps = 0;
    std::uint64_t FAttemptSteps = 0;
    std::uint64_t FStepMark = 0;
    std::uint64_t FStepLimit = 0;

    TRELeadCharMode FLeadCharMode = lcmNone;
    TRELeadSearch FLeadSearch;
    TREAnchorChoice FAnchor;
    TRERequiredLiterals FRequired; // checked before searches that do not look for them anyway
    const TRENFAState* FRunLoop = nullptr; // the leading loop whose runs are skipped
    // FRunLoop outside every general loop: its ends are tried once per search (one run per
    // attempt), so remembering their failures would cost without ever paying off.
    const TRENFAState* FTopRunLoop = nullptr;
    std::vector<const TRENFAState*> FRunGuards;
    bool FRunAnchor = false;    // the anchor literal is what follows FTopRunLoop
    std::u16string FLineBreaks; // units no match holds (with a variable anchor)
    TUnitSet FLineBreakStarts;  // units a line break may start with (lcmLineTop)
    bool FAcceleration = true;
    const char16_t* FSearchStartP = nullptr;
    const char16_t* FSkipP = nullptr;
    bool FHasSkip = false; // a skip verb was passed in this attempt
    int FSkipIndex = -1;   // verb name of the pending named skip, -1 none
    int FLastRegMarkIndex = -1;
    int FLastRegErrorIndex = -1;
};

} // namespace zel
