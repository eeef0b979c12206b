#include "regex/search/unit_scan.h"

#include <algorithm>
#include <bit>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace zel {

TUnitSet::TUnitSet(std::vector<char16_t> units) {
    std::sort(units.begin(), units.end());
    units.erase(std::unique(units.begin(), units.end()), units.end());
    FCount = static_cast<int>(units.size());
    if (FCount == 0)
        return;
    const int direct = std::min(FCount, kMaxValues);
    std::copy_n(units.begin(), direct, FValues.begin());
    std::fill(FValues.begin() + direct, FValues.end(), FValues[direct - 1]);
    FWidth = direct <= 2 ? direct : kMaxValues;
    if (FCount > kMaxValues) {
        FRangeFirst = units[kMaxValues];
        FRangeLast = units.back();
        FRangeBits.assign(static_cast<std::size_t>(FRangeLast - FRangeFirst) / 64 + 1, 0);
        for (std::size_t i = kMaxValues; i < units.size(); ++i) {
            const unsigned offset = static_cast<unsigned>(units[i]) - FRangeFirst;
            FRangeBits[offset >> 6] |= std::uint64_t{1} << (offset & 63);
        }
    }
}

bool TUnitSet::Contains(char16_t unit) const {
    for (int i = 0; i < FWidth; ++i) {
        if (FValues[static_cast<std::size_t>(i)] == unit)
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

// Width 0 tests nothing.
template <int Width>
class TValueTest {
public:
    explicit TValueTest(const TUnitSet& set) {
        for (int i = 0; i < Width; ++i)
            FValues[i] = _mm_set1_epi16(static_cast<short>(set.Values()[std::size_t(i)]));
    }
    __m128i Match(__m128i x) const {
        __m128i lanes = _mm_setzero_si128();
        for (int i = 0; i < Width; ++i)
            lanes = _mm_or_si128(lanes, _mm_cmpeq_epi16(x, FValues[i]));
        return lanes;
    }

private:
    __m128i FValues[Width > 0 ? Width : 1];
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
        } else {
            // A unit in the range is a member only when the bitmap says so.
            for (unsigned any = direct | Mask(range.Match(x)); any != 0;) {
                const int bit = std::countr_zero(any);
                if (((direct >> bit) & 1) != 0 || set.InRange(p[bit / 2]))
                    return p + bit / 2;
                any &= ~(3u << bit);
            }
        }
    }
    return ScanTail(p, end, set);
}

template <int Width>
const char16_t* ScanSetOf(const char16_t* p, const char16_t* end, const TUnitSet& set) {
    return set.ValuesOnly() ? ScanSet<Width, false>(p, end, set)
                            : ScanSet<Width, true>(p, end, set);
}

template <int FirstWidth, int LastWidth, int SingleWidth>
const char16_t* ScanPair(const char16_t* p, const char16_t* end, const TUnitSet& first,
                         std::ptrdiff_t distance, const TUnitSet& last, const TUnitSet& single) {
    const TValueTest<FirstWidth> firstTest(first);
    const TValueTest<LastWidth> lastTest(last);
    const TValueTest<SingleWidth> singleTest(single);
    const std::ptrdiff_t n = end - p;
    std::ptrdiff_t i = 0;
    for (; i + distance + kBlock <= n; i += kBlock) {
        const __m128i x = Load(p + i);
        __m128i lanes = _mm_and_si128(firstTest.Match(x), lastTest.Match(Load(p + i + distance)));
        if constexpr (SingleWidth > 0)
            lanes = _mm_or_si128(lanes, singleTest.Match(x));
        if (const unsigned mask = Mask(lanes); mask != 0)
            return p + i + std::countr_zero(mask) / 2;
    }
    return ScanPairTail(p, i, n, first, distance, last, single);
}

template <int FirstWidth, int LastWidth>
const char16_t* ScanPairWith(const char16_t* p, const char16_t* end, const TUnitSet& first,
                             std::ptrdiff_t distance, const TUnitSet& last,
                             const TUnitSet& single) {
    return single.Empty()
               ? ScanPair<FirstWidth, LastWidth, 0>(p, end, first, distance, last, single)
               : ScanPair<FirstWidth, LastWidth, TUnitSet::kMaxValues>(p, end, first, distance,
                                                                       last, single);
}

template <int FirstWidth>
const char16_t* ScanPairOf(const char16_t* p, const char16_t* end, const TUnitSet& first,
                           std::ptrdiff_t distance, const TUnitSet& last, const TUnitSet& single) {
    switch (last.Width()) {
    case 1:
        return ScanPairWith<FirstWidth, 1>(p, end, first, distance, last, single);
    case 2:
        return ScanPairWith<FirstWidth, 2>(p, end, first, distance, last, single);
    default:
        return ScanPairWith<FirstWidth, TUnitSet::kMaxValues>(p, end, first, distance, last,
                                                              single);
    }
}

#endif

} // namespace

const char16_t* FindUnit(const char16_t* p, const char16_t* end, const TUnitSet& set) noexcept {
    if (set.Empty() || p >= end)
        return nullptr;
#ifdef __SSE2__
    switch (set.Width()) {
    case 1:
        return ScanSetOf<1>(p, end, set);
    case 2:
        return ScanSetOf<2>(p, end, set);
    default:
        return ScanSetOf<TUnitSet::kMaxValues>(p, end, set);
    }
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
    switch (first.Width()) {
    case 1:
        return ScanPairOf<1>(p, end, first, distance, last, single);
    case 2:
        return ScanPairOf<2>(p, end, first, distance, last, single);
    default:
        return ScanPairOf<TUnitSet::kMaxValues>(p, end, first, distance, last, single);
    }
#else
    return ScanPairTail(p, 0, end - p, first, distance, last, single);
#endif
}

} // namespace zel
