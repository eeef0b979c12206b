#include "regex/match/unit_map.h"

#include <algorithm>
#include <bit>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "regex/compile/code.h"
#include "regex/compile/owner.h"

namespace zel {

namespace {

constexpr std::size_t kMaxRanges = 4;
constexpr std::ptrdiff_t kNearUnits = 8;

bool IsSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDFFF;
}

} // namespace

bool MatchesAlone(TRECode& code, char16_t unit) {
    TREWindowScope window(*code.FRegExp, &unit, &unit + 1);
    int len = 0;
    return code.IsEqual(&unit, len);
}

void TREUnitMap::AdmitCode(TRECode& code) {
    for (char32_t u = 0; u < 0x10000; ++u)
        if ((u < 0xD800 || u > 0xDFFF) && MatchesAlone(code, static_cast<char16_t>(u)))
            Admit(u);
}

void TREUnitMap::Seal() {
    std::vector<TRange> members;
    for (char32_t u = 0; u < 0x10000; ++u) {
        if (!Contains(static_cast<char16_t>(u)))
            continue;
        if (!members.empty() && members.back().Last + 1u == u)
            members.back().Last = static_cast<char16_t>(u);
        else
            members.push_back({static_cast<char16_t>(u), static_cast<char16_t>(u)});
    }
    std::vector<TRange> candidates;
    bool surrogatesIn = false;
    for (const TRange& range : members) {
        if (!surrogatesIn && range.First > 0xDFFF) {
            candidates.push_back({0xD800, 0xDFFF});
            surrogatesIn = true;
        }
        candidates.push_back(range);
    }
    if (!surrogatesIn)
        candidates.push_back({0xD800, 0xDFFF});
    FMemberScan = members.size() <= kMaxRanges;
    FCandidateScan = candidates.size() <= kMaxRanges;
    FMemberRanges = FMemberScan ? std::move(members) : std::vector<TRange>{};
    FCandidateRanges = FCandidateScan ? std::move(candidates) : std::vector<TRange>{};
}

const char16_t* TREUnitMap::ScanBlocks(const char16_t*& p, const char16_t* end,
                                       const std::vector<TRange>& ranges, bool outside) {
#ifdef __SSE2__
    const __m128i zero = _mm_setzero_si128();
    __m128i first[kMaxRanges];
    __m128i span[kMaxRanges];
    const std::size_t count = ranges.size();
    for (std::size_t i = 0; i < count; ++i) {
        first[i] = _mm_set1_epi16(static_cast<short>(ranges[i].First));
        span[i] = _mm_set1_epi16(static_cast<short>(ranges[i].Last - ranges[i].First));
    }
    for (; end - p >= 8; p += 8) {
        const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        __m128i in = zero;
        // unit - First, wrapping, is at most Last - First exactly for the range's members.
        for (std::size_t i = 0; i < count; ++i)
            in = _mm_or_si128(
                in, _mm_cmpeq_epi16(_mm_subs_epu16(_mm_sub_epi16(units, first[i]), span[i]), zero));
        unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(in));
        if (outside)
            mask = ~mask & 0xFFFFu;
        if (mask != 0)
            return p + (std::countr_zero(mask) >> 1);
    }
#else
    (void)end;
    (void)ranges;
    (void)outside;
#endif
    return nullptr;
}

const char16_t* TREUnitMap::FindCandidate(const char16_t* p, const char16_t* end) const {
    // The next candidate is often near (the next word): a few units are asked first.
    for (const char16_t* near = std::min(end, p + kNearUnits); p < near; ++p)
        if (Contains(*p) || IsSurrogate(*p))
            return p;
    if (FCandidateScan) {
        if (const char16_t* hit = ScanBlocks(p, end, FCandidateRanges, false))
            return hit;
    }
    for (; p < end; ++p)
        if (Contains(*p) || IsSurrogate(*p))
            return p;
    return nullptr;
}

const char16_t* TREUnitMap::RunEnd(TRECode& code, const char16_t* p, const char16_t* end) const {
    for (;;) {
        // Runs are often short (a word): a few units are asked before the block scan.
        for (const char16_t* near = std::min(end, p + kNearUnits); p < near && Contains(*p);)
            ++p;
        const bool longer = p < end && Contains(*p);
        const char16_t* stop =
            longer && FMemberScan ? ScanBlocks(p, end, FMemberRanges, true) : nullptr;
        if (stop != nullptr)
            p = stop;
        else
            while (p < end && Contains(*p))
                ++p;
        int len = 0;
        if (p < end && IsSurrogate(*p) && code.IsEqual(p, len) && len > 0) {
            p += len;
            continue;
        }
        return p;
    }
}

} // namespace zel
