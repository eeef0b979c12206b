// Replays every committed fuzz finding (fuzz/regressions/regex) through the fuzz case.
#include <gtest/gtest.h>

#include "fuzz/regex_fuzz.h"
#include "fuzz/replay.h"

namespace zel {
namespace {

TEST(RegexFuzzRegressions, EveryFindingRunsClean) {
    EXPECT_GT(fuzz::ReplayFindings(ZEL_FUZZ_REGRESSIONS, RunRegexFuzzCase), 0);
}

} // namespace
} // namespace zel
