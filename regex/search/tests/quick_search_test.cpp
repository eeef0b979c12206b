// The quick search against the plain search of regex/unicode, and its window bound.
#include "regex/search/quick_search.h"
#include "regex/search/tests/folding_cases.h"

#include "regex/unicode/unicode_prop.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

namespace zel {
namespace {

struct Hit {
    int Pos;
    int Len;
    friend bool operator==(const Hit&, const Hit&) = default;
};

std::vector<Hit> AllHits(TREQuickSearch& search, std::u16string_view text) {
    std::vector<Hit> hits;
    for (bool found = search.Exec(text.data(), static_cast<int>(text.size())); found;
         found = search.ExecNext())
        hits.push_back({static_cast<int>(search.MatchP() - text.data()), search.MatchLen()});
    return hits;
}

// Every hit that FindText reports, stepping one character after each.
std::vector<Hit> ReferenceHits(std::u16string_view text, std::u16string_view pattern,
                               TRECompareOptions options) {
    std::vector<Hit> hits;
    const char16_t* end = text.data() + text.size();
    for (const char16_t* p = text.data(); p < end;) {
        int len = 0;
        const char16_t* hit =
            FindText(p, end, pattern.data(), static_cast<int>(pattern.size()), len, options);
        if (!hit)
            break;
        hits.push_back({static_cast<int>(hit - text.data()), len});
        ReadChar(hit, end, len);
        p = hit + len;
    }
    return hits;
}

// Texts of every length up to a few blocks put hits in the last units of the window.
TEST(QuickSearch, AgreesWithThePlainSearchUnderEveryOption) {
    std::mt19937 random(12345);
    for (int round = 0; round < 500; ++round) {
        const std::u16string text = RandomPieces(random, static_cast<int>(random() % 40));
        const std::u16string pattern = RandomPieces(random, 1 + static_cast<int>(random() % 4));
        const auto buffer = std::make_unique<char16_t[]>(text.size() + 1);
        std::copy(text.begin(), text.end(), buffer.get());
        const std::u16string_view window(buffer.get(), text.size());
        for (const TRECompareOptions options : kCompareOptionSets) {
            const std::u16string folded = FoldLiteralText(pattern, options);
            TREQuickSearch search;
            search.SetFindText(folded);
            search.SetOptions(options);
            ASSERT_EQ(AllHits(search, window), ReferenceHits(window, folded, options))
                << "round " << round << " options " << int(options.ToBits()) << " text "
                << ::testing::PrintToString(text) << " pattern "
                << ::testing::PrintToString(folded);
        }
    }
}

// One occurrence at each place of windows up to a few blocks long, in text that holds the
// first unit everywhere else (so the first unit alone never decides).
TEST(QuickSearch, FindsTheOnlyOccurrenceAtEveryOffset) {
    struct Case {
        std::u16string Pattern;
        std::u16string Occurrence;
        TRECompareOptions Options;
    };
    const Case cases[] = {
        {u"Twain", u"Twain", {}},
        {u"\u6771\u4EAC", u"\u6771\u4EAC", {}},
        {u"twain", u"TWaIn", coIgnoreCase | coASCIIOnly},
        {u"twain", u"T\uFF37ain", TRECompareOptions{coIgnoreCase, coIgnoreWidth}},
        {u"\uFF43\uFF44", u"\uFF23\uFF44", coIgnoreCase},
        {u"kss", u"\u212A\u00DF", coIgnoreCase},
        // Folded case alone: a literal whose characters take one unit each is found by its
        // first and last units, also where a text unit folds to one of them (a long s, the
        // Kelvin sign); where a unit may take several of its characters (a sharp s, a
        // ligature) it is found by its first units.
        {u"ask", u"A\u017F\u212A", coIgnoreCase},
        {u"asst", u"a\u00DFT", coIgnoreCase},
        {u"offic", u"O\uFB03c", coIgnoreCase},
        {u"maff", u"MA\uFB00", coIgnoreCase},
        {u"\u30AC\u30A4", u"\uFF76\uFF9E\uFF72", coIgnoreWidth},
        {u"\u30B3\u30F3", u"\u3053\u3093", coIgnoreKana},
        {u"\U00010428x", u"\U00010400x", coIgnoreCase},
    };
    for (const Case& c : cases) {
        const std::u16string filler(1, c.Occurrence[0]);
        for (std::size_t length = c.Occurrence.size(); length <= 34; ++length) {
            for (std::size_t at = 0; at + c.Occurrence.size() <= length; ++at) {
                std::u16string text;
                while (text.size() < at)
                    text += filler;
                text += c.Occurrence;
                while (text.size() < length)
                    text += u'-';
                const auto buffer = std::make_unique<char16_t[]>(text.size());
                std::copy(text.begin(), text.end(), buffer.get());
                TREQuickSearch search;
                search.SetFindText(c.Pattern);
                search.SetOptions(c.Options);
                ASSERT_TRUE(search.Exec(buffer.get(), static_cast<int>(text.size())))
                    << ::testing::PrintToString(text);
                EXPECT_EQ(search.MatchP() - buffer.get(), static_cast<std::ptrdiff_t>(at))
                    << ::testing::PrintToString(text);
                EXPECT_EQ(search.MatchLen(), static_cast<int>(c.Occurrence.size()));
            }
        }
    }
}

// No hit starts in the middle of a surrogate pair, whatever the length of the pattern.
TEST(QuickSearch, NoHitInsideASurrogatePair) {
    const std::u16string text = {0xD800, 0xDC00, u'a', u'b', 0xDC00, u'a', u'b'};
    const std::u16string low(1, char16_t{0xDC00});
    for (const std::u16string& pattern : {low, low + u"a", low + u"ab"}) {
        for (const TRECompareOptions options : kCompareOptionSets) {
            TREQuickSearch search;
            search.SetFindText(pattern);
            search.SetOptions(options);
            ASSERT_TRUE(search.Exec(text.data(), static_cast<int>(text.size())));
            EXPECT_EQ(search.MatchP() - text.data(), 4) << int(options.ToBits());
        }
    }
}

TEST(QuickSearch, EdgeCases) {
    TREQuickSearch search;
    search.SetOptions(coIgnoreCase);
    search.SetFindText(u"a");
    const std::u16string text = u"\u00DFA";
    ASSERT_TRUE(search.Exec(text.data(), 2));
    EXPECT_EQ(search.MatchP(), text.data() + 1);

    // SkipP moves the next search; a changed text recompiles.
    search.SetOptions({});
    search.SetFindText(u"abc");
    const std::u16string abc = u"abcabcabc";
    ASSERT_TRUE(search.Exec(abc.data(), 9));
    search.SetSkipP(abc.data() + 4);
    ASSERT_TRUE(search.ExecNext());
    EXPECT_EQ(search.MatchP(), abc.data() + 6);
    EXPECT_FALSE(search.ExecNext());
    search.SetFindText(u"ca");
    ASSERT_TRUE(search.Exec(abc.data(), 9));
    EXPECT_EQ(search.MatchP(), abc.data() + 2);
}

// The window ends before the buffer does: what lies after it must not be found, and under the
// address sanitizer a read beyond the window end plus one unit is caught.
TEST(QuickSearch, StaysInsideItsWindow) {
    const std::u16string subject = u"xxaaaab";
    const int window = static_cast<int>(subject.size()) - 1; // "b" lies just past the window
    const auto buffer = std::make_unique<char16_t[]>(subject.size());
    std::copy(subject.begin(), subject.end(), buffer.get());
    for (const std::u16string pattern : {u"b", u"ab", u"aab", u"aaab", u"zzzzz"}) {
        for (const TRECompareOptions options : kCompareOptionSets) {
            TREQuickSearch search;
            search.SetFindText(FoldLiteralText(pattern, options));
            search.SetOptions(options);
            EXPECT_FALSE(search.Exec(buffer.get(), window)) << int(options.ToBits());
        }
    }
    TREQuickSearch search;
    search.SetFindText(FoldLiteralText(u"aaaa", coIgnoreWidth));
    search.SetOptions(coIgnoreWidth);
    ASSERT_TRUE(search.Exec(buffer.get(), window));
    EXPECT_EQ(search.MatchP(), buffer.get() + 2);
}

} // namespace
} // namespace zel
