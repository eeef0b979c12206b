#include "regex/search/unit_scan.h"

#include <algorithm>
#include <bit>
#include <type_traits>
#include <utility>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace zel {

TUnitSet::TUnitSet(std::vector<char16_t> units, int maxTests) {
    std::sort(units.begin(), units.end());
    units.erase(std::unique(units.begin(), units.end()), units.end());
    const auto member = [&](char16_t unit) {
        return std::binary_search(units.begin(), units.end(), unit);
    };
    std::vector<char16_t> rest;
    for (const char16_t unit : units) {
        // The upper of two members that differ in the case bit went with the lower one.
        const auto lower = static_cast<char16_t>(unit & ~kCaseBit);
        const auto upper = static_cast<char16_t>(unit | kCaseBit);
        if (unit != lower && member(lower) && Contains(unit))
            continue;
        if (FWidth == std::min(maxTests, kMaxTests)) {
            rest.push_back(unit);
            continue;
        }
        const bool paired = unit != upper && member(upper);
        FValues[static_cast<std::size_t>(FWidth)].fill(paired ? upper : unit);
        FMasks[static_cast<std::size_t>(FWidth)].fill(paired ? kCaseBit : 0);
        ++FWidth;
    }
    if (const int used = FWidth; used > 0) {
        std::fill(FValues.begin() + used, FValues.end(), FValues[std::size_t(used - 1)]);
        std::fill(FMasks.begin() + used, FMasks.end(), FMasks[std::size_t(used - 1)]);
        FWidth = static_cast<int>(std::bit_ceil(static_cast<unsigned>(used)));
    }
    if (!rest.empty()) {
        FRangeFirst = rest.front();
        FRangeLast = rest.back();
        FRangeBits.assign(static_cast<std::size_t>(FRangeLast - FRangeFirst) / 64 + 1, 0);
        for (const char16_t unit : rest) {
            const unsigned offset = static_cast<unsigned>(unit) - FRangeFirst;
            FRangeBits[offset >> 6] |= std::uint64_t{1} << (offset & 63);
        }
    }
}

bool TUnitSet::Contains(char16_t unit) const {
    for (int i = 0; i < FWidth; ++i) {
        const auto at = static_cast<std::size_t>(i);
        if ((unit | FMasks[at][0]) == FValues[at][0])
            return true;
    }
    return !FRangeBits.empty() && InRange(unit);
}

namespace {

const char16_t* ScanTail(const char16_t* p, const char16_t* end, const TUnitSet& set) {
    for (; p < end; ++p) {
        if (set.Contains(*p))
            return p;
    }
    return nullptr;
}

// From index i of [p, p + n) on, unit by unit.
const char16_t* ScanPairTail(const char16_t* p, std::ptrdiff_t i, std::ptrdiff_t n,
                             const TUnitSet& first, std::ptrdiff_t distance, const TUnitSet& last,
                             const TUnitSet& single) {
    for (; i < n; ++i) {
        if (single.Contains(p[i]) ||
            (i + distance < n && first.Contains(p[i]) && last.Contains(p[i + distance])))
            return p + i;
    }
    return nullptr;
}

#ifdef __SSE2__

constexpr std::ptrdiff_t kBlock = 8; // units per 128-bit load

__m128i Load(const char16_t* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

// Two bits per unit, in text order.
unsigned Mask(__m128i lanes) {
    return static_cast<unsigned>(_mm_movemask_epi8(lanes));
}

// Width 0 matches nothing.
template <int Width>
class TValueTest {
public:
    explicit TValueTest(const TUnitSet& set) {
        for (int i = 0; i < Width; ++i) {
            FValues[i] = Load(set.ValueLanes(i).data());
            FMasks[i] = Load(set.MaskLanes(i).data());
        }
    }
    __m128i Match(__m128i x) const { return MatchAll(x, std::make_index_sequence<Width>{}); }

private:
    // Unrolled: the tests stay in registers.
    template <std::size_t... I>
    __m128i MatchAll([[maybe_unused]] __m128i x, std::index_sequence<I...>) const {
        return (_mm_setzero_si128() | ... |
                _mm_cmpeq_epi16(_mm_or_si128(x, FMasks[I]), FValues[I]));
    }

    static constexpr int kSlots = Width > 0 ? Width : 1;
    __m128i FValues[kSlots];
    __m128i FMasks[kSlots];
};

// Units in [RangeFirst, RangeLast]: unit - first, wrapping, is at most the span.
class TRangeTest {
public:
    explicit TRangeTest(const TUnitSet& set)
        : FFirst(_mm_set1_epi16(static_cast<short>(set.RangeFirst()))),
          FSpan(_mm_set1_epi16(static_cast<short>(set.RangeLast() - set.RangeFirst()))) {}
    __m128i Match(__m128i x) const {
        return _mm_cmpeq_epi16(_mm_subs_epu16(_mm_sub_epi16(x, FFirst), FSpan),
                               _mm_setzero_si128());
    }

private:
    __m128i FFirst;
    __m128i FSpan;
};

// The first unit of block p that direct marks, or that inRange marks and set holds in its
// range; nullptr when none.
const char16_t* FirstMarked(const char16_t* p, unsigned direct, unsigned inRange,
                            const TUnitSet& set) {
    for (unsigned any = direct | inRange; any != 0;) {
        const int bit = std::countr_zero(any);
        if (((direct >> bit) & 1) != 0 || set.InRange(p[bit / 2]))
            return p + bit / 2;
        any &= ~(3u << bit);
    }
    return nullptr;
}

template <int Width, bool Range>
const char16_t* ScanSet(const char16_t* p, const char16_t* end, const TUnitSet& set) {
    const TValueTest<Width> values(set);
    const TRangeTest range(set);
    for (; end - p >= kBlock; p += kBlock) {
        const __m128i x = Load(p);
        const unsigned direct = Mask(values.Match(x));
        if constexpr (!Range) {
            if (direct != 0)
                return p + std::countr_zero(direct) / 2;
        } else if (const char16_t* hit = FirstMarked(p, direct, Mask(range.Match(x)), set)) {
            return hit;
        }
    }
    return ScanTail(p, end, set);
}

// Calls scan with the width of set as a constant.
template <typename Scan>
const char16_t* WithWidth(const TUnitSet& set, Scan scan) {
    switch (set.Width()) {
    case 0:
        return scan(std::integral_constant<int, 0>{});
    case 1:
        return scan(std::integral_constant<int, 1>{});
    case 2:
        return scan(std::integral_constant<int, 2>{});
    case 4:
        return scan(std::integral_constant<int, 4>{});
    default:
        return scan(std::integral_constant<int, TUnitSet::kMaxTests>{});
    }
}

// SingleWidth: the tests of single; SingleRange: single has a range.
template <int FirstWidth, int LastWidth, int SingleWidth, bool SingleRange>
const char16_t* ScanPair(const char16_t* p, const char16_t* end, const TUnitSet& first,
                         std::ptrdiff_t distance, const TUnitSet& last, const TUnitSet& single) {
    const TValueTest<FirstWidth> firstTest(first);
    const TValueTest<LastWidth> lastTest(last);
    const TValueTest<SingleWidth> singleTest(single);
    const TRangeTest singleRange(single);
    const std::ptrdiff_t n = end - p;
    std::ptrdiff_t i = 0;
    for (; i + distance + kBlock <= n; i += kBlock) {
        const __m128i x = Load(p + i);
        __m128i lanes = _mm_and_si128(firstTest.Match(x), lastTest.Match(Load(p + i + distance)));
        if constexpr (SingleWidth > 0)
            lanes = _mm_or_si128(lanes, singleTest.Match(x));
        const unsigned direct = Mask(lanes);
        if constexpr (!SingleRange) {
            if (direct != 0)
                return p + i + std::countr_zero(direct) / 2;
        } else if (const char16_t* hit =
                       FirstMarked(p + i, direct, Mask(singleRange.Match(x)), single)) {
            return hit;
        }
    }
    return ScanPairTail(p, i, n, first, distance, last, single);
}

#endif

} // namespace

const char16_t* FindUnit(const char16_t* p, const char16_t* end, const TUnitSet& set) noexcept {
    if (set.Empty() || p >= end)
        return nullptr;
#ifdef __SSE2__
    return WithWidth(set, [&](auto width) {
        constexpr int w = decltype(width)::value;
        return set.ValuesOnly() ? ScanSet<w, false>(p, end, set) : ScanSet<w, true>(p, end, set);
    });
#else
    return ScanTail(p, end, set);
#endif
}

const char16_t* FindUnitPair(const char16_t* p, const char16_t* end, const TUnitSet& first,
                             std::ptrdiff_t distance, const TUnitSet& last,
                             const TUnitSet& single) noexcept {
    if (first.Empty() || last.Empty())
        return FindUnit(p, end, single);
    if (p >= end)
        return nullptr;
#ifdef __SSE2__
    return WithWidth(first, [&](auto firstWidth) {
        return WithWidth(last, [&](auto lastWidth) {
            constexpr int fw = decltype(firstWidth)::value;
            constexpr int lw = decltype(lastWidth)::value;
            // The sets of single that TCandidateScan makes: none, two tests, or a range.
            if (single.Empty())
                return ScanPair<fw, lw, 0, false>(p, end, first, distance, last, single);
            if (single.ValuesOnly() && single.Width() <= 2)
                return ScanPair<fw, lw, 2, false>(p, end, first, distance, last, single);
            if (single.Width() == 0)
                return ScanPair<fw, lw, 0, true>(p, end, first, distance, last, single);
            return ScanPair<fw, lw, TUnitSet::kMaxTests, true>(p, end, first, distance, last,
                                                               single);
        });
    });
#else
    return ScanPairTail(p, 0, end - p, first, distance, last, single);
#endif
}

} // namespace zel
