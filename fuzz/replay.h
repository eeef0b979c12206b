#pragma once
// Replays committed fuzz findings: every file of a folder through a fuzz case.
#include <cstddef>
#include <cstdint>
#include <filesystem>

namespace zel::fuzz {

using FuzzCase = void (*)(const std::uint8_t* data, std::size_t size);

// Returns how many findings ran (a finding that fails crashes or aborts the test).
int ReplayFindings(const std::filesystem::path& folder, FuzzCase runCase);

} // namespace zel::fuzz
