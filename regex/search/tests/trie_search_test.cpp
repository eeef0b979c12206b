// The trie: order of hits, folding, and the unanchored scan against a plain one.
#include "regex/search/tests/folding_cases.h"
#include "regex/search/trie_search.h"

#include "regex/unicode/unicode_prop.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

namespace zel {
namespace {

// Adds the alternatives last to first, as the compiler does, so that the first is number 0.
void AddAll(TRETrieSearch& trie, const std::vector<std::u16string>& alternatives,
            TRECompareOptions options = {}) {
    for (auto it = alternatives.rbegin(); it != alternatives.rend(); ++it)
        trie.Add(*it, options);
}

struct Hit {
    int Start;
    int Index;
    int Length;
    friend bool operator==(const Hit&, const Hit&) = default;
};

std::vector<Hit> Unanchored(TRETrieSearch& trie, std::u16string_view text) {
    std::vector<Hit> hits;
    for (bool found = trie.Exec(text.data(), static_cast<int>(text.size())); found;
         found = trie.ExecNext())
        hits.push_back(
            {static_cast<int>(trie.StartP() - text.data()), trie.MatchIndex(), trie.MatchLength()});
    return hits;
}

TEST(TrieSearch, LeftmostStartThenEarliestAlternative) {
    struct Case {
        std::vector<std::u16string> Alternatives;
        std::u16string Text;
        std::vector<Hit> Expected;
    };
    const Case cases[] = {
        {{u"ab", u"cd"}, u"acd", {{1, 1, 2}}},
        {{u"abcd", u"bc"}, u"abce", {{1, 1, 2}}},
        {{u"abc", u"b"}, u"xabc", {{1, 0, 3}, {2, 1, 1}}},
        {{u"bcd", u"abcx", u"c"}, u"abcd", {{1, 0, 3}, {2, 2, 1}}},
        {{u"c", u"abc"}, u"abc", {{0, 1, 3}, {2, 0, 1}}},
        {{u"aa"}, u"aaa", {{0, 0, 2}, {1, 0, 2}}},
        {{u"\U00010400x", u"x"}, u"\U00010400x", {{0, 0, 3}, {2, 1, 1}}},
        {{u"ab"}, u"", {}},
    };
    for (const auto& c : cases) {
        TRETrieSearch trie;
        AddAll(trie, c.Alternatives);
        EXPECT_EQ(Unanchored(trie, c.Text), c.Expected)
            << std::string(c.Text.begin(), c.Text.end());
    }
}

TEST(TrieSearch, AnchoredYieldsAlternativesInPatternOrder) {
    TRETrieSearch trie;
    AddAll(trie, {u"ab", u"abc", u"a"});
    const std::u16string text = u"abc";
    const char16_t* end = text.data() + 3;
    ASSERT_TRUE(trie.IsMatch(text.data(), end));
    EXPECT_EQ(trie.MatchString(), u"ab");
    EXPECT_EQ(trie.MatchCount(), 2);
    ASSERT_TRUE(trie.IsMatch(text.data(), end));
    EXPECT_EQ(trie.MatchLength(), 3);
    ASSERT_TRUE(trie.IsMatch(text.data(), end));
    EXPECT_EQ(trie.MatchLength(), 1);
    EXPECT_EQ(trie.MatchCount(), 0);
    // All taken: the next call walks again.
    ASSERT_TRUE(trie.IsMatch(text.data(), end));
    EXPECT_EQ(trie.MatchIndex(), 0);
    EXPECT_FALSE(trie.IsMatch(text.data() + 1, end));
    // The window end stops the walk.
    EXPECT_TRUE(trie.IsMatch(text.data(), text.data() + 1));
    EXPECT_EQ(trie.MatchIndex(), 2);
    EXPECT_TRUE(trie.Find(text.data() + 1, end) == false);
}

TEST(TrieSearch, EachStringKeepsItsOwnOptions) {
    TRETrieSearch trie;
    int exactTag = 0;
    int caseTag = 0;
    trie.Add(u"cd", coIgnoreCase, &caseTag);
    trie.Add(u"AB", {}, &exactTag);
    const std::u16string text = u"ab AB Cd";
    ASSERT_TRUE(trie.Exec(text.data(), static_cast<int>(text.size())));
    EXPECT_EQ(trie.StartP() - text.data(), 3);
    EXPECT_EQ(trie.MatchTag(), &exactTag);
    ASSERT_TRUE(trie.ExecNext());
    EXPECT_EQ(trie.StartP() - text.data(), 6);
    EXPECT_EQ(trie.MatchTag(), &caseTag);
    EXPECT_EQ(trie.MatchString(), u"cd");
    EXPECT_FALSE(trie.ExecNext());
}

TEST(TrieSearch, FoldedStringsMatchUnitsOfOtherLengths) {
    TRETrieSearch trie;
    AddAll(trie, {u"\u30AC\u30A4", u"STRASSE"},
           TRECompareOptions{coIgnoreCase, coIgnoreWidth, coIgnoreKana});
    const std::u16string text = u"- \uFF76\uFF9E\u3044 stra\u00DFe";
    ASSERT_TRUE(trie.Exec(text.data(), static_cast<int>(text.size())));
    EXPECT_EQ(trie.StartP() - text.data(), 2);
    EXPECT_EQ(trie.MatchLength(), 3);
    ASSERT_TRUE(trie.ExecNext());
    EXPECT_EQ(trie.StartP() - text.data(), 6);
    EXPECT_EQ(trie.MatchLength(), 6);
}

TEST(TrieSearch, PrefixAndLengths) {
    TRETrieSearch trie;
    AddAll(trie, {u"abcx", u"abd", u"abcyz"});
    EXPECT_EQ(trie.GetPrefix(), u"ab");
    EXPECT_EQ(trie.CharLength().Min, 3);
    EXPECT_EQ(trie.CharLength().Max, 5);
    TRETrieSearch accepting;
    AddAll(accepting, {u"a", u"ab"});
    EXPECT_EQ(accepting.GetPrefix(), u"a");
}

// The scan over failure links against trying every start with the anchored walk.
TEST(TrieSearch, ScanAgreesWithAnchoredWalkAtEveryStart) {
    std::mt19937 random(7);
    const auto word = [&](int maxLen) {
        std::u16string s;
        for (int i = 0, n = 1 + static_cast<int>(random() % maxLen); i < n; ++i)
            s += static_cast<char16_t>(u'a' + random() % 3);
        return s;
    };
    for (int round = 0; round < 300; ++round) {
        std::vector<std::u16string> alternatives;
        for (int i = 0, n = 1 + static_cast<int>(random() % 5); i < n; ++i)
            alternatives.push_back(word(5));
        const std::u16string text = word(30);
        TRETrieSearch trie;
        AddAll(trie, alternatives);
        std::vector<Hit> expected;
        for (std::size_t s = 0; s < text.size(); ++s) {
            for (std::size_t i = 0; i < alternatives.size(); ++i) {
                if (text.compare(s, alternatives[i].size(), alternatives[i]) == 0) {
                    expected.push_back({static_cast<int>(s), static_cast<int>(i),
                                        static_cast<int>(alternatives[i].size())});
                    break;
                }
            }
        }
        ASSERT_EQ(Unanchored(trie, text), expected) << "round " << round;
    }
}

// The skipping scan against the anchored walk tried at every character, with the foldings:
// strings and texts from pieces that fold into one another, windows that own exactly their
// units (hits in the last units, windows shorter than a block).
TEST(TrieSearch, SkippingScanAgreesWithAnchoredWalkUnderEveryOption) {
    std::mt19937 random(31);
    for (int round = 0; round < 400; ++round) {
        std::vector<std::u16string> alternatives;
        for (int i = 0, n = 1 + static_cast<int>(random() % 4); i < n; ++i)
            alternatives.push_back(RandomPieces(random, 1 + static_cast<int>(random() % 3)));
        const std::u16string text = RandomPieces(random, static_cast<int>(random() % 30));
        const auto buffer = std::make_unique<char16_t[]>(text.size() + 1);
        std::copy(text.begin(), text.end(), buffer.get());
        const std::u16string_view window(buffer.get(), text.size());
        const char16_t* end = window.data() + window.size();
        for (const TRECompareOptions options : kCompareOptionSets) {
            TRETrieSearch trie;
            AddAll(trie, alternatives, options);
            TRETrieSearch anchored;
            AddAll(anchored, alternatives, options);
            std::vector<Hit> expected;
            for (const char16_t* s = window.data(); s < end; s += CharUnits(s, end)) {
                anchored.ResetMatch();
                if (anchored.IsMatch(s, end))
                    expected.push_back({static_cast<int>(s - window.data()), anchored.MatchIndex(),
                                        anchored.MatchLength()});
            }
            ASSERT_EQ(Unanchored(trie, window), expected)
                << "round " << round << " options " << int(options.ToBits()) << " text "
                << ::testing::PrintToString(text);
        }
    }
}

} // namespace
} // namespace zel
