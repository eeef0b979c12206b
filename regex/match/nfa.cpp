#include "regex/match/nfa.h"

#include <algorithm>
#include <climits>

#include "regex/compile/anchor_codes.h"
#include "regex/compile/char_class.h"
#include "regex/compile/literal_code.h"
#include "regex/compile/owner.h"
#include "regex/compile/parser.h"
#include "regex/compile/reference_codes.h"
#include "regex/compile/set_codes.h"

namespace zel {

namespace {

constexpr int kLengthLimit = INT_MAX / 4; // beyond it a length counts as unbounded

int AddMax(int a, int b) {
    if (a < 0 || b < 0 || a > kLengthLimit - b)
        return -1;
    return a + b;
}
int AddMin(int a, int b) {
    return std::min(kLengthLimit, a + b);
}
int MulMax(int a, int n) {
    if (a < 0)
        return -1;
    if (a == 0 || n == 0)
        return 0;
    if (n == kNFAUnbounded || a > kLengthLimit / n)
        return -1;
    return a * n;
}
int MulMin(int a, int n) {
    if (a == 0 || n == 0)
        return 0;
    return a > kLengthLimit / n ? kLengthLimit : a * n;
}
TRETextPosRec Sum(TRETextPosRec a, TRETextPosRec b) {
    return {AddMin(a.Min, b.Min), AddMax(a.Max, b.Max)};
}
TRETextPosRec Either(TRETextPosRec a, TRETextPosRec b) {
    return {std::min(a.Min, b.Min), a.Max < 0 || b.Max < 0 ? -1 : std::max(a.Max, b.Max)};
}

const TREBinCode* AsNode(const TRECode* code) {
    return dynamic_cast<const TREBinCode*>(code);
}

bool IsLiteralAlternation(const TRECode* code, std::vector<TRELiteralCode*>* literals) {
    std::vector<const TRECode*> pending{code};
    while (!pending.empty()) {
        const TRECode* item = pending.back();
        pending.pop_back();
        if (const auto* node = AsNode(item)) {
            if (node->FOp != opUnion)
                return false;
            pending.push_back(node->FRight);
            pending.push_back(node->FLeft);
        } else if (auto* literal = dynamic_cast<TRELiteralCode*>(const_cast<TRECode*>(item));
                   literal != nullptr && !literal->Strings().empty()) {
            if (literals != nullptr)
                literals->push_back(literal);
        } else {
            return false;
        }
    }
    return true;
}

// The alternatives of an alternation, in order.
std::vector<const TRECode*> Alternatives(const TREBinCode* node) {
    std::vector<const TRECode*> alternatives;
    std::vector<const TRECode*> pending{node};
    while (!pending.empty()) {
        const TRECode* item = pending.back();
        pending.pop_back();
        const TREBinCode* inner = AsNode(item);
        if (inner != nullptr && inner->FOp == opUnion) {
            pending.push_back(inner->FRight);
            pending.push_back(inner->FLeft);
        } else {
            alternatives.push_back(item);
        }
    }
    return alternatives;
}

TRENFAKind SingleLoopKind(TREOperator op) {
    return op == opStar ? nkStar : op == opPlus ? nkPlus : nkBound;
}

TRENFAKind SubMatchKind(TREOperator op) {
    return op == opNoBackTrack    ? nkSuspend
           : op == opAheadMatch   ? nkAheadMatch
           : op == opAheadNoMatch ? nkAheadNoMatch
           : op == opBehindMatch  ? nkBehindMatch
                                  : nkBehindNoMatch;
}

TRENFAKind VerbKind(TREOperator op) {
    return op == opPrune     ? nkPrune
           : op == opSkip    ? nkSkip
           : op == opMark    ? nkMark
           : op == opThen    ? nkThen
           : op == opCommint ? nkCommit
                             : nkAccept;
}

} // namespace

bool IsOneCharCode(const TRECode* code) {
    return dynamic_cast<const TREAnyCharCode*>(code) != nullptr ||
           dynamic_cast<const TRECharSetCode*>(code) != nullptr ||
           dynamic_cast<const TRECharClassCode*>(code) != nullptr ||
           dynamic_cast<const TRELiteralSingleCode*>(code) != nullptr;
}

void TRENFAProgram::Clear() {
    FTransitions.clear();
    FStateList.clear();
    FEntryState = FExitState = -1;
    FLoops.clear();
    FLoopChains.clear();
    FOptimizeData.clear();
    FBranchCount = 0;
    FMinMatchLength = FMaxMatchLength = 0;
    FHasReference = FHasGoSub = FHasAccept = FHasConditionTest = false;
    FVerbFree = FMemoUsed = true;
}

// What travels down the tree with every node.
struct TRENFA::TContext {
    bool Optional = false;      // not every match passes here
    bool Lookaround = false;    // inside a lookaround body
    bool AtEntry = true;        // reached from the block entry without consuming
    bool AtExit = true;         // leads to the block exit without consuming
    bool AtStart = true;        // reached only at the start of an attempt (no loop, no call)
    bool InAlternation = false; // inside an alternation that is not the top-level one
    bool Counted = false;       // the top-level alternation has already been seen
    bool InBehind = false;      // inside a lookbehind body
    TRETextPosRec Dist{0, 0};   // distance from the start of the match
    int Group = 0;
    int Branch = 0;
    int LoopChain = -1;
    int Alternation = -1; // source state of the innermost alternation
};

struct TRENFA::TWork {
    enum class Kind : std::uint8_t { Build, LoopTail, IfMatchTail };
    Kind Action = Kind::Build;
    const TRECode* Node = nullptr;
    int From = 0;
    int To = 0;
    TContext Ctx;
    // LoopTail: the loop's head and body end, and its entry transition.
    int Head = 0;
    int BodyEnd = 0;
    const TRENFAState* Loop = nullptr;
};

TRENFA::TRENFA(TREOwner& ARegExp, TRENFAProgram& AProgram) : FRegExp(ARegExp), FProgram(AProgram) {}

int TRENFA::NewState() {
    FProgram.FStateList.push_back(nullptr);
    return static_cast<int>(FProgram.FStateList.size()) - 1;
}

TRENFAState* TRENFA::AddTransition(TRENFAKind AKind, int AFrom, int ATo, TRECode* ACode,
                                   const TContext& ctx, int AMin, int AMax) {
    auto state = std::make_unique<TRENFAState>();
    state->FKind = AKind;
    state->FCode = ACode;
    state->FTransitTo = ATo;
    state->FGroupIndex = ctx.Group;
    state->FBranchIndex = ctx.Branch;
    state->FMin = AMin;
    state->FMax = AMax;
    state->FLoopChain = ctx.LoopChain;
    state->FMemo = !ctx.InBehind;
    state->FIndex = static_cast<int>(FProgram.FTransitions.size());
    auto& head = FProgram.FStateList[static_cast<std::size_t>(AFrom)];
    state->FNext = head;
    head = state.get();
    FProgram.FTransitions.push_back(std::move(state));
    return head;
}

TRETextPosRec TRENFA::LengthOf(const TRECode* node) const {
    auto it = FLengths.find(node);
    return it != FLengths.end() ? it->second : TRETextPosRec{0, -1};
}

// Post-order over the tree with an explicit stack: every node's shortest and longest length in
// characters, and every capture group's CharLength.
void TRENFA::Measure(bool GoSubAsZero) {
    struct Item {
        const TRECode* Node;
        bool Expanded;
    };
    std::vector<Item> stack{{FRegExp.FCode, false}};
    while (!stack.empty()) {
        Item& item = stack.back();
        const TRECode* code = item.Node;
        const TREBinCode* node = AsNode(code);
        if (code == nullptr) {
            stack.pop_back();
            continue;
        }
        if (node == nullptr) {
            TRETextPosRec len = code->CharLength();
            if (len.Max < 0)
                len.Max = -1;
            FLengths[code] = len;
            stack.pop_back();
            continue;
        }
        if (!item.Expanded) {
            item.Expanded = true;
            const TRECode* left = node->FLeft;
            const TRECode* right = node->FRight;
            if (right != nullptr)
                stack.push_back({right, false});
            if (left != nullptr)
                stack.push_back({left, false});
            continue;
        }
        stack.pop_back();
        FLengths[code] = CombinedLength(node, GoSubAsZero);
    }
}

// A node's length from its operands' (already measured); a group also records its CharLength.
TRETextPosRec TRENFA::CombinedLength(const TREBinCode* node, bool GoSubAsZero) {
    auto& groups = FRegExp.FGroups;
    const TRETextPosRec left = node->FLeft ? LengthOf(node->FLeft) : TRETextPosRec{0, 0};
    const TRETextPosRec right = node->FRight ? LengthOf(node->FRight) : TRETextPosRec{0, 0};
    TRETextPosRec len{0, 0};
    switch (node->FOp) {
    case opConcat:
        len = Sum(left, right);
        break;
    case opUnion:
        len = Either(left, right);
        break;
    case opGroup:
        len = left;
        if (node->FGroupIndex > 0 && node->FGroupIndex < groups.Count())
            groups.Items(node->FGroupIndex).FCharLength = len;
        break;
    case opKeepPattern:
    case opNoBackTrack:
        len = left;
        break;
    case opStar:
    case opPlus:
    case opBound:
    case opLoop:
        len = {MulMin(left.Min, node->FMin), MulMax(left.Max, node->FMax)};
        break;
    case opGoSub:
        if (!GoSubAsZero && node->FGroupIndex > 0 && node->FGroupIndex < groups.Count())
            len = groups.Items(node->FGroupIndex).FCharLength;
        else if (!GoSubAsZero)
            len = {0, -1};
        break;
    case opIfMatch: // the branches: yes, and no (or nothing)
        len = right;
        break;
    case opIfThen:
        len = Either(left, node->FRight ? right : TRETextPosRec{0, 0});
        break;
    default: // lookarounds, definitions, verbs, empty
        break;
    }
    return len;
}

void TRENFA::AddRecord(const TRENFAState* state, const TContext& ctx, TREOptimizeDataKind kind) {
    if (ctx.Optional || ctx.Lookaround || ctx.InAlternation || FProgram.FHasAccept)
        return;
    FProgram.FOptimizeData.push_back({state, ctx.Dist, kind});
}

void TRENFA::Compile(const TREParser& AParser) {
    FProgram.Clear();
    FLengths.clear();
    FHasTailAnchor = AParser.HasTailAnchor();
    FHasReference = AParser.HasReference();
    FProgram.FHasReference = FHasReference;
    FProgram.FHasGoSub = AParser.HasGoSub();
    FProgram.FEntryState = NewState();
    FProgram.FExitState = NewState();
    if (FProgram.FHasGoSub)
        Measure(true);
    Measure(false);

    TContext root;
    AddTransition(nkEnd, FProgram.FExitState, -1, nullptr, root);
    const TRETextPosRec total = LengthOf(FRegExp.FCode);
    FProgram.FMinMatchLength = total.Min;
    FProgram.FMaxMatchLength = total.Max;

    std::vector<TWork> stack;
    stack.push_back(
        {TWork::Kind::Build, FRegExp.FCode, FProgram.FEntryState, FProgram.FExitState, root});
    while (!stack.empty()) {
        TWork work = std::move(stack.back());
        stack.pop_back();
        BuildNode(work, stack);
    }
    // "(*ACCEPT)" may end a match before the pattern's mandatory part.
    if (FProgram.FHasAccept)
        FProgram.FMinMatchLength = 0;
    LinkSameNames();
    CheckVerbFree();
    ConvertLoops();
    MarkMemoTransitions();
}

// A single-code loop gives back in vain when nothing can follow it but the end of the match,
// or when what follows it needs a character that the loop's code cannot match: every end
// but the last would then fail at once. Such loops take their whole run and push nothing.
// A lazy general loop directly followed by one consuming code tries its exit only where that
// code matches (lkSimpleReluctant).
void TRENFA::ConvertLoops() {
    for (const auto& loop : FProgram.FTransitions) {
        if (loop->FKind == nkLoop && loop->FMatchKind == lkReluctant) {
            auto* exit = FProgram.FStateList[static_cast<std::size_t>(loop->FTransitTo)];
            const TRENFAState* next = exit != nullptr && exit->FKind == nkLoopExit
                                          ? FProgram.Head(exit->FTransitTo)
                                          : nullptr;
            if (next != nullptr && next->FNext == nullptr && next->FKind == nkChar)
                loop->FMatchKind = exit->FMatchKind = lkSimpleReluctant;
            continue;
        }
        if ((loop->FKind != nkStar && loop->FKind != nkPlus && loop->FKind != nkBound) ||
            loop->FMatchKind == lkPossessive || loop->FMatchKind == lkReluctant)
            continue;
        const TRENFAState* T = FProgram.Head(loop->FTransitTo);
        while (T != nullptr && T->FNext == nullptr &&
               (T->FKind == nkGroupBegin || T->FKind == nkGroupEnd))
            T = FProgram.Head(T->FTransitTo);
        if (T == nullptr || T->FNext != nullptr)
            continue;
        // Without calls a group end is no return to a caller.
        const bool atEnd = T->FKind == nkEnd && !FProgram.FHasGoSub;
        const bool apart = loop->FBranchIndex == 0 && T->FKind == nkChar &&
                           !T->FCode->IsVariable() && T->FCode->CharLength().Min >= 1 &&
                           !loop->FCode->IsOverlap(T->FCode);
        if (atEnd || apart)
            loop->FMatchKind = lkPossessive;
    }
}

void TRENFA::BuildLeaf(TRECode* code, const TWork& work) {
    const TContext& ctx = work.Ctx;
    const TRETextPosRec len = LengthOf(code);
    if (dynamic_cast<TRECalloutCode*>(code) != nullptr) {
        AddTransition(nkCallout, work.From, work.To, code, ctx);
        return;
    }
    TRENFAKind kind = len.Min == 0 && len.Max == 0 ? nkAnchor : len.Min >= 1 ? nkChar : nkNormal;
    const TRENFAState* state = AddTransition(kind, work.From, work.To, code, ctx);
    if (dynamic_cast<TRELineHeadCode*>(code) != nullptr) {
        if (ctx.AtEntry)
            AddRecord(state, ctx, odkLead);
    } else if (dynamic_cast<TRETextHeadCode*>(code) != nullptr) {
        if (ctx.AtEntry)
            AddRecord(state, ctx, odkLead);
    } else if (dynamic_cast<TRELiteralCode*>(code) != nullptr) {
        AddRecord(state, ctx, ctx.AtEntry ? odkLead : ctx.AtExit ? odkTail : odkNormal);
    } else if (ctx.AtEntry && !code->IsVariable() && len.Max != 0 &&
               dynamic_cast<TREAnyCharCode*>(code) == nullptr &&
               dynamic_cast<TRECombiningSequence*>(code) == nullptr) {
        AddRecord(state, ctx, odkLead);
    }
}

// An alternation made only of literals becomes one trie transition; its alternatives keep
// their order (the trie hands them out first alternative first).
bool TRENFA::BuildTrie(const TREBinCode* node, const TWork& work) {
    std::vector<TRELiteralCode*> literals;
    if (!IsLiteralAlternation(node, &literals))
        return false;
    auto* trie = FRegExp.NewCode<TRETrieCode>(literals.front()->Options());
    for (auto it = literals.rbegin(); it != literals.rend(); ++it)
        trie->Add(*it);
    const TRENFAState* state = AddTransition(nkTrie, work.From, work.To, trie, work.Ctx);
    AddRecord(state, work.Ctx, work.Ctx.AtEntry ? odkLead : odkNormal);
    return true;
}

void TRENFA::BuildSingleLoop(const TREBinCode* node, TRENFAKind kind, const TWork& work) {
    const TContext& ctx = work.Ctx;
    auto* leaf = const_cast<TRECode*>(node->FLeft);
    int from = work.From;
    if (kind == nkStar && node->FMatchKind == lkAny && ctx.AtStart && !FHasTailAnchor &&
        !FHasReference && !FProgram.FHasGoSub) {
        // A leading ".*" can only start a match at the start of the search or of a line.
        TREOptions options = leaf->Options();
        if (!options.Contains(roSingleLine))
            options.Include(roMultiLine);
        auto* head = FRegExp.NewCode<TRELineHeadCode>(options);
        from = NewState();
        TRENFAState* anchor = AddTransition(nkAnchor, work.From, from, head, ctx);
        anchor->FImplicitHead = true;
        AddRecord(anchor, ctx, odkLead);
    }
    TRENFAState* loop = AddTransition(kind, from, work.To, leaf, ctx, node->FMin, node->FMax);
    loop->FMatchKind = node->FMatchKind;
    loop->FExtendTo = work.To;
    loop->FLoopIndex = static_cast<int>(FProgram.FLoops.size());
    FProgram.FLoops.push_back(loop);
    const bool fixed = !leaf->IsVariable();
    if (kind == nkPlus && ctx.AtEntry && fixed)
        AddRecord(loop, ctx, odkLead);
    else if (kind == nkBound && node->FMin > 0 && fixed)
        AddRecord(loop, ctx, ctx.AtEntry ? odkLead : ctx.AtExit ? odkTail : odkNormal);
}

void TRENFA::PushBuild(std::vector<TWork>& stack, const TRECode* child, int from, int to,
                       const TContext& ctx) {
    stack.push_back({TWork::Kind::Build, child, from, to, ctx});
}

void TRENFA::BuildNode(const TWork& work, std::vector<TWork>& stack) {
    const TContext& ctx = work.Ctx;
    if (work.Action == TWork::Kind::LoopTail) {
        BuildLoopTail(work);
        return;
    }
    if (work.Action == TWork::Kind::IfMatchTail) {
        AddTransition(nkMatchEnd, work.From, work.To, nullptr, ctx);
        return;
    }
    const TRECode* code = work.Node;
    const TREBinCode* node = AsNode(code);
    if (node == nullptr) {
        BuildLeaf(const_cast<TRECode*>(code), work);
        return;
    }
    switch (node->FOp) {
    case opConcat:
        BuildConcat(node, work, stack);
        break;
    case opUnion:
        BuildUnion(node, work, stack);
        break;
    case opGroup:
        BuildGroup(node, work, stack);
        break;
    case opKeepPattern:
        BuildKeepPattern(node, work, stack);
        break;
    case opStar:
    case opPlus:
    case opBound:
        BuildSingleLoop(node, SingleLoopKind(node->FOp), work);
        break;
    case opLoop:
        BuildLoop(node, work, stack);
        break;
    case opNoBackTrack:
    case opAheadMatch:
    case opAheadNoMatch:
    case opBehindMatch:
    case opBehindNoMatch:
        BuildSubMatch(node, work, stack);
        break;
    case opGoSub:
        AddTransition(nkGoSub, work.From, work.To, nullptr, ctx)->FGroupIndex = node->FGroupIndex;
        break;
    case opIfMatch:
        BuildIfMatch(node, work, stack);
        break;
    case opDefine:
        BuildDefine(node, work, stack);
        break;
    case opFail:
        AddTransition(nkFail, work.From, work.To, nullptr, ctx);
        break;
    case opPrune:
    case opSkip:
    case opMark:
    case opThen:
    case opCommint:
    case opAccept:
        BuildVerb(node, work);
        break;
    default: // opEmply and the operators never built
        AddTransition(nkEmpty, work.From, work.To, nullptr, ctx);
        break;
    }
}

// Added after the body, so that leaving the loop heads the head state's chain.
void TRENFA::BuildLoopTail(const TWork& work) {
    const TContext& ctx = work.Ctx;
    const TRENFAState* loop = work.Loop;
    TRENFAState* exit =
        AddTransition(nkLoopExit, work.Head, work.To, nullptr, ctx, loop->FMin, loop->FMax);
    exit->FMatchKind = loop->FMatchKind;
    exit->FLoopIndex = loop->FLoopIndex;
    exit->FExtendTo = work.From;
    exit->FLoopChain = static_cast<int>(FProgram.FLoopChains.size());
    FProgram.FLoopChains.push_back({loop->FLoopIndex, ctx.LoopChain});
    TRENFAState* end =
        AddTransition(nkLoopEnd, work.BodyEnd, work.Head, nullptr, ctx, loop->FMin, loop->FMax);
    end->FMatchKind = loop->FMatchKind;
    end->FLoopIndex = loop->FLoopIndex;
}

void TRENFA::BuildConcat(const TREBinCode* node, const TWork& work, std::vector<TWork>& stack) {
    const TContext& ctx = work.Ctx;
    const int middle = NewState();
    TContext left = ctx;
    left.AtExit = false;
    TContext right = ctx;
    right.AtEntry = right.AtStart = false;
    right.Dist = Sum(ctx.Dist, LengthOf(node->FLeft));
    // Right first on the stack: the left part is built first.
    PushBuild(stack, node->FRight, middle, work.To, right);
    PushBuild(stack, node->FLeft, work.From, middle, left);
}

void TRENFA::BuildUnion(const TREBinCode* node, const TWork& work, std::vector<TWork>& stack) {
    if (BuildTrie(node, work))
        return;
    const TContext& ctx = work.Ctx;
    const std::vector<const TRECode*> alternatives = Alternatives(node);
    const bool topLevel = !ctx.Counted && !ctx.InAlternation && !ctx.Optional && !ctx.Lookaround &&
                          ctx.LoopChain < 0 && ctx.Branch == 0;
    if (topLevel && !FProgram.FHasAccept)
        FProgram.FBranchCount =
            std::max(FProgram.FBranchCount, static_cast<int>(alternatives.size()));
    TContext alt = ctx;
    alt.AtStart = false;
    if (!topLevel)
        alt.InAlternation = true;
    alt.Counted = true;
    alt.Alternation = work.From;
    // The first alternative must head the chain: it is pushed last and so built last.
    for (std::size_t i = 0; i < alternatives.size(); ++i) {
        if (topLevel)
            alt.Branch = static_cast<int>(i) + 1;
        PushBuild(stack, alternatives[i], work.From, work.To, alt);
    }
}

void TRENFA::BuildGroup(const TREBinCode* node, const TWork& work, std::vector<TWork>& stack) {
    const TContext& ctx = work.Ctx;
    const int b = NewState();
    const int e = NewState();
    TRENFAState* begin = AddTransition(nkGroupBegin, work.From, b, nullptr, ctx);
    TRENFAState* end = AddTransition(nkGroupEnd, e, work.To, nullptr, ctx);
    begin->FGroupIndex = end->FGroupIndex = node->FGroupIndex;
    auto& groups = FRegExp.FGroups;
    if (node->FGroupIndex > 0 && node->FGroupIndex < groups.Count()) {
        auto& group = groups.Items(node->FGroupIndex);
        group.FGroupBegin = begin;
        group.FGroupEnd = end;
    }
    TContext body = ctx;
    body.Group = node->FGroupIndex;
    PushBuild(stack, node->FLeft, b, e, body);
}

void TRENFA::BuildKeepPattern(const TREBinCode* node, const TWork& work,
                              std::vector<TWork>& stack) {
    const int m = NewState();
    AddTransition(nkKeepPattern, work.From, m, nullptr, work.Ctx);
    TContext body = work.Ctx;
    body.AtEntry = body.AtStart = false;
    PushBuild(stack, node->FLeft, m, work.To, body);
}

void TRENFA::BuildLoop(const TREBinCode* node, const TWork& work, std::vector<TWork>& stack) {
    const TContext& ctx = work.Ctx;
    if (node->FMatchKind == lkReluctant && node->FLeft != nullptr &&
        AsNode(node->FLeft) == nullptr && IsOneCharCode(node->FLeft)) {
        // A lazy loop over one character at a time takes one more character per step:
        // the single-code form does that without entering a body each time.
        const bool unbounded = node->FMax >= kNFAUnbounded;
        BuildSingleLoop(node,
                        unbounded && node->FMin == 0   ? nkStar
                        : unbounded && node->FMin == 1 ? nkPlus
                                                       : nkBound,
                        work);
        return;
    }
    const int h = NewState();
    const int g = NewState();
    TRENFAState* loop = AddTransition(nkLoop, work.From, h, nullptr, ctx, node->FMin, node->FMax);
    loop->FMatchKind = node->FMatchKind;
    loop->FExtendTo = g;
    loop->FLoopIndex = static_cast<int>(FProgram.FLoops.size());
    FProgram.FLoops.push_back(loop);
    TWork tail{TWork::Kind::LoopTail, nullptr, work.From, work.To, ctx};
    tail.Head = h;
    tail.BodyEnd = g;
    tail.Loop = loop;
    stack.push_back(tail);
    // An enclosing optional context carries into the body: a loop with a positive
    // minimum that may itself be skipped does not make its body's literals mandatory.
    TContext body = ctx;
    body.Optional = ctx.Optional || node->FMin == 0;
    body.AtStart = false;
    body.AtExit = ctx.AtExit && node->FMin > 0;
    if (node->FMax != 1)
        body.Dist.Max = -1;
    body.LoopChain = static_cast<int>(FProgram.FLoopChains.size());
    FProgram.FLoopChains.push_back({loop->FLoopIndex, ctx.LoopChain});
    PushBuild(stack, node->FLeft, h, g, body);
}

// An atomic group or a lookaround: a body of its own, closed by nkMatchEnd.
void TRENFA::BuildSubMatch(const TREBinCode* node, const TWork& work, std::vector<TWork>& stack) {
    const TContext& ctx = work.Ctx;
    const TRENFAKind kind = SubMatchKind(node->FOp);
    const bool behind = kind == nkBehindMatch || kind == nkBehindNoMatch;
    const int m = NewState();
    const int l = NewState();
    TRENFAState* open = AddTransition(kind, work.From, m, nullptr, ctx);
    open->FExtendTo = l;
    if (behind) {
        const TRETextPosRec len = LengthOf(node->FLeft);
        open->FMin = len.Min;
        open->FMax = len.Max;
    }
    AddTransition(nkMatchEnd, l, work.To, nullptr, ctx);
    TContext body = ctx;
    if (kind != nkSuspend) {
        body.Lookaround = body.Optional = true;
        body.AtStart = false;
    }
    if (behind)
        body.InBehind = true;
    PushBuild(stack, node->FLeft, m, l, body);
}

void TRENFA::BuildIfMatch(const TREBinCode* node, const TWork& work, std::vector<TWork>& stack) {
    const TContext& ctx = work.Ctx;
    const auto* branches = AsNode(node->FRight);
    const int c = NewState();
    const int k = NewState();
    TRENFAState* open = AddTransition(nkIfMatch, work.From, c, nullptr, ctx);
    open->FExtendTo = k;
    FProgram.FHasConditionTest = true;
    TContext body = ctx;
    body.Optional = true;
    body.AtStart = false;
    // Order on the work stack (last pushed is built first): the condition, the no side,
    // the yes side, then the end of the condition, which heads k's chain.
    stack.push_back({TWork::Kind::IfMatchTail, nullptr, k, work.To, ctx});
    if (branches != nullptr) {
        // The no side first, then the yes side: k's chain reads yes, no.
        if (branches->FRight != nullptr) {
            const int n = NewState();
            AddTransition(nkIfThen, k, n, nullptr, ctx);
            PushBuild(stack, branches->FRight, n, work.To, body);
        } else {
            AddTransition(nkEmpty, k, work.To, nullptr, ctx);
        }
        const int y = NewState();
        AddTransition(nkIfThen, k, y, nullptr, ctx);
        PushBuild(stack, branches->FLeft, y, work.To, body);
    }
    TContext condition = body;
    condition.Lookaround = true;
    PushBuild(stack, node->FLeft, c, k, condition);
}

void TRENFA::BuildDefine(const TREBinCode* node, const TWork& work, std::vector<TWork>& stack) {
    const TContext& ctx = work.Ctx;
    const auto* branches = AsNode(node->FLeft);
    const int d = NewState();
    const int e = NewState();
    TRENFAState* define = AddTransition(nkDefine, work.From, d, nullptr, ctx);
    define->FExtendTo = work.To;
    AddTransition(nkMatchEnd, e, work.To, nullptr, ctx);
    TContext body = ctx;
    body.Optional = true;
    body.AtStart = false;
    if (branches != nullptr && branches->FLeft != nullptr)
        PushBuild(stack, branches->FLeft, d, e, body);
    else
        AddTransition(nkEmpty, d, e, nullptr, ctx);
}

void TRENFA::BuildVerb(const TREBinCode* node, const TWork& work) {
    const TContext& ctx = work.Ctx;
    const TRENFAKind kind = VerbKind(node->FOp);
    TRENFAState* verb = AddTransition(kind, work.From, work.To, nullptr, ctx);
    verb->FGroupIndex = node->FOp == opAccept ? -1 : node->FGroupIndex;
    if (kind == nkThen)
        verb->FExtendTo = ctx.Alternation;
    if (kind == nkAccept)
        FProgram.FHasAccept = true;
}

// A group whose begin transition is directly followed by the begin transition of another group
// of the same name links to it (alternatives that capture into one name).
void TRENFA::LinkSameNames() {
    auto& groups = FRegExp.FGroups;
    for (int i = 1; i < groups.Count(); ++i) {
        TGroup& group = groups.Items(i);
        group.FSameGroup = 0;
        if (group.FGroupName.empty() || group.FGroupBegin == nullptr)
            continue;
        const TRENFAState* next = group.FGroupBegin->FNext;
        if (next == nullptr || next->FKind != nkGroupBegin)
            continue;
        const int other = next->FGroupIndex;
        if (other > 0 && other < groups.Count() && other != i &&
            groups.Items(other).FGroupName == group.FGroupName)
            group.FSameGroup = other;
    }
}

namespace {

// A transition that acts beyond the path it lies on (cuts the attempt or the alternation,
// moves the next start, names the match) or runs the caller's code.
bool ActsBeyondItsPath(TRENFAKind kind) {
    switch (kind) {
    case nkCallout:
    case nkPrune:
    case nkSkip:
    case nkMark:
    case nkThen:
    case nkCommit:
        return true;
    default:
        return false;
    }
}

} // namespace

void TRENFA::CheckVerbFree() {
    bool safe = !FProgram.FHasGoSub;
    bool captures = FProgram.FHasReference;
    for (const auto& transition : FProgram.FTransitions) {
        if (ActsBeyondItsPath(transition->FKind) || transition->FKind == nkAccept ||
            transition->FKind == nkGoSub)
            safe = false;
        else if (dynamic_cast<TREConditionCode*>(transition->FCode) != nullptr ||
                 dynamic_cast<TREReferenceCode*>(transition->FCode) != nullptr)
            captures = true;
    }
    FProgram.FVerbFree = safe;
    FProgram.FMemoCaptures = captures;
}

namespace {

// For every state, whether a transition that acts beyond its path can be reached from it.
// Reachability follows both links of every transition (into bodies and past them), which
// covers where the matcher goes next.
std::vector<char> StatesReachingVerbs(const TRENFAProgram& AProgram) {
    const std::size_t count = AProgram.FStateList.size();
    std::vector<std::vector<int>> sources(count);
    std::vector<char> reaches(count, 0);
    std::vector<int> work;
    for (std::size_t s = 0; s < count; ++s) {
        for (const TRENFAState* T = AProgram.FStateList[s]; T != nullptr; T = T->FNext) {
            if (ActsBeyondItsPath(T->FKind) && !reaches[s]) {
                reaches[s] = 1;
                work.push_back(static_cast<int>(s));
            }
            for (const int to : {T->FTransitTo, T->FExtendTo})
                if (to >= 0)
                    sources[static_cast<std::size_t>(to)].push_back(static_cast<int>(s));
        }
    }
    while (!work.empty()) {
        const int s = work.back();
        work.pop_back();
        for (const int from : sources[static_cast<std::size_t>(s)])
            if (!reaches[static_cast<std::size_t>(from)]) {
                reaches[static_cast<std::size_t>(from)] = 1;
                work.push_back(from);
            }
    }
    return reaches;
}

} // namespace

// A failure recorded after a transition must be one that a later visit would meet again, and
// skipping it must leave nothing undone: so no transition from which a verb or callout can be
// reached consults the record, and with calls none does (what follows a group's end depends
// on the call stack). "(*ACCEPT)" is no obstacle: it only succeeds early, at the end of the
// match or of the body it lies in, which the links reach as well.
void TRENFA::MarkMemoTransitions() {
    const std::vector<char> reaches = StatesReachingVerbs(FProgram);
    const auto reached = [&](int state) {
        return state >= 0 && reaches[static_cast<std::size_t>(state)] != 0;
    };
    bool used = false;
    for (std::size_t s = 0; s < reaches.size(); ++s) {
        for (TRENFAState* T = FProgram.FStateList[s]; T != nullptr; T = T->FNext) {
            // A general loop's head goes on into its body, the next transitions of its state.
            const bool acts = ActsBeyondItsPath(T->FKind) || reached(T->FTransitTo) ||
                              reached(T->FExtendTo) ||
                              (T->FKind == nkLoopExit && reached(static_cast<int>(s)));
            T->FMemo = T->FMemo && !acts && !FProgram.FHasGoSub;
            used = used || T->FMemo;
        }
    }
    FProgram.FMemoUsed = used;
}

} // namespace zel
