// Replays the committed findings and regression inputs of the markup, settings-file,
// phrase-list, PNG and search-pattern fuzz targets (fuzz/regressions/<target>).
#include "fuzz/fuzz_cases.h"
#include "fuzz/replay.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

TEST(FuzzRegressions, EveryFindingRunsClean) {
    const std::filesystem::path root = ZEL_FUZZ_REGRESSIONS;
    const struct {
        const char* folder;
        fuzz::FuzzCase runCase;
    } targets[] = {
        {"markup", RunMarkupFuzzCase},          {"settings", RunSettingsFuzzCase},
        {"phrase_list", RunPhraseListFuzzCase}, {"png", RunPngFuzzCase},
        {"filter", RunFilterFuzzCase},
    };
    for (const auto& target : targets)
        EXPECT_GT(fuzz::ReplayFindings(root / target.folder, target.runCase), 0) << target.folder;
}

} // namespace
} // namespace zel
