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

// A set of units: up to kMaxValues of them compared directly; beyond that the smallest
// kMaxValues are compared and the others lie in a range whose members a bitmap marks.
class TUnitSet {
public:
    static constexpr int kMaxValues = 8;

    TUnitSet() = default;
    // Any order, duplicates allowed.
    explicit TUnitSet(std::vector<char16_t> units);

    bool Empty() const { return FCount == 0; }
    // Members in all.
    int Count() const { return FCount; }
    bool Contains(char16_t unit) const;
    // All members are compared directly (no range).
    bool ValuesOnly() const { return FRangeBits.empty(); }

    // The compared values, Width (1, 2 or 8) of them; the unused places repeat the last one.
    const std::array<char16_t, kMaxValues>& Values() const { return FValues; }
    int Width() const { return FWidth; }
    char16_t RangeFirst() const { return FRangeFirst; }
    char16_t RangeLast() const { return FRangeLast; }
    bool InRange(char16_t unit) const {
        const unsigned offset = static_cast<unsigned>(unit) - FRangeFirst;
        return unit >= FRangeFirst && unit <= FRangeLast &&
               ((FRangeBits[offset >> 6] >> (offset & 63)) & 1) != 0;
    }

private:
    std::array<char16_t, kMaxValues> FValues{};
    int FWidth = 0;
    int FCount = 0;
    char16_t FRangeFirst = 0;
    char16_t FRangeLast = 0;
    std::vector<std::uint64_t> FRangeBits; // bit n: FRangeFirst + n is a member
};

// The first q in [p, end) whose unit is in set; nullptr when none.
const char16_t* FindUnit(const char16_t* p, const char16_t* end, const TUnitSet& set) noexcept;

// The first q in [p, end) with q[0] in single, or with q[0] in first and q[distance] in last
// (q + distance < end); nullptr when none. The three sets must be ValuesOnly; single may be
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
