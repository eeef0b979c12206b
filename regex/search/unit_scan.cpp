#include "regex/search/unit_scan.h"

#include <algorithm>
#include <bit>
#include <type_traits>
#include <utility>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace zel {

namespace {

// The scans unroll their tests for these counts; the places up to it repeat the last test.
template <typename T, std::size_t N>
int Pad(std::array<T, N>& tests, int count) {
    if (count == 0)
        return 0;
    std::fill(tests.begin() + count, tests.end(), tests[static_cast<std::size_t>(count - 1)]);
    return static_cast<int>(std::bit_ceil(static_cast<unsigned>(count)));
}

} // namespace

TUnitSet::TUnitSet(std::vector<char16_t> units, int maxTests) {
    std::sort(units.begin(), units.end());
    units.erase(std::unique(units.begin(), units.end()), units.end());
    const auto member = [&](char16_t unit) {
        return std::binary_search(units.begin(), units.end(), unit);
    };
    const int testLimit = std::min(maxTests, kMaxTests);
    std::vector<char16_t> rest;
    for (const char16_t unit : units) {
        const auto lower = static_cast<char16_t>(unit & ~TUnitTest::kCaseBit);
        const auto upper = static_cast<char16_t>(unit | TUnitTest::kCaseBit);
        // The upper of two members that differ in the case bit went with the lower one.
        if (unit != lower && member(lower) && Contains(unit))
            continue;
        if (FTestCount == testLimit) {
            rest.push_back(unit);
            continue;
        }
        const bool paired = unit != upper && member(upper);
        FTests[static_cast<std::size_t>(FTestCount++)] =
            paired ? TUnitTest(upper, TUnitTest::kCaseBit) : TUnitTest(unit, 0);
        FMasked = FMasked || paired;
    }
    FWidth = Pad(FTests, FTestCount);
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
    for (int i = 0; i < FTestCount; ++i) {
        if (Test(i).Passes(unit))
            return true;
    }
    return !FRangeBits.empty() && InRange(unit);
}

bool TUnitPairs::Add(const TUnitSet& first, const TUnitSet& last) {
    if (!first.ValuesOnly() || !last.ValuesOnly() ||
        FCount + first.TestCount() * last.TestCount() > kMaxPairs)
        return false;
    for (int i = 0; i < first.TestCount(); ++i) {
        for (int j = 0; j < last.TestCount(); ++j) {
            FFirst[static_cast<std::size_t>(FCount)] = first.Test(i);
            FLast[static_cast<std::size_t>(FCount)] = last.Test(j);
            ++FCount;
        }
    }
    Pad(FFirst, FCount);
    FWidth = Pad(FLast, FCount);
    FMasked = FMasked || first.Masked() || last.Masked();
    return true;
}

bool TUnitPairs::Passes(char16_t first, char16_t last) const {
    for (int i = 0; i < FCount; ++i) {
        if (First(i).Passes(first) && Last(i).Passes(last))
            return true;
    }
    return false;
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
                             const TUnitPairs& pairs, std::ptrdiff_t distance,
                             const TUnitSet& single) {
    for (; i < n; ++i) {
        if (single.Contains(p[i]) || (i + distance < n && pairs.Passes(p[i], p[i + distance])))
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

// Masked false: the test's mask is 0, and the OR is left out.
template <bool Masked = true>
class TLaneTest {
public:
    TLaneTest() = default;
    explicit TLaneTest(const TUnitTest& test)
        : FValue(Load(test.Value.data())), FMask(Load(test.Mask.data())) {}
    __m128i Match(__m128i x) const {
        if constexpr (Masked)
            return _mm_cmpeq_epi16(_mm_or_si128(x, FMask), FValue);
        return _mm_cmpeq_epi16(x, FValue);
    }

private:
    __m128i FValue{};
    __m128i FMask{};
};

// The tests of a set, unrolled: they stay in registers. Width 0 matches nothing.
template <int Width>
class TSetTest {
public:
    explicit TSetTest(const TUnitSet& set) {
        for (int i = 0; i < Width; ++i)
            FTests[i] = TLaneTest<>(set.Test(i));
    }
    __m128i Match(__m128i x) const { return MatchAll(x, std::make_index_sequence<Width>{}); }

private:
    template <std::size_t... I>
    __m128i MatchAll([[maybe_unused]] __m128i x, std::index_sequence<I...>) const {
        return (_mm_setzero_si128() | ... | FTests[I].Match(x));
    }

    TLaneTest<> FTests[Width > 0 ? Width : 1];
};

template <int Width, bool Masked>
class TPairTest {
public:
    explicit TPairTest(const TUnitPairs& pairs) {
        for (int i = 0; i < Width; ++i) {
            FFirst[i] = TLaneTest<Masked>(pairs.First(i));
            FLast[i] = TLaneTest<Masked>(pairs.Last(i));
        }
    }
    __m128i Match(__m128i x, __m128i y) const {
        return MatchAll(x, y, std::make_index_sequence<Width>{});
    }

private:
    template <std::size_t... I>
    __m128i MatchAll(__m128i x, __m128i y, std::index_sequence<I...>) const {
        return (_mm_setzero_si128() | ... | (FFirst[I].Match(x) & FLast[I].Match(y)));
    }

    TLaneTest<Masked> FFirst[Width];
    TLaneTest<Masked> FLast[Width];
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

// The tests of set, and its range when Range.
template <int Width, bool Range>
class TSetScan {
public:
    explicit TSetScan(const TUnitSet& set) : FSet(set), FTests(set), FRange(set) {}
    // The first member in block p, whose units are x, or in which lanes are set.
    const char16_t* First(const char16_t* p, __m128i x, __m128i lanes) const {
        const unsigned direct = Mask(lanes | FTests.Match(x));
        if constexpr (Range)
            return FirstMarked(p, direct, Mask(FRange.Match(x)), FSet);
        return direct != 0 ? p + std::countr_zero(direct) / 2 : nullptr;
    }

private:
    const TUnitSet& FSet;
    TSetTest<Width> FTests;
    TRangeTest FRange;
};

// Calls scan with set's width and whether it has a range, as constants.
template <typename Scan>
const char16_t* WithShape(const TUnitSet& set, Scan scan) {
    if (!set.ValuesOnly()) {
        if (set.Width() == 0)
            return scan(TSetScan<0, true>(set));
        return scan(TSetScan<TUnitSet::kMaxTests, true>(set));
    }
    switch (set.Width()) {
    case 0:
        return scan(TSetScan<0, false>(set));
    case 1:
        return scan(TSetScan<1, false>(set));
    case 2:
        return scan(TSetScan<2, false>(set));
    case 4:
        return scan(TSetScan<4, false>(set));
    default:
        return scan(TSetScan<TUnitSet::kMaxTests, false>(set));
    }
}

template <typename SetScan>
const char16_t* ScanSet(const char16_t* p, const char16_t* end, const TUnitSet& set,
                        const SetScan& scan) {
    for (; end - p >= kBlock; p += kBlock) {
        if (const char16_t* hit = scan.First(p, Load(p), _mm_setzero_si128()))
            return hit;
    }
    return ScanTail(p, end, set);
}

template <int Width, bool Masked, typename SingleScan>
const char16_t* ScanPairs(const char16_t* p, const char16_t* end, const TUnitPairs& pairs,
                          std::ptrdiff_t distance, const TUnitSet& single,
                          const SingleScan& singleScan) {
    const TPairTest<Width, Masked> test(pairs);
    const std::ptrdiff_t n = end - p;
    std::ptrdiff_t i = 0;
    for (; i + distance + kBlock <= n; i += kBlock) {
        const __m128i x = Load(p + i);
        if (const char16_t* hit = singleScan.First(p + i, x, test.Match(x, Load(p + i + distance))))
            return hit;
    }
    return ScanPairTail(p, i, n, pairs, distance, single);
}

#endif

} // namespace

const char16_t* FindUnit(const char16_t* p, const char16_t* end, const TUnitSet& set) noexcept {
    if (set.Empty() || p >= end)
        return nullptr;
#ifdef __SSE2__
    return WithShape(set, [&](const auto& scan) { return ScanSet(p, end, set, scan); });
#else
    return ScanTail(p, end, set);
#endif
}

const char16_t* FindUnitPair(const char16_t* p, const char16_t* end, const TUnitPairs& pairs,
                             std::ptrdiff_t distance, const TUnitSet& single) noexcept {
    if (pairs.Empty())
        return FindUnit(p, end, single);
    if (p >= end)
        return nullptr;
#ifdef __SSE2__
    const auto withWidth = [&](auto masked, const auto& singleScan) {
        constexpr bool m = decltype(masked)::value;
        switch (pairs.Width()) {
        case 1:
            return ScanPairs<1, m>(p, end, pairs, distance, single, singleScan);
        case 2:
            return ScanPairs<2, m>(p, end, pairs, distance, single, singleScan);
        case 4:
            return ScanPairs<4, m>(p, end, pairs, distance, single, singleScan);
        default:
            return ScanPairs<TUnitPairs::kMaxPairs, m>(p, end, pairs, distance, single, singleScan);
        }
    };
    const auto withPairs = [&](const auto& singleScan) {
        return pairs.Masked() ? withWidth(std::true_type{}, singleScan)
                              : withWidth(std::false_type{}, singleScan);
    };
    if (single.Empty())
        return withPairs(TSetScan<0, false>(single));
    if (single.ValuesOnly())
        return withPairs(TSetScan<2, false>(single));
    return withPairs(TSetScan<0, true>(single));
#else
    return ScanPairTail(p, 0, end - p, pairs, distance, single);
#endif
}

} // namespace zel
