#pragma once
// The regex fuzz case: one input of bytes becomes a pattern, a subject and an option set, and
// the pattern is compiled and run with every kind of search. Shared by the libFuzzer target
// and the regression test that replays committed inputs.
#include <cstddef>
#include <cstdint>

namespace zel {

// Runs one case; crashes, sanitizer reports and hangs are the findings.
void RunRegexFuzzCase(const std::uint8_t* data, std::size_t size);

} // namespace zel
