#include "regex/compile/parser.h"

#include <algorithm>

#include "regex/compile/anchor_codes.h"
#include "regex/compile/char_class.h"
#include "regex/compile/literal_code.h"
#include "regex/compile/owner.h"
#include "regex/compile/reference_codes.h"
#include "regex/compile/set_codes.h"
#include "regex/unicode/unicode_prop.h"

namespace zel {

namespace {

constexpr int kMaxGroupNumber = 65535;

bool IsQuantifier(TREToken token) {
    return token == tkQuest || token == tkStar || token == tkPlus || token == tkBound;
}

bool IsBinOp(TRECode* code, std::initializer_list<TREOperator> ops) {
    auto* node = dynamic_cast<TREBinCode*>(code);
    return node != nullptr && std::find(ops.begin(), ops.end(), node->FOp) != ops.end();
}

} // namespace

TREParser::TREParser(TREOwner& ARegExp, std::u16string_view Expression)
    : FRegExp(ARegExp), FLex(ARegExp, Expression), FJoinMatchGroup(20, false) {}

TREParser::~TREParser() = default;

TREBinCode* TREParser::NewBinCode(TREOperator AOp, TRECode* ALeft, TRECode* ARight, int AMin,
                                  int AMax) {
    auto node = std::make_unique<TREBinCode>(&FRegExp, AOp, ALeft, ARight, AMin, AMax);
    TREBinCode* raw = node.get();
    FRegExp.FBinCodeList.push_back(std::move(node));
    return raw;
}

TRECode* TREParser::NewLiteral(std::u16string_view AStr, TREOptions AOptions) {
    if (AOptions.Contains(roIgnoreCase) || AOptions.Contains(roIgnoreWidth) ||
        AOptions.Contains(roIgnoreKana))
        return FRegExp.NewCode<TRELiteralCode>(AStr, AOptions);
    if (AStr.size() == 1)
        return FRegExp.NewCode<TRELiteralSingleCode>(AStr, AOptions);
    return FRegExp.NewCode<TRELiteralSimpleCode>(AStr, AOptions);
}

TRECalloutCode* TREParser::AutoCallout() {
    if (!FLex.Options().Contains(roAutoCallout))
        return nullptr;
    return FRegExp.NewCode<TRECalloutCode>(255, FLex.TokenStartPosition(), FLex.TokenLength());
}

// ---- the driver ------------------------------------------------------------------------------

void TREParser::Parse() {
    FGroupCount = FCurrentGroup = FGroupLevel = 0;
    FHasReference = false;
    FLex.GetToken();
    FFrames.push_back({FrameKind::Top});
    while (!FFrames.empty()) {
        const TREToken token = FLex.Token();
        if (FFrames.back().AwaitingCondition ||
            (token != tkUnion && token != tkRPar && token != tkEnd))
            StartFactor();
        else
            EndBranch();
    }
    FRegExp.FCode = FResult;
    ResolvePendingNames();
}

void TREParser::EndBranch() {
    Frame& frame = FFrames.back();
    TRECode* branch = frame.Branch != nullptr ? frame.Branch : NewBinCode(opEmply);
    frame.Branch = nullptr;
    const TREToken token = FLex.Token();
    if (token == tkUnion) {
        NextBranch(frame, branch);
        return;
    }
    TRECode* body =
        frame.UnionLeft != nullptr ? NewBinCode(opUnion, frame.UnionLeft, branch) : branch;
    if (frame.Conditional()) {
        frame.Yes = frame.InNo ? frame.Yes : branch;
        body = frame.InNo ? branch : nullptr; // the no branch
    }
    Frame closed = std::move(frame);
    FFrames.pop_back();
    TRECode* item = CloseFrame(closed, body, branch, token == tkRPar);
    if (closed.Kind == FrameKind::Top)
        FResult = item;
    else
        Deliver(item, closed.Callout);
}

void TREParser::NextBranch(Frame& frame, TRECode* branch) {
    if (frame.Conditional()) {
        // A conditional has a yes and a no branch, no more.
        if (frame.InNo)
            FLex.Error(frame.Kind == FrameKind::IfRef ? TREMessageId::rmParenUnmatched
                                                      : TREMessageId::rmConditionTooManyBranches);
        frame.Yes = branch;
        frame.InNo = true;
        FLex.GetToken();
        return;
    }
    if (frame.Kind == FrameKind::Define)
        FLex.Error(TREMessageId::rmConditionTooManyBranches);
    if (frame.Kind == FrameKind::BranchReset) {
        frame.ResetMax = std::max(frame.ResetMax, FGroupCount);
        FGroupCount = frame.ResetBase;
    }
    frame.UnionLeft =
        frame.UnionLeft != nullptr ? NewBinCode(opUnion, frame.UnionLeft, branch) : branch;
    FLex.GetToken();
}

TRECode* TREParser::CloseFrame(const Frame& closed, TRECode* body, TRECode* branch,
                               bool closedByParen) {
    switch (closed.Kind) {
    case FrameKind::Top:
        if (closedByParen)
            FLex.Error(TREMessageId::rmParenUnmatched);
        return body;
    case FrameKind::NonCapture:
        return CloseScope(body, closedByParen, TREMessageId::rmParenUnmatched);
    case FrameKind::Group:
        return CloseGroup(closed, body, closedByParen);
    case FrameKind::Assertion:
        return CloseAssertion(closed, body, closedByParen);
    case FrameKind::BranchReset:
        FGroupCount = std::max(closed.ResetMax, FGroupCount);
        return CloseScope(body, closedByParen, TREMessageId::rmParenUnmatched);
    case FrameKind::OptionScope: // ends with the construct around it, which passes the token
        break;
    case FrameKind::Keep:
        return NewBinCode(opKeepPattern, body);
    case FrameKind::IfRef:
    case FrameKind::IfMatch:
        return CloseScope(
            NewBinCode(opIfMatch, closed.Condition, NewBinCode(opIfThen, closed.Yes, body)),
            closedByParen,
            closed.Kind == FrameKind::IfRef ? TREMessageId::rmParenUnmatched
                                            : TREMessageId::rmConditionTooManyBranches);
    case FrameKind::Define:
        return CloseScope(NewBinCode(opDefine, NewBinCode(opIfThen, branch)), closedByParen,
                          TREMessageId::rmConditionTooManyBranches);
    }
    return body;
}

// The ")" of a construct that saved the options: restores them and moves past it.
TRECode* TREParser::CloseScope(TRECode* item, bool closedByParen, TREMessageId unclosed) {
    if (!closedByParen)
        FLex.Error(unclosed);
    FLex.PopOption();
    FLex.GetToken();
    return item;
}

TRECode* TREParser::CloseGroup(const Frame& closed, TRECode* body, bool closedByParen) {
    auto* node = NewBinCode(opGroup, body);
    node->FGroupIndex = closed.GroupIndex;
    node->FGroupName = closed.GroupName;
    FCurrentGroup = FGroupStack.back();
    FGroupStack.pop_back();
    --FGroupLevel;
    return CloseScope(node, closedByParen, TREMessageId::rmParenUnmatched);
}

TRECode* TREParser::CloseAssertion(const Frame& closed, TRECode* body, bool closedByParen) {
    if (!closedByParen)
        FLex.Error(TREMessageId::rmParenUnmatched);
    if (closed.Op == opBehindMatch || closed.Op == opBehindNoMatch)
        CheckLookbehind(body);
    TRECode* item = NewBinCode(closed.Op, body);
    FLex.GetToken();
    return item;
}

void TREParser::Deliver(TRECode* item, TRECalloutCode* callout) {
    if (callout != nullptr && item != nullptr)
        item = NewBinCode(opConcat, callout, item);
    Frame& frame = FFrames.back();
    if (frame.AwaitingCondition) {
        if (item == nullptr)
            FLex.Error(TREMessageId::rmConditionInvalid);
        frame.Condition = item;
        frame.AwaitingCondition = false;
        return;
    }
    TRECode* repeated = ParseQuantifier(item);
    frame.Branch =
        frame.Branch != nullptr ? NewBinCode(opConcat, frame.Branch, repeated) : repeated;
}

TRECode* TREParser::ParseQuantifier(TRECode* item) {
    const TREToken quantifier = FLex.Token();
    if (!IsQuantifier(quantifier)) {
        if (item == nullptr)
            FLex.Error(TREMessageId::rmExpressionUnknown);
        return item;
    }
    if (item == nullptr)
        FLex.Error(TREMessageId::rmRepeatNoTarget);
    TRECalloutCode* callout = AutoCallout();
    int min = quantifier == tkPlus ? 1 : 0;
    int max = quantifier == tkQuest ? 1 : kRepeatUnbounded;
    if (quantifier == tkBound) {
        min = FLex.Min();
        max = FLex.Max();
    }
    if (IsBinOp(item, {opAheadMatch, opAheadNoMatch}))
        FLex.ErrorFilled(std::u16string(RegExpMessage(TREMessageId::rmAheadRepeat)));
    if (dynamic_cast<TREBoundaryCode*>(item) || dynamic_cast<TRETextHeadCode*>(item) ||
        dynamic_cast<TRETextTailCode*>(item) || dynamic_cast<TRETextEndCode*>(item))
        FLex.Error(TREMessageId::rmRepeatZeroLength);
    FLex.GetToken();
    TRELoopKind kind = lkGreedy;
    if (FLex.Token() == tkQuest) {
        kind = lkReluctant;
        FLex.GetToken();
    } else if (FLex.Token() == tkPlus) {
        kind = lkPossessive;
        FLex.GetToken();
    }
    const bool leaf = dynamic_cast<TREBinCode*>(item) == nullptr;
    const bool greedyOrPossessive = kind == lkGreedy || kind == lkPossessive;
    TREBinCode* repeat;
    if (quantifier == tkQuest || !leaf || !greedyOrPossessive) {
        repeat = NewBinCode(opLoop, item, nullptr, min, max);
    } else {
        repeat = NewBinCode(quantifier == tkStar   ? opStar
                            : quantifier == tkPlus ? opPlus
                                                   : opBound,
                            item, nullptr, min, max);
        // A greedy "." or "\X" repeated gives back one character or sequence at a time;
        // a possessive one gives back nothing and stays possessive.
        if (quantifier == tkStar && kind == lkGreedy) {
            if (dynamic_cast<TREAnyCharCode*>(item) != nullptr)
                kind = lkAny;
            else if (dynamic_cast<TRECombiningSequence*>(item) != nullptr)
                kind = lkCombiningSequence;
        }
    }
    repeat->FMatchKind = kind;
    return callout != nullptr ? NewBinCode(opConcat, callout, repeat) : repeat;
}

void TREParser::StartFactor() {
    TRECalloutCode* callout = AutoCallout();
    const TREToken token = FLex.Token();
    switch (token) {
    case tkChar:
        Deliver(ParseLiteralRun(callout), callout);
        return;
    case tkEmpty:
    case tkFail:
        DeliverToken(NewBinCode(token == tkEmpty ? opEmply : opFail), callout);
        return;
    case tkCharClassFirst:
    case tkNegativeCharClassFirst:
        Deliver(ParseCharClass(token == tkNegativeCharClassFirst), callout);
        return;
    case tkLPar:
    case tkLParWithOption:
        OpenNonCapture(token, callout);
        return;
    case tkGroupBegin:
        OpenGroup(callout);
        return;
    case tkOption:
        OpenOptionScope(callout);
        return;
    case tkKeepPattern:
        OpenFrame({FrameKind::Keep}, callout);
        return;
    case tkNoBackTrack:
    case tkAheadMatch:
    case tkAheadNoMatch:
    case tkBehindMatch:
    case tkBehindNoMatch:
        OpenAssertion(token, callout);
        return;
    case tkBranchReset:
        OpenBranchReset(callout);
        return;
    case tkIfMatchRef:
    case tkInSubRef:
        OpenIfRef(token, callout);
        return;
    case tkIfMatch:
        OpenIfMatch(callout);
        return;
    case tkDefine:
        FLex.PushOption();
        OpenFrame({FrameKind::Define}, callout);
        return;
    case tkReference:
    case tkReferenceRelative:
    case tkNamedReference:
        DeliverToken(ParseReference(), callout);
        return;
    case tkGoSub:
    case tkGoSubRelative:
    case tkGoSubName:
        DeliverToken(ParseGoSub(), callout);
        return;
    case tkbcPrune:
    case tkbcSkip:
    case tkbcMark:
    case tkbcThen:
    case tkbcCommit:
    case tkbcAccept:
        DeliverToken(ParseVerb(), callout);
        return;
    default:
        DeliverLeaf(callout);
        return;
    }
}

// The item is the current token: it is delivered once the token is passed.
void TREParser::DeliverToken(TRECode* item, TRECalloutCode* callout) {
    FLex.GetToken();
    Deliver(item, callout);
}

void TREParser::DeliverLeaf(TRECalloutCode* callout) {
    TRECode* leaf = MakeLeaf();
    if (leaf != nullptr)
        FLex.GetToken();
    Deliver(leaf, callout);
}

// Pushes the frame of the construct the current token opens, and passes the token.
void TREParser::OpenFrame(Frame frame, TRECalloutCode* callout) {
    frame.Callout = callout;
    FFrames.push_back(std::move(frame));
    FLex.GetToken();
}

void TREParser::OpenNonCapture(TREToken token, TRECalloutCode* callout) {
    FLex.PushOption();
    if (token == tkLParWithOption)
        FLex.UpdateOptions();
    OpenFrame({FrameKind::NonCapture}, callout);
}

void TREParser::OpenGroup(TRECalloutCode* callout) {
    Frame frame{FrameKind::Group};
    FLex.PushOption();
    ++FGroupCount;
    ++FGroupLevel;
    FGroupStack.push_back(FCurrentGroup);
    FCurrentGroup = FGroupCount;
    auto& groups = FRegExp.FGroups;
    const auto& name = FLex.GroupName();
    if (groups.Count() <= FGroupCount) {
        groups.Add(name);
    } else if (!name.empty()) {
        // A number reused after a branch reset takes a further name.
        auto indexes = groups.EnumIndexOfName(name);
        if (std::find(indexes.begin(), indexes.end(), FGroupCount) == indexes.end())
            groups.AddGroupName(name, FGroupCount);
    }
    groups.Items(FGroupCount).FSubExp = FLex.CurrentPointer();
    frame.GroupIndex = FGroupCount;
    frame.GroupName = name;
    OpenFrame(std::move(frame), callout);
}

void TREParser::OpenOptionScope(TRECalloutCode* callout) {
    FLex.UpdateOptions();
    if (FGroupLevel == 0)
        FRegExp.FOptions = FLex.Options();
    OpenFrame({FrameKind::OptionScope}, callout);
}

void TREParser::OpenAssertion(TREToken token, TRECalloutCode* callout) {
    Frame frame{FrameKind::Assertion};
    frame.Op = token == tkNoBackTrack    ? opNoBackTrack
               : token == tkAheadMatch   ? opAheadMatch
               : token == tkAheadNoMatch ? opAheadNoMatch
               : token == tkBehindMatch  ? opBehindMatch
                                         : opBehindNoMatch;
    OpenFrame(std::move(frame), callout);
}

void TREParser::OpenBranchReset(TRECalloutCode* callout) {
    Frame frame{FrameKind::BranchReset};
    FLex.PushOption();
    frame.ResetBase = frame.ResetMax = FGroupCount;
    OpenFrame(std::move(frame), callout);
}

void TREParser::OpenIfRef(TREToken token, TRECalloutCode* callout) {
    Frame frame{FrameKind::IfRef};
    FLex.PushOption();
    const auto& name = FLex.GroupName();
    if (token == tkIfMatchRef)
        frame.Condition =
            name.empty()
                ? static_cast<TRECode*>(FRegExp.NewCode<TREIfThenReferenceCode>(FLex.Min()))
                : FRegExp.NewCode<TREIfThenNamedReferenceCode>(name);
    else
        frame.Condition =
            name.empty() ? static_cast<TRECode*>(FRegExp.NewCode<TREInSubReferenceCode>(FLex.Min()))
                         : FRegExp.NewCode<TREInSubNameReferenceCode>(name);
    OpenFrame(std::move(frame), callout);
}

// The condition is read as the first item of the frame, and must be a lookaround or a callout.
void TREParser::OpenIfMatch(TRECalloutCode* callout) {
    FLex.PushOption();
    FLex.GetToken();
    const TREToken next = FLex.Token();
    if (next != tkAheadMatch && next != tkAheadNoMatch && next != tkBehindMatch &&
        next != tkBehindNoMatch && next != tkCallout)
        FLex.Error(TREMessageId::rmConditionInvalid);
    Frame frame{FrameKind::IfMatch};
    frame.Callout = callout;
    frame.AwaitingCondition = true;
    FFrames.push_back(std::move(frame));
}

// ---- items -----------------------------------------------------------------------------------

TRECode* TREParser::ParseLiteralRun(TRECalloutCode* callout) {
    const TREOptions options = FLex.Options();
    const char32_t first = FLex.WChar();
    std::u16string run;
    AppendChar(run, first);
    int count = 1;
    FLex.GetToken();
    while (FLex.Token() == tkChar && FLex.Options() == options) {
        // A character directly followed by a quantifier stays alone.
        FLex.GetToken();
        const bool quantified = IsQuantifier(FLex.Token());
        FLex.PushToken();
        if (quantified)
            break;
        AppendChar(run, FLex.WChar());
        ++count;
        FLex.GetToken();
    }
    if (callout != nullptr && count > 1)
        callout->SetPatternLength(count);
    return NewLiteral(run, options);
}

std::unique_ptr<TRECharSetCode> TREParser::MakeSetCode(TREOptions options) {
    const TREToken token = FLex.Token();
    switch (token) {
    case tkWordChar:
    case tkNEWordChar:
        return std::make_unique<TREWordCharCode>(&FRegExp, options, token == tkNEWordChar);
    case tkDigitChar:
    case tkNEDigitChar:
        return std::make_unique<TREDigitCharCode>(&FRegExp, options, token == tkNEDigitChar);
    case tkSpaceChar:
    case tkNESpaceChar:
        return std::make_unique<TRESpaceCharCode>(&FRegExp, options, token == tkNESpaceChar);
    case tkHorizontalSpaceChar:
    case tkNEHorizontalSpaceChar:
        return std::make_unique<TREHorizontalSpaceCharCode>(&FRegExp,
                                                            token == tkNEHorizontalSpaceChar);
    case tkVerticalSpaceChar:
    case tkNEVerticalSpaceChar:
        return std::make_unique<TREVerticalSpaceCharCode>(&FRegExp, token == tkNEVerticalSpaceChar);
    case tkPosixBracket:
    case tkNEPosixBracket:
        return std::make_unique<TREPosixCharClassCode>(&FRegExp, FLex.PosixClass(), options,
                                                       token == tkNEPosixBracket);
    case tkProperty:
    case tkNEProperty:
        return std::make_unique<TREPropertyCode>(&FRegExp, FLex.UnicodeProperty(),
                                                 token == tkNEProperty);
    case tkPosixCharProperty:
    case tkNEPosixCharProperty:
        return std::make_unique<TREPosixCharPropertyCode>(&FRegExp, FLex.PosixClass(),
                                                          token == tkNEPosixCharProperty);
    default:
        return nullptr;
    }
}

TRECode* TREParser::MakeLeaf() {
    const TREOptions options = FLex.Options();
    if (FLex.Token() != tkPosixBracket && FLex.Token() != tkNEPosixBracket)
        if (auto set = MakeSetCode(options))
            return FRegExp.AdoptCode(std::move(set));
    switch (FLex.Token()) {
    case tkDot:
        return FRegExp.NewCode<TREAnyCharCode>(options);
    case tkExceptEOL:
        return FRegExp.NewCode<TREAnyCharCode>(TREOptions{});
    case tkLHead:
        return FRegExp.NewCode<TRELineHeadCode>(options);
    case tkLTail:
        FHasTailAnchor = true;
        return FRegExp.NewCode<TRELineTailCode>(options);
    case tkTHead:
        return FRegExp.NewCode<TRETextHeadCode>(TREOptions{});
    case tkTTail:
        FHasTailAnchor = true;
        return FRegExp.NewCode<TRETextTailCode>(TREOptions{});
    case tkTTailEnd:
        FHasTailAnchor = true;
        return FRegExp.NewCode<TRETextEndCode>(TREOptions{});
    case tkGlobalPos:
        return FRegExp.NewCode<TREGlobalPosCode>(TREOptions{});
    case tkWordBoundary:
    case tkNEWordBoundary:
        return FRegExp.NewCode<TREBoundaryCode>(options, FLex.Token() == tkNEWordBoundary);
    case tkLineBreak:
        return FRegExp.NewCode<TRELineBreakCharCode>(TREOptions{});
    case tkCombiningSequence:
        return FRegExp.NewCode<TRECombiningSequence>(TREOptions{});
    case tkCallout:
        return FRegExp.NewCode<TRECalloutCode>(FLex.Min(), FLex.CurrentPosition(), 1);
    default:
        return nullptr;
    }
}

TRECode* TREParser::ParseCharClass(bool negated) {
    const TREOptions options = FLex.Options();
    TRECharClassCode members(&FRegExp, negated, options);
    bool first = true;
    for (FLex.GetToken(); FLex.Token() != tkCharClassEnd; FLex.GetToken(), first = false) {
        if (FLex.Token() == tkChar)
            members.Add(FLex.WChar());
        else if (FLex.Token() == tkRangeChar)
            members.Add(FLex.StartWChar(), FLex.LastWChar());
        else if (auto set = MakeSetCode(options))
            members.Add(std::move(set));
        else
            FLex.Error(first ? TREMessageId::rmCharClassInvalid : TREMessageId::rmBracketUnmatched);
    }
    if (first)
        FLex.Error(TREMessageId::rmCharClassInvalid);
    FLex.GetToken();
    if (!negated && members.CharCount() == 1 && members.CharSetCount() == 0) {
        std::u16string text;
        AppendChar(text, members.WChar());
        return NewLiteral(text, options);
    }
    if (!members.HasChars() && members.CharSetCount() == 1) {
        auto set = members.ReleaseOnlyCharSet();
        if (negated)
            set->FNegative = !set->FNegative;
        return FRegExp.AdoptCode(std::move(set));
    }
    return FRegExp.AdoptCode(members.Build());
}

TRECode* TREParser::ParseReference() {
    const TREOptions options = FLex.Options();
    if (FLex.Token() == tkNamedReference) {
        const auto& name = FLex.GroupName();
        int n = FRegExp.FGroups.IndexOfName(name);
        auto* code = FRegExp.NewCode<TRENamedReferenceCode>(name, n, options);
        if (n < 0)
            FReferenceErrorList.push_back({name, FLex.GetCompileErrorPos(), code, nullptr});
        else
            MarkJoinMatch(n);
        return code;
    }
    if (options.Contains(roNamedGroupOnly))
        FLex.ErrorAt(TREMessageId::rmNumberedReferenceNotAllowed, FLex.CurrentPosition());
    int n = FLex.Min();
    if (FLex.Token() == tkReference) {
        if (n > FLex.GroupCount())
            FLex.ErrorAt(FormatRegExpMessage(TREMessageId::rmReferenceUnavailable, n),
                         FLex.CurrentPosition());
    } else {
        if (n > FGroupCount)
            FLex.ErrorAt(FormatRegExpMessage(TREMessageId::rmReferenceUnavailable, -n),
                         FLex.CurrentPosition());
        n = FGroupCount - n + 1;
    }
    if (n < 1 || n > kMaxGroupNumber)
        FLex.ErrorFilled(FormatRegExpMessage(TREMessageId::rmGroupIndexOutOfRange, n));
    MarkJoinMatch(n);
    return FRegExp.NewCode<TREReferenceCode>(n, options);
}

TRECode* TREParser::ParseGoSub() {
    FHasGoSub = true;
    if (FLex.Token() == tkGoSubName) {
        const auto& name = FLex.GroupName();
        auto* node = NewBinCode(opGoSub);
        node->FGroupName = name;
        node->FGroupIndex = FRegExp.FGroups.IndexOfName(name);
        FGoSubErrorList.push_back({name, FLex.GetCompileErrorPos(), nullptr, node});
        return node;
    }
    if (FLex.Options().Contains(roNamedGroupOnly))
        FLex.ErrorAt(TREMessageId::rmNumberedReferenceNotAllowed, FLex.CurrentPosition());
    int n = FLex.Min();
    if (FLex.Token() == tkGoSubRelative) {
        const int d = n;
        n = d < 0 ? FGroupCount + d + 1 : FGroupCount + d;
        if (n < 1)
            throw EZelRegExpRuntime(FormatRegExpMessage(TREMessageId::rmGroupIndexOutOfRange, d));
    }
    if (n < 0 || n > kMaxGroupNumber)
        FLex.ErrorFilled(FormatRegExpMessage(TREMessageId::rmGroupIndexOutOfRange, n));
    auto* node = NewBinCode(opGoSub);
    node->FGroupIndex = n;
    return node;
}

TRECode* TREParser::ParseVerb() {
    static constexpr std::pair<TREToken, TREOperator> kVerbs[] = {
        {tkbcPrune, opPrune}, {tkbcSkip, opSkip},      {tkbcMark, opMark},
        {tkbcThen, opThen},   {tkbcCommit, opCommint}, {tkbcAccept, opAccept}};
    TREOperator op = opAccept;
    for (const auto& [token, verbOp] : kVerbs)
        if (FLex.Token() == token)
            op = verbOp;
    auto* node = NewBinCode(op);
    if (op == opAccept)
        return node;
    const auto& name = FLex.GroupName();
    node->FGroupIndex = name.empty() && op != opMark ? -1 : FRegExp.VerbNameIndex(name);
    return node;
}

// No quantifier and no code of varying length may stand in a lookbehind. The walk keeps its
// own stack: a lookbehind may hold a very deep tree.
void TREParser::CheckLookbehind(TRECode* body) {
    std::vector<TRECode*> pending{body};
    while (!pending.empty()) {
        TRECode* code = pending.back();
        pending.pop_back();
        if (code == nullptr)
            continue;
        if (auto* node = dynamic_cast<TREBinCode*>(code)) {
            if (node->FOp == opPlus || node->FOp == opStar || node->FOp == opBound ||
                node->FOp == opLoop)
                FLex.Error(TREMessageId::rmBehindVariableLength);
            pending.push_back(node->FLeft);
            pending.push_back(node->FRight);
        } else if (code->IsVariable()) {
            FLex.Error(TREMessageId::rmBehindVariableLength);
        }
    }
}

void TREParser::MarkJoinMatch(int n) {
    if (n < 0)
        return;
    if (static_cast<std::size_t>(n) >= FJoinMatchGroup.size())
        FJoinMatchGroup.resize(static_cast<std::size_t>(n + n / 4 + 1), false);
    FJoinMatchGroup[static_cast<std::size_t>(n)] = true;
}

void TREParser::ResolvePendingNames() {
    auto& groups = FRegExp.FGroups;
    for (const auto& pending : FReferenceErrorList) {
        if (pending.Name.empty())
            throw EZelRegExpCompile(std::u16string(sBugReferenceName));
        int n = groups.IndexOfName(pending.Name);
        if (n < 0)
            FLex.ErrorAt(FormatRegExpMessage(TREMessageId::rmGroupNameUnknown, pending.Name),
                         pending.Position);
        pending.Reference->SetGroupIndex(n);
        MarkJoinMatch(n);
    }
    for (const auto& pending : FGoSubErrorList) {
        if (pending.Name.empty())
            throw EZelRegExpCompile(std::u16string(sBugGoSubName));
        auto indexes = groups.EnumIndexOfName(pending.Name);
        if (indexes.empty())
            FLex.ErrorAt(FormatRegExpMessage(TREMessageId::rmGroupNameUnknown, pending.Name),
                         pending.Position);
        if (indexes.size() > 1)
            FLex.ErrorAt(FormatRegExpMessage(TREMessageId::rmGoSubAmbiguousName, pending.Name),
                         pending.Position);
        pending.GoSub->FGroupIndex = indexes.front();
    }
    FJoinMatchGroup.resize(static_cast<std::size_t>(groups.Count()), false);
    for (int n = 1; n < groups.Count(); ++n)
        if (FJoinMatchGroup[static_cast<std::size_t>(n)]) {
            groups.Items(n).FJoinMatch = true;
            FHasReference = true;
        }
}

} // namespace zel
