#include "regex/match/anchor_choice.h"

#include "regex/compile/literal_code.h"

namespace zel {

namespace {

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

bool Better(const TREAnchorChoice& a, const TREAnchorChoice& b) {
    if ((a.Offset.Max >= 0) != (b.Offset.Max >= 0))
        return a.Offset.Max >= 0;
    return a.Code->Length() > b.Code->Length();
}

} // namespace

TREAnchorChoice ChooseAnchor(const TRENFAProgram& AProgram) {
    TREAnchorChoice best;
    if (!AProgram.FMemoSafe || AProgram.FMemoCaptures || AProgram.FHasAccept ||
        !LengthsAreExact(AProgram))
        return best;
    // Records inside a top-level alternative hold only for the matches that take it.
    for (const TREOptimizeData& record : AProgram.FOptimizeData) {
        auto* literal = record.State != nullptr && record.State->FBranchIndex == 0
                            ? dynamic_cast<TRELiteralCode*>(record.Code())
                            : nullptr;
        // A literal that begins with a trailing surrogate could be found inside a pair.
        if (literal == nullptr || record.Offset.Min < 0 || literal->Strings().empty() ||
            (literal->Strings()[0] >= 0xDC00 && literal->Strings()[0] <= 0xDFFF))
            continue;
        const TREAnchorChoice candidate{literal, record.Offset};
        if (best.Code == nullptr || Better(candidate, best))
            best = candidate;
    }
    return best;
}

} // namespace zel
