#include "regex/match/anchor_choice.h"

#include <algorithm>
#include <vector>

#include "regex/compile/literal_code.h"
#include "regex/match/lead_search.h"

namespace zel {

namespace {

// Every code (but the anchor, whose own length does not count) takes as many characters of
// the text as the pattern measured: no folding of width or kana (a half-width kana takes its
// sound mark along), and full case folding only in codes of one character or none (in a
// literal a sharp s may stand for two letters).
bool DistancesHold(const TRENFAProgram& AProgram, const TRECode* anchor = nullptr) {
    for (const auto& T : AProgram.FTransitions) {
        if (T->FCode == nullptr || T->FCode == anchor)
            continue;
        const TREOptions options = T->FCode->Options();
        if (options.Contains(roIgnoreWidth) || options.Contains(roIgnoreKana))
            return false;
        if (options.Contains(roIgnoreCase) && !options.Contains(roASCIIOnly) &&
            !IsOneCharCode(T->FCode) && T->FCode->CharLength() != TRETextPosRec{0, 0})
            return false;
    }
    return true;
}

// As DistancesHold, and the lengths of the literals themselves as measured too.
bool LengthsAreExact(const TRENFAProgram& AProgram) {
    for (const auto& T : AProgram.FTransitions) {
        if (T->FCode == nullptr)
            continue;
        const TREOptions options = T->FCode->Options();
        if (options.Contains(roIgnoreWidth) || options.Contains(roIgnoreKana) ||
            (options.Contains(roIgnoreCase) && !options.Contains(roASCIIOnly)))
            return false;
    }
    return true;
}

// A literal that begins with a trailing surrogate could be found inside a pair.
bool UsableLiteral(const TRELiteralCode* literal) {
    const std::u16string& text = literal->Strings();
    return !text.empty() && (text[0] < 0xDC00 || text[0] > 0xDFFF);
}

bool Better(const TREAnchorChoice& a, const TREAnchorChoice& b) {
    if ((a.Offset.Max >= 0) != (b.Offset.Max >= 0))
        return a.Offset.Max >= 0;
    const bool aLiteral = dynamic_cast<const TRELiteralCode*>(a.Code) != nullptr;
    const bool bLiteral = dynamic_cast<const TRELiteralCode*>(b.Code) != nullptr;
    if (aLiteral != bLiteral)
        return aLiteral;
    return a.Code->Length() > b.Code->Length();
}

// The states from which the alternatives of a top-level alternation leave. Branch numbers are
// per alternation, so records of different branches belong together only when there is one.
int TopLevelForks(const TRENFAProgram& AProgram) {
    int forks = 0;
    for (const TRENFAState* head : AProgram.FStateList) {
        bool fork = false;
        for (const TRENFAState* T = head; T != nullptr && head != nullptr; T = T->FNext)
            fork = fork || (T->FBranchIndex != 0 && T->FBranchIndex != head->FBranchIndex);
        forks += fork ? 1 : 0;
    }
    return forks;
}

// A literal from every alternative of the one top-level alternation, in one trie.
TREAnchorChoice ChooseBranchAnchors(const TRENFAProgram& AProgram) {
    TREAnchorChoice result;
    const int count = AProgram.FBranchCount;
    if (count < 2 || TopLevelForks(AProgram) != 1)
        return result;
    std::vector<TREAnchorChoice> best(static_cast<std::size_t>(count) + 1);
    for (const TREOptimizeData& record : AProgram.FOptimizeData) {
        auto* literal = dynamic_cast<TRELiteralCode*>(record.Code());
        const int branch = record.State != nullptr ? record.State->FBranchIndex : 0;
        // A literal that starts its alternative is a lead, which the lead map serves.
        if (branch < 1 || branch > count || literal == nullptr || !UsableLiteral(literal) ||
            record.Offset.Min < 0 || record.Kind == odkLead)
            continue;
        TREAnchorChoice candidate{literal, nullptr, record.Offset};
        auto& slot = best[static_cast<std::size_t>(branch)];
        if (slot.Code == nullptr || Better(candidate, slot))
            slot = std::move(candidate);
    }
    if (std::any_of(best.begin() + 1, best.end(),
                    [](const TREAnchorChoice& c) { return c.Code == nullptr; }))
        return result;
    result.Branches = std::make_unique<TRETrieSearch>();
    result.Offset = best[1].Offset;
    for (std::size_t i = best.size() - 1; i >= 1; --i) {
        auto* literal = static_cast<TRELiteralCode*>(best[i].Code);
        result.Branches->Add(literal->Strings(), literal->CompareOptions(), literal);
        result.Offset.Min = std::min(result.Offset.Min, best[i].Offset.Min);
        result.Offset.Max = result.Offset.Max < 0 || best[i].Offset.Max < 0
                                ? -1
                                : std::max(result.Offset.Max, best[i].Offset.Max);
    }
    return result;
}

} // namespace

const char16_t* TREAnchorChoice::Find(const char16_t* AStr, const char16_t* end) {
    if (Code != nullptr)
        return FindCode(Code, AStr, end);
    return AStr < end && Branches->Exec(AStr, static_cast<int>(end - AStr)) ? Branches->StartP()
                                                                            : nullptr;
}

void TRERequiredLiterals::Choose(const TRENFAProgram& AProgram) {
    FLiterals.clear();
    if (!AProgram.FVerbFree || !AProgram.FMemoCaptures || AProgram.FHasAccept)
        return;
    for (const TREOptimizeData& record : AProgram.FOptimizeData) {
        if (record.State == nullptr || record.State->FBranchIndex != 0)
            continue;
        TRECode* code = record.Code();
        const bool literal = dynamic_cast<TRELiteralCode*>(code) != nullptr ||
                             dynamic_cast<TRETrieCode*>(code) != nullptr;
        if (literal && std::none_of(FLiterals.begin(), FLiterals.end(),
                                    [&](const TLiteral& known) { return known.Code == code; }))
            FLiterals.push_back({code});
    }
}

bool TRERequiredLiterals::OccurFrom(const char16_t* AStr, const char16_t* end,
                                    std::uint64_t serial) {
    for (TLiteral& literal : FLiterals) {
        // A search of the same window that started no later and found nothing, or found an
        // occurrence at or after AStr, answers for this one.
        const bool known = literal.SearchedFrom != nullptr && serial == literal.Serial &&
                           end == literal.End && AStr >= literal.SearchedFrom &&
                           (literal.Hit == nullptr || AStr <= literal.Hit);
        if (!known) {
            literal.Serial = serial;
            literal.SearchedFrom = AStr;
            literal.End = end;
            literal.Hit = AStr < end ? FindCode(literal.Code, AStr, end) : nullptr;
        }
        if (literal.Hit == nullptr)
            return false;
    }
    return true;
}

namespace {

// The positive lookbehind on the one path from the entry, before anything consumes.
const TRENFAState* LeadingLookbehind(const TRENFAProgram& AProgram) {
    for (const TRENFAState* T = AProgram.Head(AProgram.FEntryState);
         T != nullptr && T->FNext == nullptr; T = AProgram.Head(T->FTransitTo)) {
        if (T->FKind == nkBehindMatch)
            return T;
        if (T->FKind != nkGroupBegin && T->FKind != nkEmpty && T->FKind != nkAnchor)
            return nullptr;
    }
    return nullptr;
}

} // namespace

TREAnchorChoice ChooseBehindAnchor(const TRENFAProgram& AProgram) {
    TREAnchorChoice best;
    if (!AProgram.FVerbFree || AProgram.FHasAccept || !LengthsAreExact(AProgram))
        return best;
    const TRENFAState* behind = LeadingLookbehind(AProgram);
    if (behind == nullptr || behind->FMin != behind->FMax || behind->FMax <= 0)
        return best;
    const TRENFAState* bodyEnd = AProgram.Head(behind->FExtendTo);
    int chars = 0; // before T in the body
    for (const TRENFAState* T = AProgram.Head(behind->FTransitTo);
         T != nullptr && T != bodyEnd && T->FNext == nullptr; T = AProgram.Head(T->FTransitTo)) {
        if (T->FKind == nkGroupBegin || T->FKind == nkGroupEnd || T->FKind == nkEmpty ||
            T->FKind == nkAnchor)
            continue;
        const TRETextPosRec length = T->FCode != nullptr ? T->FCode->CharLength() : TRETextPosRec{};
        if (T->FKind != nkChar || length.Min != length.Max)
            break;
        auto* literal = dynamic_cast<TRELiteralCode*>(T->FCode);
        if (literal != nullptr && UsableLiteral(literal) &&
            (best.Code == nullptr || literal->Length() > best.Code->Length())) {
            best.Code = literal;
            best.Behind = behind->FMax - chars;
        }
        chars += length.Min;
    }
    return best;
}

TREAnchorChoice ChooseAnchor(const TRENFAProgram& AProgram) {
    TREAnchorChoice best;
    if (!AProgram.FVerbFree || AProgram.FMemoCaptures || AProgram.FHasAccept)
        return best;
    // Records inside a top-level alternative hold only for the matches that take it.
    for (const TREOptimizeData& record : AProgram.FOptimizeData) {
        if (record.State == nullptr || record.State->FBranchIndex != 0 || record.Offset.Min < 0)
            continue;
        TRECode* code = record.Code();
        auto* literal = dynamic_cast<TRELiteralCode*>(code);
        if (literal != nullptr ? !UsableLiteral(literal)
                               : dynamic_cast<TRETrieCode*>(code) == nullptr)
            continue;
        TREAnchorChoice candidate{code, nullptr, record.Offset};
        if (best.Code == nullptr || Better(candidate, best))
            best = std::move(candidate);
    }
    if (best.Found())
        return DistancesHold(AProgram, best.Code) ? std::move(best) : TREAnchorChoice{};
    return LengthsAreExact(AProgram) ? ChooseBranchAnchors(AProgram) : TREAnchorChoice{};
}

} // namespace zel
