#include "regex/match/failure_memo.h"

#include <algorithm>

#include "regex/compile/owner.h"
#include "regex/compile/reference_codes.h"

namespace zel {

namespace {

std::uint64_t Mix(std::uint64_t h, std::uint64_t value) {
    return (h ^ value) * 0x9E3779B97F4A7C15ull;
}

// The table indexes by the low bits, which a product alone takes from the low bits only.
std::uint64_t Finish(std::uint64_t h) {
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    h ^= h >> 33;
    return h;
}

} // namespace

void TREFailureMemo::Prepare() {
    FGroups.clear();
    const auto& groups = FOwner.FGroups;
    auto addName = [&](const std::u16string& name) {
        for (int index : groups.EnumIndexOfName(name))
            FGroups.push_back(index);
    };
    for (const auto& T : FProgram.FTransitions) {
        const TRECode* code = T->FCode;
        if (const auto* named = dynamic_cast<const TRENamedReferenceCode*>(code))
            addName(named->GroupName());
        else if (const auto* reference = dynamic_cast<const TREReferenceCode*>(code))
            FGroups.push_back(reference->GroupIndex());
        else if (const auto* condition = dynamic_cast<const TREIfThenReferenceCode*>(code))
            FGroups.push_back(condition->FGroupIndex);
        else if (const auto* namedCondition =
                     dynamic_cast<const TREIfThenNamedReferenceCode*>(code))
            addName(namedCondition->FGroupName);
    }
    std::erase_if(FGroups, [&](int index) { return index < 1 || index >= groups.Count(); });
    std::sort(FGroups.begin(), FGroups.end());
    FGroups.erase(std::unique(FGroups.begin(), FGroups.end()), FGroups.end());
    FKey.reserve(3 + 3 * FGroups.size());
}

void TREFailureMemo::StartSearch() {
    FRecord.Clear();
    FActive = false;
}

std::size_t TREFailureMemo::Offset(const char16_t* P) const {
    return static_cast<std::size_t>(P - FOwner.FTextTopP);
}

// Fills FKey: the transition, the signature, the position and, per group that a reference can
// read, the three positions the matcher records (the success flag in the low bit of the end,
// which points at an even address). Answers its hash.
std::uint64_t TREFailureMemo::CapturedKey(const TRENFAState* X, std::uint64_t sig,
                                          const char16_t* P) {
    FKey.clear();
    FKey.push_back(static_cast<std::uintptr_t>(X->FIndex));
    FKey.push_back(static_cast<std::uintptr_t>(sig));
    FKey.push_back(Offset(P));
    const auto& groups = FOwner.FGroups;
    for (int index : FGroups) {
        const TGroup& g = groups.Items(index);
        FKey.push_back(reinterpret_cast<std::uintptr_t>(g.FStartP));
        FKey.push_back(reinterpret_cast<std::uintptr_t>(g.FStartPBuf));
        FKey.push_back(reinterpret_cast<std::uintptr_t>(g.FEndP) | (g.FSuccess ? 1u : 0u));
    }
    std::uint64_t h = 0;
    for (std::uintptr_t word : FKey)
        h = Mix(h, word);
    return Finish(h);
}

bool TREFailureMemo::Failed(const TRENFAState* X, std::uint64_t sig, const char16_t* P) {
    if (!FProgram.FMemoCaptures)
        return FRecord.Contains({X->FIndex, sig}, Offset(P));
    const std::uint64_t hash = CapturedKey(X, sig, P);
    return FRecord.Contains(hash, FKey);
}

void TREFailureMemo::RecordFailure(const TRENFAState* X, std::uint64_t sig, const char16_t* P) {
    if (!FProgram.FMemoCaptures) {
        FRecord.Add({X->FIndex, sig}, Offset(P));
        return;
    }
    // Captures can tell apart more failures than the text has positions by any factor: past
    // a number in proportion to the text the record keeps what it has and takes no more.
    const auto text = static_cast<std::size_t>(FOwner.FTextEndP - FOwner.FTextTopP);
    if (FRecord.CapturedCount() >= kCapturedPerUnit * (text + 1024))
        return;
    const std::uint64_t hash = CapturedKey(X, sig, P);
    FRecord.Add(hash, FKey);
}

} // namespace zel
