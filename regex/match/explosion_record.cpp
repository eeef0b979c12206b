#include "regex/match/explosion_record.h"

namespace zel {

void TREMatchExplosionRecord::Clear() {
    // Clearing a map costs its bucket count even when it holds nothing.
    if (!FFailed.empty())
        FFailed.clear();
    if (!FStretches.empty())
        FStretches.clear();
    if (!FFailedCaptured.empty())
        FFailedCaptured.clear();
}

bool TREMatchExplosionRecord::Contains(TKey key, std::size_t pos) const {
    auto it = FFailed.find(key);
    if (it == FFailed.end())
        return false;
    const std::size_t page = pos / kPageBits;
    if (page >= it->second.size() || !it->second[page])
        return false;
    const std::size_t bit = pos % kPageBits;
    return ((*it->second[page])[bit / 64] >> (bit % 64)) & 1u;
}

void TREMatchExplosionRecord::Add(TKey key, std::size_t pos) {
    auto& pages = FFailed[key];
    const std::size_t page = pos / kPageBits;
    if (page >= pages.size())
        pages.resize(page + 1);
    if (!pages[page])
        pages[page] = std::make_unique<TPage>();
    const std::size_t bit = pos % kPageBits;
    (*pages[page])[bit / 64] |= std::uint64_t{1} << (bit % 64);
}

const TREMatchExplosionRecord::TStretch* TREMatchExplosionRecord::FindStretch(TKey key) const {
    auto it = FStretches.find(key);
    return it != FStretches.end() ? &it->second : nullptr;
}

void TREMatchExplosionRecord::SetStretch(TKey key, TStretch stretch) {
    FStretches[key] = stretch;
}

} // namespace zel
