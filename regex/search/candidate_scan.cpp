#include "regex/search/candidate_scan.h"

#include "regex/search/first_units.h"

#include <algorithm>
#include <utility>

namespace zel {

TCandidateScan TCandidateScan::OfUnits(std::vector<char16_t> units) {
    TCandidateScan scan;
    scan.FFirst = TUnitSet(std::move(units));
    return scan;
}

TCandidateScan TCandidateScan::OfPair(std::vector<char16_t> first, std::ptrdiff_t distance,
                                      std::vector<char16_t> last) {
    TCandidateScan scan;
    scan.FFirst = TUnitSet(std::move(first));
    scan.FLast = TUnitSet(std::move(last));
    scan.FDistance = distance;
    return scan;
}

// The others (a sharp s folding to "ss", a half-width kana that may take a sound mark, a high
// surrogate) are candidates by themselves.
TCandidateScan TCandidateScan::OfFolded(const std::vector<char16_t>& first,
                                        const std::optional<std::vector<char16_t>>& next,
                                        TRECompareOptions options,
                                        const std::vector<char16_t>& single) {
    if (!next)
        return OfUnits(first);
    std::vector<char16_t> alone;
    std::vector<char16_t> singles = single;
    for (const char16_t unit : first) {
        const bool anyNext = std::find(single.begin(), single.end(), unit) != single.end();
        if (!anyNext)
            (FoldsAlone(unit, options) ? alone : singles).push_back(unit);
    }
    TCandidateScan scan;
    scan.FFirst = TUnitSet(std::move(alone));
    scan.FLast = TUnitSet(*next);
    if (!scan.FFirst.ValuesOnly() || !scan.FLast.ValuesOnly())
        return OfUnits(first);
    // Many such units (the ligatures of an "f", say) are rare: one range test serves them.
    scan.FSingle = TUnitSet(singles);
    if (scan.FSingle.Width() > 2)
        scan.FSingle = TUnitSet(std::move(singles), 0);
    scan.FDistance = 1;
    return scan;
}

} // namespace zel
