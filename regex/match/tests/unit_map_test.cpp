// The unit map against the code it stands for: the next candidate and the end of a run,
// found eight units at a time or one by one, must be where asking the code at every position
// finds them.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "regex/compile/tests/compile_helpers.h"
#include "regex/match/unit_map.h"

namespace zel {
namespace {

// A class with few member ranges takes the block scans; one with many the bitmap alone.
const char16_t* const kClasses[] = {u"[a-c]", u"[\u30A1-\u30F6\u30FC]", u"[\\w\U0001F600]", u"[^x]",
                                    u"[aeiouAEIOU0-9\\-]"};

// Texts over a small alphabet with members, non-members, surrogate pairs and lone surrogates.
std::u16string RandomText(std::mt19937& random, std::size_t length) {
    static const std::u16string alphabet = std::u16string(u"abcxyzAE09-\u30A1\u30F6\u30FC\u3042 ") +
                                           u"\U0001F600\U0001F601" + char16_t{0xDC00} +
                                           char16_t{0xD83D};
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::u16string text;
    for (std::size_t i = 0; i < length; ++i)
        text += alphabet[pick(random)];
    return text;
}

TEST(UnitMap, AgreesWithItsCode) {
    std::mt19937 random(7);
    for (const char16_t* pattern : kClasses) {
        const test::Compiled compiled = test::CompilePattern(pattern);
        TRECode& code = *compiled.Root();
        TREUnitMap map;
        map.AdmitCode(code);
        map.Seal();
        for (int round = 0; round < 200; ++round) {
            const std::u16string text = RandomText(random, 1 + round % 40);
            const char16_t* end = text.data() + text.size();
            compiled.Owner->SetSubject(text.data(), end);
            for (const char16_t* p = text.data(); p <= end; ++p) {
                const char16_t* run = p;
                code.ExecRepeat(run, true);
                EXPECT_EQ(map.RunEnd(code, p, end), run)
                    << testing::PrintToString(std::u16string(pattern)) << " round " << round;
                const char16_t* next = p;
                int len = 0;
                while (next < end && !code.IsEqual(next, len))
                    ++next;
                // A candidate may be a surrogate that the code refuses, never one past a match.
                const char16_t* candidate = map.FindCandidate(p, end);
                if (candidate == nullptr) {
                    EXPECT_EQ(next, end);
                } else {
                    EXPECT_LE(candidate, next);
                    EXPECT_TRUE(candidate == next ||
                                (*candidate >= 0xD800 && *candidate <= 0xDFFF));
                }
            }
        }
    }
}

} // namespace
} // namespace zel
