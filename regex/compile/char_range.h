#pragma once
// A set of code points kept as inclusive ranges, sorted and free of overlaps: a range added
// over or next to others is merged with them, so a binary search answers membership.
#include <utility>
#include <vector>

namespace zel {

class TRECharRange {
public:
    void Add(char32_t AStart, char32_t ALast);
    void Assign(const TRECharRange& Source) { FList = Source.FList; }
    void Clear() { FList.clear(); }
    int Count() const { return static_cast<int>(FList.size()); }
    std::pair<char32_t, char32_t> Get(int Index) const {
        return FList[static_cast<std::size_t>(Index)];
    }
    bool IsMatch(char32_t Ch) const;

private:
    std::vector<std::pair<char32_t, char32_t>> FList;
};

} // namespace zel
