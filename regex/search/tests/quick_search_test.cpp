// The quick search against the plain search of regex/unicode, and its window bound.
#include "regex/search/quick_search.h"

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

TEST(QuickSearch, AgreesWithThePlainSearchUnderEveryOption) {
    // Pieces that exercise the foldings: letters in both cases, a sharp s, half-width kana with
    // and without sound marks, full-width and hiragana forms, a surrogate pair.
    const std::u16string pieces[] = {u"a",      u"A",      u"b",      u"s",         u"\u00DF",
                                     u"\uFF76", u"\uFF9E", u"\u30AC", u"\u304C",    u"\uFF41",
                                     u"x",      u"\uFF8A", u"\uFF9F", u"\U00010400"};
    const TRECompareOptions optionSets[] = {
        {},
        coIgnoreCase,
        coIgnoreCase | coASCIIOnly,
        coIgnoreWidth,
        coIgnoreKana,
        TRECompareOptions{coIgnoreWidth, coIgnoreKana},
        TRECompareOptions{coIgnoreCase, coIgnoreWidth},
        TRECompareOptions{coIgnoreCase, coIgnoreWidth, coASCIIOnly}};
    std::mt19937 random(12345);
    const auto piece = [&] { return pieces[random() % std::size(pieces)]; };
    for (int round = 0; round < 400; ++round) {
        std::u16string text;
        for (int i = 0; i < 40; ++i)
            text += piece();
        std::u16string pattern;
        for (int i = 0, n = 1 + static_cast<int>(random() % 4); i < n; ++i)
            pattern += piece();
        for (const TRECompareOptions options : optionSets) {
            const std::u16string folded = FoldLiteralText(pattern, options);
            TREQuickSearch search;
            search.SetFindText(folded);
            search.SetOptions(options);
            ASSERT_EQ(AllHits(search, text), ReferenceHits(text, folded, options))
                << "round " << round << " options " << int(options.ToBits()) << " text "
                << ::testing::PrintToString(text) << " pattern "
                << ::testing::PrintToString(folded);
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
    const TRECompareOptions optionSets[] = {
        {}, coIgnoreCase, coIgnoreCase | coASCIIOnly, coIgnoreWidth, coIgnoreKana};
    for (const std::u16string pattern : {u"b", u"ab", u"aab", u"aaab", u"zzzzz"}) {
        for (const TRECompareOptions options : optionSets) {
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
