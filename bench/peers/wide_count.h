#pragma once
// The count loop of the engines that search a wide string through iterators (Boost.Regex and
// std::regex share the shape of their interface).
#include <cstdint>
#include <string>

namespace zel::bench {

// search(from, matchPrevAvail, match) answers whether a match starts at or after from.
template <class TMatch, class TSearch>
std::int64_t CountIteratorMatches(const std::wstring& text, TSearch search) {
    std::int64_t count = 0;
    auto pos = text.cbegin();
    TMatch match;
    while (search(pos, pos != text.cbegin(), match)) {
        ++count;
        pos = match[0].second;
        if (match[0].first == match[0].second) {
            if (pos == text.cend())
                break;
            ++pos;
        }
    }
    return count;
}

} // namespace zel::bench
