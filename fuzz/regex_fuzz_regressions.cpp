// Replays every committed fuzz finding (fuzz/regressions/regex) through the fuzz case.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "fuzz/regex_fuzz.h"

namespace zel {
namespace {

TEST(RegexFuzzRegressions, EveryFindingRunsClean) {
    const std::filesystem::path dir = ZEL_FUZZ_REGRESSIONS;
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        std::ifstream file(entry.path(), std::ios::binary);
        const std::vector<char> bytes((std::istreambuf_iterator<char>(file)),
                                      std::istreambuf_iterator<char>());
        RunRegexFuzzCase(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        ++count;
    }
    EXPECT_GT(count, 0);
}

} // namespace
} // namespace zel
