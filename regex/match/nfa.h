#pragma once
// The NFA a pattern compiles to. A state is an index into FStateList; its entry is the first
// of a chain of transitions (TRENFAState, linked by FNext) in priority order. TRENFA builds
// the states from the parser's syntax tree, measures the lengths of the pattern and of every
// capture group, numbers the top-level alternatives and gathers the optimisation records from
// which the search acceleration can choose its strategy.
//
// The tree is walked with an explicit work stack: a deeply nested pattern does not deepen the
// C++ stack.
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "regex/compile/bin_code.h"
#include "regex/compile/groups.h"

namespace zel {

class TREOwner;

enum TRENFAKind : std::uint8_t {
    nkNormal, // a code that may consume nothing (a back-reference)
    nkChar,   // a code that consumes at least one character
    nkEmpty,  // nothing to do
    nkStar,   // single-code loops
    nkPlus,
    nkBound,
    nkQuest,    // (never built: "?" is a general loop)
    nkLoop,     // entry of a general loop
    nkLoopExit, // head of the loop's head state: leaving the loop
    nkLoopEnd,  // end of one iteration
    nkGroupBegin,
    nkGroupEnd,
    nkKeepPattern, // "\K"
    nkSuspend,     // atomic group
    nkMatchEnd,    // end of an atomic, lookaround or condition body
    nkEnd,         // the exit
    nkGoSub,
    nkAheadMatch,
    nkAheadNoMatch,
    nkBehindMatch,
    nkBehindNoMatch,
    nkIfMatch,
    nkIfThen,
    nkCallout,
    nkDefine,
    nkFail,
    nkPrune,
    nkSkip,
    nkMark,
    nkThen,
    nkCommit,
    nkAccept,
    nkTrie,   // an alternation of literals
    nkAnchor, // a zero-width code
};

inline constexpr int kNFAUnbounded = 32767;

class TRENFAState {
public:
    TRENFAKind FKind = nkEmpty;
    TRECode* FCode = nullptr;     // not owned
    int FTransitTo = -1;          // target state; -1 for nkEnd
    TRENFAState* FNext = nullptr; // next, lower-priority transition of the same source state
    int FGroupIndex = 0;          // innermost enclosing group; group, call or verb-name index
    int FMin = 0;
    int FMax = 0; // kNFAUnbounded: no upper bound
    TRELoopKind FMatchKind = lkNone;
    int FExtendTo = -1; // related state (body end, condition, loop entry), -1 none
    int FLoopIndex = -1;
    int FBranchIndex = 0; // top-level alternative, 0 outside alternations
    // Engine helpers: the transition's number, the general loops around it (an index into
    // TRENFAProgram::FLoopChains, -1 for none) and whether it is the implicit line-head anchor
    // of a leading ".*" (which also holds at the start of the search).
    int FIndex = 0;
    int FLoopChain = -1;
    bool FImplicitHead = false;
    // Whether a failure of what follows this transition may be recorded and skipped later:
    // not inside a lookbehind body (whose end must meet a given position), and not where a
    // verb other than ACCEPT, or a callout, can follow (it may have cut the attempt or run
    // outside code).
    bool FMemo = true;
};

enum TREOptimizeDataKind : std::uint8_t {
    odkNormal,
    odkExist,
    odkLead,
    odkTail,
    odkLineHead,
    odkLineTail,
    odkTextHead,
    odkTextTail,
};

// A transition that every match passes through, at a distance (in characters) from the match
// start. A lead record without a transition says the pattern can start with an empty match.
struct TREOptimizeData {
    const TRENFAState* State = nullptr;
    TRETextPosRec Offset;
    TREOptimizeDataKind Kind = odkNormal;
    TRECode* Code() const { return State != nullptr ? State->FCode : nullptr; }
};

// One link of a chain of enclosing general loops (innermost first).
struct TRELoopChainLink {
    int LoopIndex;
    int Parent; // -1 at the outermost loop
};

// Everything the NFA builder makes; owned by the public object, read by the matcher.
class TRENFAProgram {
public:
    std::vector<std::unique_ptr<TRENFAState>> FTransitions; // owns every transition
    std::vector<TRENFAState*> FStateList;                   // head of each state's chain
    int FEntryState = -1;
    int FExitState = -1;
    std::vector<const TRENFAState*> FLoops; // the transition of each loop, by loop index
    std::vector<TRELoopChainLink> FLoopChains;
    std::vector<TREOptimizeData> FOptimizeData;
    int FBranchCount = 0;
    int FMinMatchLength = 0;
    int FMaxMatchLength = 0; // -1: unbounded
    bool FHasReference = false;
    bool FHasGoSub = false;
    bool FHasAccept = false;
    bool FHasConditionTest = false; // a conditional (its test runs as a body of its own)
    // No call, verb or callout anywhere: nothing acts on the attempt when it fails, so the
    // search may leave out attempts that cannot match.
    bool FVerbFree = true;
    // Some transition may consult the match-explosion record (FMemo; never with calls, whose
    // continuation depends on the call stack).
    bool FMemoUsed = true;
    // Back-references or group conditions: the continuation also depends on the captures,
    // which then become part of what the record remembers.
    bool FMemoCaptures = false;

    void Clear();
    const TRENFAState* Head(int state) const {
        return state >= 0 ? FStateList[static_cast<std::size_t>(state)] : nullptr;
    }
};

// A code that matches exactly one character whenever it matches.
bool IsOneCharCode(const TRECode* code);

class TREParser;

class TRENFA {
public:
    TRENFA(TREOwner& ARegExp, TRENFAProgram& AProgram);
    // Builds the program from the parser's tree (the owner's FCode).
    void Compile(const TREParser& AParser);

private:
    struct TContext;
    struct TWork;

    int NewState();
    TRENFAState* AddTransition(TRENFAKind AKind, int AFrom, int ATo, TRECode* ACode,
                               const TContext& ctx, int AMin = 0, int AMax = 0);
    void Measure(bool GoSubAsZero);
    TRETextPosRec LengthOf(const TRECode* node) const;
    TRETextPosRec CombinedLength(const TREBinCode* node, bool GoSubAsZero);
    static void PushBuild(std::vector<TWork>& stack, const TRECode* child, int from, int to,
                          const TContext& ctx);
    void BuildNode(const TWork& work, std::vector<TWork>& stack);
    void BuildLoopTail(const TWork& work);
    void BuildConcat(const TREBinCode* node, const TWork& work, std::vector<TWork>& stack);
    void BuildUnion(const TREBinCode* node, const TWork& work, std::vector<TWork>& stack);
    void BuildGroup(const TREBinCode* node, const TWork& work, std::vector<TWork>& stack);
    void BuildKeepPattern(const TREBinCode* node, const TWork& work, std::vector<TWork>& stack);
    void BuildLoop(const TREBinCode* node, const TWork& work, std::vector<TWork>& stack);
    void BuildSubMatch(const TREBinCode* node, const TWork& work, std::vector<TWork>& stack);
    void BuildIfMatch(const TREBinCode* node, const TWork& work, std::vector<TWork>& stack);
    void BuildDefine(const TREBinCode* node, const TWork& work, std::vector<TWork>& stack);
    void BuildVerb(const TREBinCode* node, const TWork& work);
    void BuildLeaf(TRECode* code, const TWork& work);
    void BuildSingleLoop(const TREBinCode* node, TRENFAKind kind, const TWork& work);
    bool BuildTrie(const TREBinCode* node, const TWork& work);
    void AddRecord(const TRENFAState* state, const TContext& ctx, TREOptimizeDataKind kind);
    void LinkSameNames();
    void CheckVerbFree();
    void MarkMemoTransitions();
    void ConvertLoops();

    TREOwner& FRegExp;
    TRENFAProgram& FProgram;
    std::unordered_map<const TRECode*, TRETextPosRec> FLengths; // of every tree node
    bool FHasTailAnchor = false;
    bool FHasReference = false;
};

} // namespace zel
