#include "peer_engine.h"

#include <algorithm>

namespace zel::bench {

std::vector<TPeerEntry>& PeerRegistry() {
    static std::vector<TPeerEntry> entries;
    return entries;
}

TPeerRegistration::TPeerRegistration(int rank, std::string name, TPeerFactory make) {
    auto& entries = PeerRegistry();
    entries.push_back({rank, std::move(name), std::move(make)});
    std::sort(entries.begin(), entries.end(),
              [](const TPeerEntry& a, const TPeerEntry& b) { return a.Rank < b.Rank; });
}

} // namespace zel::bench
