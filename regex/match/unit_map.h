#pragma once
// TREUnitMap: a bit for each UTF-16 unit outside the surrogate range telling whether a
// one-character code matches that unit standing alone, so that runs of the code and the next
// place where it may match are found without asking the code at every position. A surrogate
// pair is always left to the code itself.
//
// When the members form a few ranges, the scans test eight units at a time with SSE2.
#include <array>
#include <cstdint>
#include <vector>

namespace zel {

class TRECode;

// Whether code matches unit standing alone (a one-character code decides from it).
bool MatchesAlone(TRECode& code, char16_t unit);

class TREUnitMap {
public:
    void Admit(char32_t unit) { FBits[unit >> 6] |= std::uint64_t{1} << (unit & 63); }
    // Admits every unit at which code matches alone (code must decide from that one unit).
    void AdmitCode(TRECode& code);
    // Call after the last Admit: prepares the range scans.
    void Seal();

    bool Contains(char16_t unit) const { return (FBits[unit >> 6] >> (unit & 63) & 1) != 0; }
    // The first position from p, before end, holding a member or a surrogate.
    const char16_t* FindCandidate(const char16_t* p, const char16_t* end) const;
    // Where the run of code from p ends (p itself when code does not match there), reading
    // members from the map and asking code only at surrogates.
    const char16_t* RunEnd(TRECode& code, const char16_t* p, const char16_t* end) const;

private:
    struct TRange {
        char16_t First;
        char16_t Last;
    };
    // The first position from p, before end, whose unit lies in one of ranges (or outside all
    // of them, with outside): nullptr when none is found among the whole blocks of eight,
    // leaving p at the first unit not yet tested.
    static const char16_t* ScanBlocks(const char16_t*& p, const char16_t* end,
                                      const std::vector<TRange>& ranges, bool outside);

    std::array<std::uint64_t, 0x10000 / 64> FBits{};
    std::vector<TRange> FMemberRanges;    // the members, when they form few ranges
    std::vector<TRange> FCandidateRanges; // the members and the surrogates, likewise
    bool FMemberScan = false;
    bool FCandidateScan = false;
};

} // namespace zel
