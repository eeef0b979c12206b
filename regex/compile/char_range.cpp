#include "regex/compile/char_range.h"

#include <algorithm>

namespace zel {

void TRECharRange::Add(char32_t AStart, char32_t ALast) {
    if (ALast < AStart)
        std::swap(AStart, ALast);
    // The first range that ends at or after AStart - 1 (touching counts as overlapping).
    auto first =
        std::lower_bound(FList.begin(), FList.end(), AStart, [](const auto& range, char32_t start) {
            return range.second + 1 < start;
        });
    auto last = first;
    while (last != FList.end() && last->first <= ALast + 1) {
        AStart = std::min(AStart, last->first);
        ALast = std::max(ALast, last->second);
        ++last;
    }
    if (first == last) {
        FList.insert(first, {AStart, ALast});
        return;
    }
    *first = {AStart, ALast};
    FList.erase(first + 1, last);
}

bool TRECharRange::IsMatch(char32_t Ch) const {
    int lo = 0;
    int hi = Count() - 1;
    while (lo <= hi) {
        int mid = (lo + hi) / 2;
        const auto& range = FList[static_cast<std::size_t>(mid)];
        if (Ch >= range.first && Ch <= range.second)
            return true;
        if (Ch < range.second)
            hi = mid - 1;
        else
            lo = mid + 1;
    }
    return false;
}

} // namespace zel
