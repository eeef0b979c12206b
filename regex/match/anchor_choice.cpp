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

} // namespace

TREAnchorChoice ChooseAnchor(const TRENFAProgram& AProgram) {
    TREAnchorChoice best;
    if (!AProgram.FMemoSafe || AProgram.FMemoCaptures || AProgram.FHasAccept ||
        !LengthsAreExact(AProgram))
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
        const TREAnchorChoice candidate{code, record.Offset};
        if (best.Code == nullptr || Better(candidate, best))
            best = candidate;
    }
    return best;
}

} // namespace zel
