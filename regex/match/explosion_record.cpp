#include "regex/match/explosion_record.h"

#include <algorithm>

namespace zel {

void TREMatchExplosionRecord::Clear() {
    // Clearing a map costs its bucket count even when it holds nothing.
    if (!FFailed.empty())
        FFailed.clear();
    if (!FStretches.empty())
        FStretches.clear();
    if (FKeyCount != 0) {
        std::fill(FSlots.begin(), FSlots.end(), 0);
        FKeys.clear();
        FKeyCount = 0;
    }
}

std::size_t TREMatchExplosionRecord::Probe(std::uint64_t hash,
                                           std::span<const std::uintptr_t> key) const {
    const std::size_t mask = FSlots.size() - 1;
    for (std::size_t i = static_cast<std::size_t>(hash) & mask;; i = (i + 1) & mask) {
        const std::uint32_t slot = FSlots[i];
        if (slot == 0)
            return i;
        if (FSlotHashes[i] == hash &&
            std::equal(key.begin(), key.end(), FKeys.begin() + (slot - 1) * FKeyLength))
            return i;
    }
}

bool TREMatchExplosionRecord::Contains(std::uint64_t hash,
                                       std::span<const std::uintptr_t> key) const {
    return FKeyCount != 0 && key.size() == FKeyLength && FSlots[Probe(hash, key)] != 0;
}

void TREMatchExplosionRecord::Add(std::uint64_t hash, std::span<const std::uintptr_t> key) {
    if (FKeyCount == 0)
        FKeyLength = key.size();
    if ((FKeyCount + 1) * 2 > FSlots.size())
        Grow();
    const std::size_t i = Probe(hash, key);
    if (FSlots[i] != 0)
        return;
    FKeys.insert(FKeys.end(), key.begin(), key.end());
    FSlots[i] = static_cast<std::uint32_t>(++FKeyCount);
    FSlotHashes[i] = hash;
}

// Doubles the slots (at least 1024) and enters every stored key again.
void TREMatchExplosionRecord::Grow() {
    const std::size_t size = std::max<std::size_t>(1024, FSlots.size() * 2);
    std::vector<std::uint64_t> hashes(FKeyCount);
    for (std::size_t i = 0; i < FSlots.size(); ++i)
        if (FSlots[i] != 0)
            hashes[FSlots[i] - 1] = FSlotHashes[i];
    FSlots.assign(size, 0);
    FSlotHashes.assign(size, 0);
    const std::size_t mask = size - 1;
    for (std::size_t k = 0; k < FKeyCount; ++k) {
        std::size_t i = static_cast<std::size_t>(hashes[k]) & mask;
        while (FSlots[i] != 0)
            i = (i + 1) & mask;
        FSlots[i] = static_cast<std::uint32_t>(k + 1);
        FSlotHashes[i] = hashes[k];
    }
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
