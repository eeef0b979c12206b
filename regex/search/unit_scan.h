#pragma once
// Scanners that find the next UTF-16 unit of a small set, or the next pair of units a fixed
// distance apart, eight units at a time with SSE2 (a plain loop where SSE2 is missing). The
// literal searches use them to skip to the few positions where a match can start.
//
// Every scan reads only inside [p, end): whole blocks are loaded only where they lie inside,
// the rest is tested unit by unit.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace zel {

// One comparison: a unit passes when, with Mask ORed in, it equals Value. Mask 0x20 lets two
// units that differ only in that bit pass (an ASCII letter in both cases, for one). Both are
// repeated in the eight units of a block, for the block scans.
struct TUnitTest {
    using TLanes = std::array<char16_t, 8>;
    TLanes Value{};
    TLanes Mask{};

    static constexpr char16_t kCaseBit = 0x20;
    TUnitTest() = default;
    TUnitTest(char16_t value, char16_t mask) {
        Value.fill(value);
        Mask.fill(mask);
    }
    bool Passes(char16_t unit) const { return (unit | Mask[0]) == Value[0]; }
};

// A set of units, tested by up to kMaxTests comparisons; members beyond them lie in a range
// whose members a bitmap marks: one test that lets units of a rare range through, for many
// members.
class TUnitSet {
public:
    static constexpr int kMaxTests = 8;

    TUnitSet() = default;
    // Any order, duplicates allowed. maxTests 0: all members in the range.
    explicit TUnitSet(std::vector<char16_t> units, int maxTests = kMaxTests);

    bool Empty() const { return FTestCount == 0 && FRangeBits.empty(); }
    bool Contains(char16_t unit) const;
    // All members are tested directly (no range).
    bool ValuesOnly() const { return FRangeBits.empty(); }

    // The tests: TestCount of them, padded to Width (0, 1, 2, 4 or kMaxTests) by repeating
    // the last one.
    const TUnitTest& Test(int i) const { return FTests[static_cast<std::size_t>(i)]; }
    int TestCount() const { return FTestCount; }
    int Width() const { return FWidth; }
    // Some test has a mask.
    bool Masked() const { return FMasked; }
    char16_t RangeFirst() const { return FRangeFirst; }
    char16_t RangeLast() const { return FRangeLast; }
    // Whether unit is a member in the range (the set has one).
    bool InRange(char16_t unit) const {
        const unsigned offset = static_cast<unsigned>(unit) - FRangeFirst;
        return unit >= FRangeFirst && unit <= FRangeLast &&
               ((FRangeBits[offset >> 6] >> (offset & 63)) & 1) != 0;
    }

private:
    std::array<TUnitTest, kMaxTests> FTests{};
    int FTestCount = 0;
    int FWidth = 0;
    bool FMasked = false;
    char16_t FRangeFirst = 0;
    char16_t FRangeLast = 0;
    std::vector<std::uint64_t> FRangeBits; // bit n: FRangeFirst + n is a member
};

// Pairs of tests: a position passes when its unit passes the first test of some pair and the
// unit a fixed distance on passes that pair's second test.
class TUnitPairs {
public:
    static constexpr int kMaxPairs = 8;

    // Adds every test of first paired with every test of last. False (and nothing added) when
    // that makes more than kMaxPairs, or a set has a range.
    bool Add(const TUnitSet& first, const TUnitSet& last);

    bool Empty() const { return FCount == 0; }
    // Padded as the tests of a TUnitSet.
    int Width() const { return FWidth; }
    bool Masked() const { return FMasked; }
    const TUnitTest& First(int i) const { return FFirst[static_cast<std::size_t>(i)]; }
    const TUnitTest& Last(int i) const { return FLast[static_cast<std::size_t>(i)]; }
    bool Passes(char16_t first, char16_t last) const;

private:
    std::array<TUnitTest, kMaxPairs> FFirst{};
    std::array<TUnitTest, kMaxPairs> FLast{};
    int FCount = 0;
    int FWidth = 0;
    bool FMasked = false;
};

// The first q in [p, end) whose unit is in set; nullptr when none.
const char16_t* FindUnit(const char16_t* p, const char16_t* end, const TUnitSet& set) noexcept;

// The first q in [p, end) with q[0] in single, or with q[0] and q[distance] passing pairs
// (q + distance < end); nullptr when none. single is empty, two tests at most without a range,
// or a range alone (maxTests 0). Pairs of a literal's first and last unit, or of its first two,
// let few false candidates through; single takes the first units after which the pairs say
// nothing.
const char16_t* FindUnitPair(const char16_t* p, const char16_t* end, const TUnitPairs& pairs,
                             std::ptrdiff_t distance, const TUnitSet& single) noexcept;

// Whether p is the second unit of a surrogate pair that begins at or after start: a scan from
// start finds units there, but no character begins there.
inline bool StartsInsidePair(const char16_t* p, const char16_t* start) {
    return p > start && *p >= 0xDC00 && *p <= 0xDFFF && p[-1] >= 0xD800 && p[-1] <= 0xDBFF;
}

} // namespace zel
