#pragma once
// Scanners that find the next UTF-16 unit of a small set, eight units at a time with SSE2 (a
// plain loop where SSE2 is missing). The literal searches use them to skip to the few positions
// where a match can start.
//
// Every scan reads only inside [p, end): whole blocks are loaded only where they lie inside,
// the rest is tested unit by unit.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace zel {

// A set of units, tested by up to kMaxTests comparisons: a test matches a unit when the unit
// with the test's mask ORed in equals its value. Two members that differ only in bit 0x20
// (an ASCII letter in both cases, for one) share a test with mask 0x20. Members beyond the tests
// lie in a range whose members a bitmap marks: one test that lets units of rare ranges
// through, for many members.
class TUnitSet {
public:
    static constexpr int kMaxTests = 8;
    static constexpr char16_t kCaseBit = 0x20;

    TUnitSet() = default;
    // Any order, duplicates allowed. maxTests 0: all members in the range.
    explicit TUnitSet(std::vector<char16_t> units, int maxTests = kMaxTests);

    bool Empty() const { return FWidth == 0 && FRangeBits.empty(); }
    bool Contains(char16_t unit) const;
    // All members are tested directly (no range).
    bool ValuesOnly() const { return FRangeBits.empty(); }

    // The tests, Width (0, 1, 2, 4 or kMaxTests) of them; the unused places repeat the last one.
    // Each value and mask is repeated in the eight units of a block, for the block scans.
    using TLanes = std::array<char16_t, 8>;
    const TLanes& ValueLanes(int test) const { return FValues[static_cast<std::size_t>(test)]; }
    const TLanes& MaskLanes(int test) const { return FMasks[static_cast<std::size_t>(test)]; }
    int Width() const { return FWidth; }
    char16_t RangeFirst() const { return FRangeFirst; }
    char16_t RangeLast() const { return FRangeLast; }
    // Whether unit is a member in the range (the set has one).
    bool InRange(char16_t unit) const {
        const unsigned offset = static_cast<unsigned>(unit) - FRangeFirst;
        return unit >= FRangeFirst && unit <= FRangeLast &&
               ((FRangeBits[offset >> 6] >> (offset & 63)) & 1) != 0;
    }

private:
    std::array<TLanes, kMaxTests> FValues{};
    std::array<TLanes, kMaxTests> FMasks{};
    int FWidth = 0;
    char16_t FRangeFirst = 0;
    char16_t FRangeLast = 0;
    std::vector<std::uint64_t> FRangeBits; // bit n: FRangeFirst + n is a member
};

// The first q in [p, end) whose unit is in set; nullptr when none.
const char16_t* FindUnit(const char16_t* p, const char16_t* end, const TUnitSet& set) noexcept;

// The first q in [p, end) with q[0] in single, or with q[0] in first and q[distance] in last
// (q + distance < end); nullptr when none. first and last must be ValuesOnly; single may be
// empty. The pair of a literal's first and last unit lets very few false candidates through;
// single takes the first units after which the pair says nothing.
const char16_t* FindUnitPair(const char16_t* p, const char16_t* end, const TUnitSet& first,
                             std::ptrdiff_t distance, const TUnitSet& last,
                             const TUnitSet& single) noexcept;

// Whether p is the second unit of a surrogate pair that begins at or after start: a scan from
// start finds units there, but no character begins there.
inline bool StartsInsidePair(const char16_t* p, const char16_t* start) {
    return p > start && *p >= 0xDC00 && *p <= 0xDFFF && p[-1] >= 0xD800 && p[-1] <= 0xDBFF;
}

} // namespace zel
