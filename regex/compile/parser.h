#pragma once
// TREParser reads the tokens of a TRELex and builds the syntax tree of a pattern for its
// owner: TREBinCode nodes with match-code leaves, all owned by the TREOwner. It numbers and
// names the capture groups, applies inline options with their scope, inserts automatic
// callouts, folds literal runs into one literal, simplifies trivial classes, checks what may
// be repeated and what may stand in a lookbehind, and resolves names used before their group.
//
// The grammar is recursive, but the parser is not: every open construct is a frame on an
// explicit stack, so the depth of a pattern's nesting is limited by memory only.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "regex/compile/bin_code.h"
#include "regex/compile/lexer.h"

namespace zel {

class TREOwner;
class TRECalloutCode;
class TRECharSetCode;
class TRENamedReferenceCode;

class TREParser {
public:
    // Expression must outlive the parser and the compiled pattern (group sub-expressions
    // point into it); normally it is the owner's FExpression.
    TREParser(TREOwner& ARegExp, std::u16string_view Expression);
    ~TREParser();

    // Builds the tree and stores its root in the owner's FCode. Called once.
    void Parse();

    bool HasGoSub() const { return FHasGoSub; }
    bool HasTailAnchor() const { return FHasTailAnchor; }
    bool HasReference() const { return FHasReference; }

private:
    enum class FrameKind {
        Top,         // the whole pattern
        NonCapture,  // "(?:...)", "(?i:...)": restores the options at ")"
        Group,       // capture group
        Assertion,   // lookaround or atomic group: FOp
        BranchReset, // "(?|...)"
        OptionScope, // after "(?i)": up to the enclosing ")" or the end, not consumed
        Keep,        // after "\K": likewise
        IfRef,       // "(?(1)...", "(?(R)...": condition known
        IfMatch,     // "(?(?=...)...": condition read as the first item
        Define,      // "(?(DEFINE)..."
    };
    struct Frame {
        Frame(FrameKind kind) : Kind(kind) {}
        FrameKind Kind;
        TRECalloutCode* Callout = nullptr; // automatic callout of the construct's own token
        TREOperator Op = opEmply;
        TRECode* UnionLeft = nullptr;
        TRECode* Branch = nullptr;
        TRECode* Condition = nullptr;
        TRECode* Yes = nullptr;
        bool InNo = false;
        bool AwaitingCondition = false;
        int GroupIndex = 0;
        std::u16string GroupName;
        int ResetBase = 0;
        int ResetMax = 0;
        bool Conditional() const { return Kind == FrameKind::IfRef || Kind == FrameKind::IfMatch; }
    };
    struct PendingName {
        std::u16string Name;
        int Position;
        TRENamedReferenceCode* Reference; // back-references only
        TREBinCode* GoSub;                // subroutine calls only
    };

    TREBinCode* NewBinCode(TREOperator AOp, TRECode* ALeft = nullptr, TRECode* ARight = nullptr,
                           int AMin = 0, int AMax = 0);
    TRECode* NewLiteral(std::u16string_view AStr, TREOptions AOptions);
    TRECalloutCode* AutoCallout();

    // One step of the parse: begins the item at the current token (a leaf is delivered at
    // once, a construct pushes a frame).
    void StartFactor();
    void DeliverToken(TRECode* item, TRECalloutCode* callout);
    void DeliverLeaf(TRECalloutCode* callout);
    void OpenFrame(Frame frame, TRECalloutCode* callout);
    void OpenNonCapture(TREToken token, TRECalloutCode* callout);
    void OpenGroup(TRECalloutCode* callout);
    void OpenOptionScope(TRECalloutCode* callout);
    void OpenAssertion(TREToken token, TRECalloutCode* callout);
    void OpenBranchReset(TRECalloutCode* callout);
    void OpenIfRef(TREToken token, TRECalloutCode* callout);
    void OpenIfMatch(TRECalloutCode* callout);
    // Ends the current branch of the top frame at a "|", ")" or the end.
    void EndBranch();
    // At a "|": the branch joins its frame's alternation, or ends a conditional's yes branch.
    void NextBranch(Frame& frame, TRECode* branch);
    // Closes a frame already taken off the stack and answers the item it stands for.
    TRECode* CloseFrame(const Frame& closed, TRECode* body, TRECode* branch, bool closedByParen);
    TRECode* CloseScope(TRECode* item, bool closedByParen, TREMessageId unclosed);
    TRECode* CloseGroup(const Frame& closed, TRECode* body, bool closedByParen);
    TRECode* CloseAssertion(const Frame& closed, TRECode* body, bool closedByParen);
    // Hands a finished item to the frame below: a condition, or an item with its quantifier.
    void Deliver(TRECode* item, TRECalloutCode* callout);
    TRECode* ParseQuantifier(TRECode* item);

    TRECode* ParseLiteralRun(TRECalloutCode* callout);
    TRECode* ParseCharClass(bool negated);
    std::unique_ptr<TRECharSetCode> MakeSetCode(TREOptions options);
    TRECode* MakeLeaf();
    TRECode* ParseReference();
    TRECode* ParseGoSub();
    TRECode* ParseVerb();
    void CheckLookbehind(TRECode* body);
    void MarkJoinMatch(int n);
    void ResolvePendingNames();

    TREOwner& FRegExp;
    TRELex FLex;
    int FCurrentGroup = 0;
    int FGroupLevel = 0;
    int FGroupCount = 0;
    std::vector<PendingName> FReferenceErrorList;
    std::vector<PendingName> FGoSubErrorList;
    std::vector<int> FGroupStack;
    std::vector<bool> FJoinMatchGroup;
    std::vector<Frame> FFrames;
    TRECode* FResult = nullptr;
    bool FHasGoSub = false;
    bool FHasTailAnchor = false;
    bool FHasReference = false;
};

} // namespace zel
