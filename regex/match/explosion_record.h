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
#include <unordered_map>
#include <unordered_set>
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

    // A failure that also depends on the captures (patterns with back-references).
    struct TCapturedKey {
        int Transition;
        std::uint64_t Signature;
        std::size_t Pos;
        std::vector<std::uintptr_t> Captures;
        friend bool operator==(const TCapturedKey&, const TCapturedKey&) = default;
    };

    void Clear();
    bool Contains(const TCapturedKey& key) const { return FFailedCaptured.count(key) != 0; }
    void Add(TCapturedKey key) { FFailedCaptured.insert(std::move(key)); }
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
    struct TCapturedKeyHash {
        std::size_t operator()(const TCapturedKey& key) const noexcept {
            std::uint64_t h = key.Signature * 0x9E3779B97F4A7C15ull ^ key.Pos ^
                              (static_cast<std::uint64_t>(key.Transition) << 40);
            for (std::uintptr_t value : key.Captures)
                h = (h ^ value) * 0x100000001B3ull;
            return static_cast<std::size_t>(h);
        }
    };
    std::unordered_set<TCapturedKey, TCapturedKeyHash> FFailedCaptured;
};

} // namespace zel
