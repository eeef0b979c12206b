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
    // A character strings may begin with: the units that may begin it and, when known, the
    // units that may begin the character after it (nullopt: unknown, or a string may end
    // after it).
    struct TStart {
        std::vector<char16_t> First;
        std::optional<std::vector<char16_t>> Next;
    };

    // A position holding any of units.
    static TCandidateScan OfUnits(std::vector<char16_t> units);
    // A position holding one of first with one of last distance units on (distance > 0).
    static TCandidateScan OfPair(std::vector<char16_t> first, std::ptrdiff_t distance,
                                 std::vector<char16_t> last);
    // A position where a string folded by options may begin: a unit of some start's First
    // and, when that unit is a whole character folding to one character, a unit of its Next
    // right after it.
    static TCandidateScan OfFolded(const std::vector<TStart>& starts, TRECompareOptions options);

    // The first candidate in [p, end), nullptr when none.
    const char16_t* Find(const char16_t* p, const char16_t* end) const {
        return FPairs.Empty() ? FindUnit(p, end, FSingle)
                              : FindUnitPair(p, end, FPairs, FDistance, FSingle);
    }
    // Whether a position holding unit may be a candidate.
    bool MayStartWith(char16_t unit) const;

private:
    TUnitPairs FPairs;
    std::ptrdiff_t FDistance = 0;
    TUnitSet FSingle; // candidates whatever follows them
};

} // namespace zel
