#pragma once
// The match-explosion record: which (transition, loop signature, subject position) triples are
// known to fail, so that a backtracking search never explores one twice. It costs nothing
// until something is recorded and grows with what is recorded only: each (transition,
// signature) pair gets a bit map over the subject that is allocated in pages of 4096
// positions as they are touched.
//
// It also keeps, per single-code loop and signature, the stretch of positions from which the
// continuation after the loop has already failed (see TREMatchEngine), so that a loop entered
// again inside a stretch it already gave back does not give it back again.
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <unordered_map>
#include <vector>

namespace zel {

class TREMatchExplosionRecord {
public:
    struct TKey {
        int Transition;
        std::uint64_t Signature;
        friend bool operator==(const TKey&, const TKey&) = default;
    };
    // Positions (p, High] failed after the loop; p >= Low.
    struct TStretch {
        std::size_t Low;
        std::size_t High;
    };

    void Clear();
    // A failure that also depends on the captures (patterns with back-references): the key
    // is a run of words of one length per pattern (transition, signature, position and the
    // captures a reference can read), hash its hash.
    bool Contains(std::uint64_t hash, std::span<const std::uintptr_t> key) const;
    void Add(std::uint64_t hash, std::span<const std::uintptr_t> key);
    std::size_t CapturedCount() const { return FKeyCount; }
    bool Contains(TKey key, std::size_t pos) const;
    void Add(TKey key, std::size_t pos);
    const TStretch* FindStretch(TKey key) const;
    void SetStretch(TKey key, TStretch stretch);

private:
    static constexpr std::size_t kPageBits = 4096;
    using TPage = std::array<std::uint64_t, kPageBits / 64>;
    struct TKeyHash {
        std::size_t operator()(const TKey& key) const noexcept {
            return std::hash<std::uint64_t>()(key.Signature * 0x9E3779B97F4A7C15ull ^
                                              static_cast<std::uint64_t>(key.Transition));
        }
    };
    std::unordered_map<TKey, std::vector<std::unique_ptr<TPage>>, TKeyHash> FFailed;
    std::unordered_map<TKey, TStretch, TKeyHash> FStretches;
    // Open addressing over the keys stored side by side in FKeys: a slot holds 1 + the key's
    // number, 0 when empty; FSlotHashes keeps each slot's hash so that most probes compare no
    // key.
    std::size_t Probe(std::uint64_t hash, std::span<const std::uintptr_t> key) const;
    void Grow();
    std::vector<std::uint32_t> FSlots;
    std::vector<std::uint64_t> FSlotHashes;
    std::vector<std::uintptr_t> FKeys;
    std::size_t FKeyLength = 0;
    std::size_t FKeyCount = 0;
};

} // namespace zel
