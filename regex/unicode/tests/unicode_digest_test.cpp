// Every code point against the digest of the source data: catches a fault in the packing of
// the two-level index, the block table or the folding entries.
#include "regex/unicode/tests/unicode_digest.h"
#include "regex/unicode/unicode_prop.h"

#include <gtest/gtest.h>

#include <iterator>

namespace zel {
namespace {

using unicode_digest::kFoldings;
using unicode_digest::kRuns;

TEST(UnicodeDigest, CategoryScriptAndBlockOfEveryCodePoint) {
    int mismatches = 0;
    for (std::size_t i = 0; i < std::size(kRuns); ++i) {
        const auto& run = kRuns[i];
        const char32_t end = i + 1 < std::size(kRuns) ? kRuns[i + 1].First : 0x110000;
        const auto category = static_cast<TUnicodeProperty>(kFirstCategory + run.Category);
        const auto script = static_cast<TUnicodeProperty>(kFirstScript + run.Script);
        const auto block =
            run.Block < 0 ? upInBasicLatin : static_cast<TUnicodeProperty>(kFirstBlock + run.Block);
        for (char32_t cp = run.First; cp < end; ++cp) {
            if (CategoryOf(cp) != category || ScriptOf(cp) != script || BlockOf(cp) != block) {
                if (++mismatches <= 5)
                    ADD_FAILURE() << "U+" << std::hex << static_cast<unsigned>(cp);
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(UnicodeDigest, CaseFoldingOfEveryCodePoint) {
    std::size_t next = 0;
    int mismatches = 0;
    for (char32_t cp = 0; cp < 0x110000; ++cp) {
        TUnicodeMultiChar expected;
        expected.Count = 1;
        expected.Chars[0] = cp;
        if (next < std::size(kFoldings) && kFoldings[next].From == cp) {
            const auto& folding = kFoldings[next++];
            expected.Count = static_cast<std::int32_t>(folding.Count);
            for (std::uint32_t i = 0; i < folding.Count; ++i)
                expected.Chars[folding.Count - 1 - i] = folding.To[i];
        }
        if (!(CaseFold(cp) == expected) && ++mismatches <= 5)
            ADD_FAILURE() << "U+" << std::hex << static_cast<unsigned>(cp);
    }
    EXPECT_EQ(next, std::size(kFoldings));
    EXPECT_EQ(mismatches, 0);
}

} // namespace
} // namespace zel
