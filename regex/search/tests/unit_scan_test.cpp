// The unit scanners against a plain loop, over every start and length of generated windows:
// hits in the last units, windows shorter than a block, hits on block boundaries. Each window
// is a buffer of its own size, so that the address sanitizer catches a read past its end.
#include "regex/search/unit_scan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

namespace zel {
namespace {

// Units near the members, so that sets and texts meet often, and a few far apart (range ends,
// surrogates, the largest unit).
const char16_t kPool[] = {u'a',   u'b',   u'c',   u'A',   u'B',   u'C',   u'e',   0x00DF,
                          0x017F, 0x212A, 0x3042, 0x30AB, 0xD801, 0xDC00, 0xFF76, 0xFFFF};

std::vector<char16_t> RandomUnits(std::mt19937& random, int count) {
    std::vector<char16_t> units;
    for (int i = 0; i < count; ++i)
        units.push_back(kPool[random() % std::size(kPool)]);
    return units;
}

// count different units of the pool.
std::vector<char16_t> RandomSet(std::mt19937& random, int count) {
    std::vector<char16_t> units(std::begin(kPool), std::end(kPool));
    std::shuffle(units.begin(), units.end(), random);
    units.resize(static_cast<std::size_t>(count));
    return units;
}

bool Member(const std::vector<char16_t>& set, char16_t unit) {
    return std::find(set.begin(), set.end(), unit) != set.end();
}

// A window that owns exactly its units.
struct Window {
    std::unique_ptr<char16_t[]> Units;
    const char16_t* Begin;
    const char16_t* End;
    explicit Window(const std::vector<char16_t>& text, std::size_t from, std::size_t to)
        : Units(std::make_unique<char16_t[]>(to - from + 1)), Begin(Units.get()),
          End(Units.get() + (to - from)) {
        std::copy(text.begin() + static_cast<std::ptrdiff_t>(from),
                  text.begin() + static_cast<std::ptrdiff_t>(to), Units.get());
    }
    int Offset(const char16_t* hit) const { return hit ? static_cast<int>(hit - Begin) : -1; }
};

TEST(UnitScan, SetsOfEverySizeAgreeWithAPlainLoop) {
    std::mt19937 random(99);
    for (int round = 0; round < 60; ++round) {
        // Up to twelve members: tests only, tests and a range beyond eight, a range only.
        const std::vector<char16_t> members = RandomSet(random, 1 + round % 12);
        for (const TUnitSet& set : {TUnitSet(members), TUnitSet(members, 0)}) {
            for (char16_t unit : kPool)
                ASSERT_EQ(set.Contains(unit), Member(members, unit));
            const std::vector<char16_t> text = RandomUnits(random, 40);
            for (std::size_t from = 0; from < text.size(); from += 3) {
                for (std::size_t to = from; to <= text.size(); ++to) {
                    const Window w(text, from, to);
                    int expected = -1;
                    for (const char16_t* p = w.Begin; p < w.End && expected < 0; ++p) {
                        if (Member(members, *p))
                            expected = w.Offset(p);
                    }
                    ASSERT_EQ(w.Offset(FindUnit(w.Begin, w.End, set)), expected)
                        << "round " << round << " window " << from << ".." << to;
                }
            }
        }
    }
}

// Pairs from two groups, each a set of first units with a set of last units.
TEST(UnitScan, PairsAgreeWithAPlainLoop) {
    std::mt19937 random(5);
    for (int round = 0; round < 80; ++round) {
        std::vector<char16_t> first[2];
        std::vector<char16_t> last[2];
        TUnitPairs pairs;
        for (int group = 0; group < 1 + round % 2; ++group) {
            first[group] = RandomSet(random, 1 + static_cast<int>(random() % 2));
            last[group] = RandomSet(random, 1 + static_cast<int>(random() % 2));
            ASSERT_TRUE(pairs.Add(TUnitSet(first[group]), TUnitSet(last[group])));
        }
        // No single units, up to two tests, a range only.
        const std::vector<char16_t> single = RandomSet(random, round % 4);
        const std::ptrdiff_t distance = 1 + round % 11;
        const std::vector<char16_t> text = RandomUnits(random, 48);
        const auto passes = [&](const char16_t* p) {
            for (int group = 0; group < 2; ++group) {
                if (Member(first[group], p[0]) && Member(last[group], p[distance]))
                    return true;
            }
            return false;
        };
        for (const TUnitSet& singleSet : {TUnitSet(single, 2), TUnitSet(single, 0)}) {
            if (!singleSet.ValuesOnly() && singleSet.Width() > 0)
                continue;
            for (std::size_t from = 0; from < text.size(); from += 5) {
                for (std::size_t to = from; to <= text.size(); ++to) {
                    const Window w(text, from, to);
                    int expected = -1;
                    for (const char16_t* p = w.Begin; p < w.End && expected < 0; ++p) {
                        if (Member(single, *p) || (w.End - p > distance && passes(p)))
                            expected = w.Offset(p);
                    }
                    ASSERT_EQ(w.Offset(FindUnitPair(w.Begin, w.End, pairs, distance, singleSet)),
                              expected)
                        << "round " << round << " window " << from << ".." << to;
                }
            }
        }
    }
}

TEST(UnitScan, PairsBeyondTheLimitAreRefused) {
    TUnitPairs pairs;
    ASSERT_TRUE(pairs.Add(TUnitSet({u'a', u'b'}), TUnitSet({u'c', u'd', u'e'})));
    EXPECT_FALSE(pairs.Add(TUnitSet({u'x', u'y'}), TUnitSet({u'z', u'w'})));
    EXPECT_TRUE(pairs.Add(TUnitSet({u'x', u'X'}), TUnitSet({u'z', u'Z'}))); // one test each
    EXPECT_TRUE(pairs.Passes(u'X', u'z'));
    EXPECT_FALSE(pairs.Passes(u'y', u'z'));
}

// A hit in each place of a window that spans several blocks, alone in filler.
TEST(UnitScan, FindsAHitAtEveryOffset) {
    for (std::size_t length = 1; length <= 35; ++length) {
        for (std::size_t at = 0; at < length; ++at) {
            std::vector<char16_t> text(length, u'x');
            text[at] = u'T';
            if (at + 4 < length)
                text[at + 4] = u'n';
            const Window w(text, 0, length);
            EXPECT_EQ(w.Offset(FindUnit(w.Begin, w.End, TUnitSet({u'T'}))), int(at));
            TUnitPairs pairs;
            pairs.Add(TUnitSet({u'T'}), TUnitSet({u'n'}));
            EXPECT_EQ(w.Offset(FindUnitPair(w.Begin, w.End, pairs, 4, TUnitSet())),
                      at + 4 < length ? int(at) : -1);
        }
    }
}

} // namespace
} // namespace zel
