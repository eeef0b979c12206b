#pragma once
// When and with which key the matcher consults the match-explosion record.
//
// Looking a failure up costs at every loop head, and most searches never come back to a state
// that failed. So a search starts with the record off and turns it on (for the rest of the
// search) once it has taken more steps than a budget that grows with the distance its
// attempts have moved: a search whose work grows faster than the text it passes turns it on
// early, and from then on every failed state is recorded, which keeps its worst case where
// the record puts it.
//
// Without back-references a failure depends on the transition, the loop counters (the
// signature) and the position. With them it also depends on the captures a reference or a
// group condition can read: only those groups make up the rest of the key, which is built in
// a buffer that lives as long as the memo, so that a check allocates nothing.
#include <cstdint>
#include <vector>

#include "regex/match/explosion_record.h"
#include "regex/match/nfa.h"

namespace zel {

class TREOwner;

class TREFailureMemo {
public:
    TREFailureMemo(const TREOwner& AOwner, const TRENFAProgram& AProgram)
        : FOwner(AOwner), FProgram(AProgram) {}

    // After a compile: finds the groups whose captures a failure depends on.
    void Prepare();
    // A new search: the record is emptied and switched off.
    void StartSearch();
    bool Active() const { return FActive; }
    void Activate() { FActive = true; }
    // Steps a search may take, once its attempts have moved units from its start, before the
    // record is switched on.
    static std::uint64_t Budget(std::uint64_t units) { return kBaseSteps + kStepsPerUnit * units; }

    // Whether transition X with loop signature sig is known to fail at P with the captures as
    // they are now.
    bool Failed(const TRENFAState* X, std::uint64_t sig, const char16_t* P);
    void RecordFailure(const TRENFAState* X, std::uint64_t sig, const char16_t* P);

    TREMatchExplosionRecord& Record() { return FRecord; }
    const TREMatchExplosionRecord& Record() const { return FRecord; }

private:
    static constexpr std::uint64_t kBaseSteps = 4096;
    static constexpr std::uint64_t kStepsPerUnit = 16;
    static constexpr std::size_t kCapturedPerUnit = 64;

    std::uint64_t CapturedKey(const TRENFAState* X, std::uint64_t sig, const char16_t* P);
    std::size_t Offset(const char16_t* P) const;

    const TREOwner& FOwner;
    const TRENFAProgram& FProgram;
    TREMatchExplosionRecord FRecord;
    std::vector<int> FGroups;         // read by a reference or a group condition
    std::vector<std::uintptr_t> FKey; // the key of the last captured check
    bool FActive = false;
};

} // namespace zel
