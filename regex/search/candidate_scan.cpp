#include "regex/search/candidate_scan.h"

#include "regex/search/first_units.h"

#include <utility>

namespace zel {

TCandidateScan TCandidateScan::OfUnits(std::vector<char16_t> units) {
    TCandidateScan scan;
    scan.FSingle = TUnitSet(std::move(units));
    return scan;
}

TCandidateScan TCandidateScan::OfPair(std::vector<char16_t> first, std::ptrdiff_t distance,
                                      std::vector<char16_t> last) {
    TCandidateScan scan;
    if (!scan.FPairs.Add(TUnitSet(first), TUnitSet(std::move(last))))
        return OfUnits(std::move(first));
    scan.FDistance = distance;
    return scan;
}

// The other units (a sharp s folding to "ss", a half-width kana that may take a sound mark, a
// high surrogate) are candidates whatever follows them. Too many pairs: the first units alone.
TCandidateScan TCandidateScan::OfFolded(const std::vector<TStart>& starts,
                                        TRECompareOptions options) {
    TCandidateScan scan;
    scan.FDistance = 1;
    std::vector<char16_t> all;
    std::vector<char16_t> single;
    bool paired = true;
    for (const TStart& start : starts) {
        all.insert(all.end(), start.First.begin(), start.First.end());
        std::vector<char16_t> alone;
        for (const char16_t unit : start.First)
            (start.Next && FoldsAlone(unit, options) ? alone : single).push_back(unit);
        paired = paired && (alone.empty() ||
                            scan.FPairs.Add(TUnitSet(std::move(alone)), TUnitSet(*start.Next)));
    }
    if (!paired)
        return OfUnits(std::move(all));
    // Many such units (the ligatures of an "f", say) are rare: one range test serves them.
    scan.FSingle = TUnitSet(single);
    if (scan.FSingle.Width() > 2 || !scan.FSingle.ValuesOnly())
        scan.FSingle = TUnitSet(std::move(single), 0);
    return scan;
}

bool TCandidateScan::MayStartWith(char16_t unit) const {
    if (FSingle.Contains(unit))
        return true;
    for (int i = 0; i < FPairs.Width(); ++i) {
        if (FPairs.First(i).Passes(unit))
            return true;
    }
    return false;
}

} // namespace zel
