#pragma once
// Interior nodes of a pattern's syntax tree: an operator with up to two operands and a few
// numbers. The leaves are match codes. Nodes are owned by the TREOwner's FBinCodeList, never
// by each other, so a deep tree is freed without recursion.
#include <cstdint>
#include <string>

#include "regex/compile/code.h"

namespace zel {

enum TREOperator : std::uint8_t {
    opEmply,         // an empty alternative, "(?)"
    opConcat,        // left then right
    opUnion,         // left or right (left tried first)
    opGroup,         // capture group: left = body; FGroupIndex, FGroupName
    opLHead,         // (never built)
    opLTail,         // (never built)
    opPlus,          // "+" on a leaf
    opStar,          // "*" on a leaf
    opBound,         // "{n,m}" on a leaf
    opLoop,          // general loop: left = body; FMin, FMax, FMatchKind
    opNoBackTrack,   // "(?>...)"
    opKeepPattern,   // "\K": left = what follows it
    opAheadMatch,    // "(?=...)"
    opAheadNoMatch,  // "(?!...)"
    opBehindMatch,   // "(?<=...)"
    opBehindNoMatch, // "(?<!...)"
    opGoSub,         // subroutine call: FGroupIndex (-1 until a later group's name resolves)
    opIfMatch,       // left = condition, right = the opIfThen node
    opIfThen,        // left = yes branch, right = no branch or nullptr
    opDefine,        // left = opIfThen(definitions, nullptr)
    opFail,          // "(?!)", "(*FAIL)"
    opPrune,         // verbs: FGroupIndex = verb-name index or -1
    opSkip,
    opMark,
    opThen,
    opCommint,
    opAccept,
    opQuest, // (never built)
};

enum TRELoopKind : std::uint8_t {
    lkNone,
    lkGreedy,
    lkReluctant,
    lkSimpleReluctant,
    lkPossessive,
    lkAny,               // "." repeated
    lkCombiningSequence, // "\X" repeated
};

class TREBinCode : public TRECode {
public:
    TREBinCode(TREOwner* ARegExp, TREOperator AOp, TRECode* ALeft, TRECode* ARight, int AMin = 0,
               int AMax = 0)
        : TRECode(ARegExp, {}), FOp(AOp), FLeft(ALeft), FRight(ARight), FMin(AMin), FMax(AMax) {}

    TREOperator FOp;
    TRECode* FLeft;  // not owned
    TRECode* FRight; // not owned
    int FGroupIndex = 0;
    int FMin;
    int FMax;
    TRELoopKind FMatchKind = lkGreedy;
    std::u16string FGroupName;
};

} // namespace zel
