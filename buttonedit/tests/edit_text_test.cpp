// The edit field's text rules without a window.
#include "buttonedit/edit_text.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

TEST(EditText, TextWithoutPrefixAndSuffix) {
    struct Case {
        std::u16string window, prefix, suffix, text;
    } cases[] = {
        {u"abc", u"", u"", u"abc"},
        {u"EUR 12 kg", u"eur ", u" kg", u"12"}, // the prefix ignores case
        {u"12 kg", u"EUR ", u" kg", u"12"},     // a missing prefix stays missing
        {u"12 xx", u"", u" kg", u"12"},         // the suffix is cut by its length
        {u"k", u"", u" kg", u""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TextWithoutAffixes(c.window, c.prefix, c.suffix), c.text)
            << std::string(c.window.begin(), c.window.end());
}

TEST(EditText, UrlLikeTexts) {
    EXPECT_TRUE(IsURLText(u"https://example.org"));
    EXPECT_TRUE(IsURLText(u"me@example.org"));
    EXPECT_TRUE(IsURLText(u"WWW.example.org"));
    EXPECT_FALSE(IsURLText(u"@example"));
    EXPECT_FALSE(IsURLText(u"example.org"));
    EXPECT_FALSE(IsURLText(u""));
}

TEST(EditText, SelectAllKeepsOutOfPrefixSuffixAndScheme) {
    EXPECT_EQ(SelectAllRange(u"abc", 0, 0, false), (TextRange{0, 3}));
    EXPECT_EQ(SelectAllRange(u"$ 12 kg", 2, 3, false), (TextRange{2, 4}));
    EXPECT_EQ(SelectAllRange(u"http://x.org", 0, 0, true), (TextRange{7, 12}));
    EXPECT_EQ(SelectAllRange(u"mailto:a@b", 0, 0, true), (TextRange{7, 10}));
    EXPECT_EQ(SelectAllRange(u"ab", 3, 3, false), (TextRange{2, 2}));
}

TEST(EditText, PasteStopsAtTheFirstCarriageReturn) {
    PasteResult r = PastedText(u"xy", {1, 1}, u"abc\r\ndef");
    EXPECT_EQ(r.Text, u"xabcy");
    EXPECT_EQ(r.Inserted, (TextRange{1, 4}));
    r = PastedText(u"hello", {1, 4}, u"EY");
    EXPECT_EQ(r.Text, u"hEYo");
    EXPECT_EQ(r.Inserted, (TextRange{1, 3}));
    r = PastedText(u"ab", {5, 9}, u"c");
    EXPECT_EQ(r.Text, u"abc");
}

TEST(EditText, Rectangle) {
    // 3-D: no margin; flat leaves room for the underline.
    EXPECT_EQ(TextRectFor(177, 18, 10, true, false), (Rect{0, 0, 177, 18}));
    EXPECT_EQ(TextRectFor(177, 18, 10, true, true), (Rect{4, 3, 173, 14}));
    // Not 3-D: a third of the point size, and one pixel more on each side.
    EXPECT_EQ(TextRectFor(100, 20, 9, false, false), (Rect{4, 0, 96, 20}));
    EXPECT_EQ(TextRectFor(100, 20, 9, false, true), (Rect{8, 3, 92, 16}));
}

TEST(EditText, ZigzagTurnsEveryThreePixels) {
    std::vector<Point> points = ZigzagPoints(10, 19, 20);
    ASSERT_EQ(points.size(), 4u);
    EXPECT_EQ(points[0], (Point{10, 22}));
    EXPECT_EQ(points[1], (Point{13, 20}));
    EXPECT_EQ(points[2], (Point{16, 22}));
    EXPECT_EQ(points[3], (Point{19, 20}));
}

} // namespace
} // namespace zel
