#pragma once
// TCandidateScan finds the next position where a literal (or one of several) may start, by the
// units there: the units that may begin its first character and, where known, those that lie a
// fixed distance on. Built once per literal or trie; Find runs the unit scanners.
#include "regex/search/unit_scan.h"
#include "regex/types.h"

#include <optional>
#include <vector>

namespace zel {

class TCandidateScan {
public:
    // A position holding any of units.
    static TCandidateScan OfUnits(std::vector<char16_t> units);
    // A position holding one of first with one of last distance units on (distance > 0).
    static TCandidateScan OfPair(std::vector<char16_t> first, std::ptrdiff_t distance,
                                 std::vector<char16_t> last);
    // A position holding one of first, the units that may begin a character folding (by
    // options) to the first character, and then, when that unit is a whole character folding
    // to one character, one of next, the units that may begin the second (nullopt: unknown, or
    // the pattern has no second character). Units of first that are also in single are
    // candidates whatever follows them.
    static TCandidateScan OfFolded(const std::vector<char16_t>& first,
                                   const std::optional<std::vector<char16_t>>& next,
                                   TRECompareOptions options,
                                   const std::vector<char16_t>& single = {});

    // The first candidate in [p, end), nullptr when none.
    const char16_t* Find(const char16_t* p, const char16_t* end) const {
        return FDistance > 0 ? FindUnitPair(p, end, FFirst, FDistance, FLast, FSingle)
                             : FindUnit(p, end, FFirst);
    }
    // Whether a position holding unit may be a candidate.
    bool MayStartWith(char16_t unit) const {
        return FFirst.Contains(unit) || FSingle.Contains(unit);
    }

private:
    TUnitSet FFirst;
    TUnitSet FLast;
    TUnitSet FSingle;             // candidates whatever follows them (with a pair only)
    std::ptrdiff_t FDistance = 0; // 0: FFirst alone decides
};

} // namespace zel
