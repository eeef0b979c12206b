// Layout tags (moves, offsets, rotation, backgrounds, rules, blink) and a sweep of random tag
// soup that must always end with the canvas as it was given.
#include "htmltext/draw_markup.h"
#include "htmltext/testing/test_canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace zel {
namespace {

class MarkupLayoutTest : public ::testing::Test {
protected:
    void Draw(std::u16string_view text, Rect rect = {0, 0, 400, 100}) {
        canvas.ClearRecord();
        DrawMarkup(canvas, text, rect, params, results);
    }

    TestCanvas canvas;
    DrawMarkupParams params;
    DrawMarkupResults results;
};

TEST_F(MarkupLayoutTest, IndentAndListOffsetMoveTheDrawingPosition) {
    Draw(u"ab<IN x=\"40\">c<IN x=\"8\">d");
    ASSERT_EQ(canvas.Texts.size(), 3u);
    EXPECT_EQ(canvas.Texts[1].At.X, 40);
    EXPECT_EQ(canvas.Texts[2].At.X, 48); // already further right: no move back

    Draw(u"<OF x=\"20\">a<BR>b</O><BR>c");
    ASSERT_EQ(canvas.Texts.size(), 3u);
    EXPECT_EQ(canvas.Texts[0].At, (Point{20, 0}));
    EXPECT_EQ(canvas.Texts[1].At, (Point{20, 16})); // the offset holds for the next lines
    EXPECT_EQ(canvas.Texts[2].At, (Point{0, 32}));
}

TEST_F(MarkupLayoutTest, ParagraphAlignmentAndIndent) {
    Draw(u"<P ALIGN=\"CENTER\">ab</P>cd<P INDENT=\"10\">ef", {0, 0, 100, 100});
    ASSERT_EQ(canvas.Texts.size(), 3u);
    EXPECT_EQ(canvas.Texts[0].At.X, 42);
    // "</P>" ends the alignment; INDENT indents the whole line it stands on
    EXPECT_EQ(canvas.Texts[1].At, (Point{10, 16}));
    EXPECT_EQ(canvas.Texts[2].At, (Point{26, 16}));
}

TEST_F(MarkupLayoutTest, RotationSpanBlinkAndRule) {
    Draw(u"<R a=\"45\">a</R>b");
    EXPECT_EQ(canvas.Texts[0].Font.Orientation, 450);
    EXPECT_EQ(canvas.Texts[1].Font.Orientation, 0);

    Draw(u"<SPAN STYLE=\"background-color: #0000FF\">a</SPAN>b");
    EXPECT_EQ(canvas.Texts[0].Background, 0xFF0000u);
    EXPECT_EQ(canvas.Texts[1].Background, clNone);

    canvas.SetBrushColor(clWindow);
    Draw(u"<BL>a</BL>b");
    EXPECT_EQ(canvas.Texts[0].TextColor, clWindow); // blink phase off: invisible
    EXPECT_EQ(canvas.Texts[1].TextColor, canvas.TextColor());
    EXPECT_EQ(canvas.BrushColor(), clWindow); // restored on exit
    params.Blink = true;
    Draw(u"<BL>a");
    EXPECT_EQ(canvas.Texts[0].TextColor, canvas.TextColor());

    Draw(u"ab<HR COLOR=\"#00FF00\">cd");
    ASSERT_EQ(canvas.Lines.size(), 1u);
    EXPECT_EQ(canvas.Lines[0].Points, (std::vector<Point>{{0, 16}, {400, 16}}));
    EXPECT_EQ(canvas.Lines[0].Pen, 0x00FF00u);
    EXPECT_EQ(canvas.Texts[1].At, (Point{0, 16}));
}

TEST_F(MarkupLayoutTest, BodyBackground) {
    TestImageList images(2);
    params.Images = &images;
    Draw(u"<BODY BGCOLOR=\"clRed\" BGTOPRIGHT=\"idx:1\">x", {0, 0, 100, 50});
    ASSERT_EQ(canvas.Fills.size(), 1u);
    EXPECT_EQ(canvas.Fills[0].Bounds, (Rect{0, 0, 100, 50}));
    EXPECT_EQ(canvas.Fills[0].Fill, clRed);
    ASSERT_EQ(canvas.Images.size(), 1u);
    EXPECT_EQ(canvas.Images[0].Dest, (Rect{84, 0, 100, 16}));

    Draw(u"<BODY BGCOLOR=\"#000000\" BGCOLORTO=\"#FFFFFF\" DIR=\"V\">x", {0, 0, 100, 128});
    ASSERT_EQ(canvas.Fills.size(), 64u);
    EXPECT_EQ(canvas.Fills[1].Bounds, (Rect{0, 2, 100, 4}));
    EXPECT_EQ(canvas.Fills[63].Fill, 0xFFFFFFu);

    params.Selected = true;
    Draw(u"<BODY BGCOLOR=\"clRed\">x");
    EXPECT_TRUE(canvas.Fills.empty());
}

TEST_F(MarkupLayoutTest, WordWrapPutsAnOverlongWordOnItsOwnLine) {
    params.WordWrap = true;
    Draw(u"ab abcdefghijklmnop cd", {0, 0, 80, 100});
    EXPECT_EQ(canvas.ShownTexts(), u"ab |abcdefghijklmnop |cd");
    EXPECT_EQ(canvas.Texts[1].At, (Point{0, 16}));
    EXPECT_EQ(canvas.Texts[2].At, (Point{0, 32}));

    TestImageList images(1, 40, 16);
    params.Images = &images;
    Draw(u"abcdef<IMG SRC=\"idx:0\">", {0, 0, 80, 100});
    ASSERT_EQ(canvas.Images.size(), 1u);
    EXPECT_EQ(canvas.Images[0].Dest.Left, 0); // it did not fit after the text
    EXPECT_EQ(canvas.Images[0].Dest.Top, 16);
}

TEST_F(MarkupLayoutTest, PicturesSystemIconsAndPrinting) {
    const TestPictureSource container(u"logo");
    const TestPictureSource cache(u"http://host/p.png");
    params.PictureContainer = &container;
    params.PictureCache = &cache;
    Draw(u"<IMG SRC=\"logo\" WIDTH=\"20\"><IMG SRC=\"http://host/p.png\" HEIGHT=\"40\">"
         u"<IMG SRC=\"other\">a");
    ASSERT_EQ(canvas.Fills.size(), 2u);
    EXPECT_EQ(canvas.Fills[0].Bounds, (Rect{0, 30, 20, 40})); // aspect kept, on the text bottom
    EXPECT_EQ(canvas.Fills[1].Bounds, (Rect{20, 0, 100, 40}));
    EXPECT_EQ(canvas.Texts[0].At, (Point{100, 24})); // the line grew to the picture

    const TestSystemImages icons;
    canvas.SetSystemImageList(&icons);
    Draw(u"<IMG SRC=\"ssys:.txt\"><IMG SRC=\"LSYS:4\"><IMG SRC=\"ssys:.doc\">");
    ASSERT_EQ(canvas.Images.size(), 2u);
    EXPECT_EQ(canvas.Images[0].Index, 3);
    EXPECT_EQ(canvas.Images[0].Dest, (Rect{0, 0, 16, 16}));
    EXPECT_EQ(canvas.Images[1].Dest, (Rect{16, 0, 48, 32}));

    TestImageList images(1);
    params.Images = &images;
    params.Printing = true;
    params.ResFactor = 2.5;
    Draw(u"<IMG SRC=\"idx:0\">a");
    ASSERT_EQ(canvas.Images.size(), 1u);
    EXPECT_EQ(canvas.Images[0].Dest, (Rect{0, 0, 40, 40}));
    EXPECT_EQ(canvas.Texts[0].At.X, 16);
}

// Sizes a phrase may ask for whose sums leave the range of int: a font of a million points,
// pictures a million pixels wide or high, thousands of them. The sums saturate, so results
// stay sizes and positions keep their order instead of wrapping around.
TEST_F(MarkupLayoutTest, HugeSizesSaturateInsteadOfWrappingAround) {
    std::u16string pictures, tallLines;
    for (int i = 0; i < 3000; ++i) {
        pictures += u"<IMG SRC=\"logo\" WIDTH=\"1000000\" HEIGHT=\"1\">";
        tallLines += u"<IMG SRC=\"logo\" WIDTH=\"1\" HEIGHT=\"1000000\"><BR>";
    }
    const std::u16string wideRun = u"<F SIZE=\"1000000\">" + std::u16string(5000, u'x');
    const TestPictureSource logo(u"logo");
    params.PictureContainer = &logo;
    params.MeasureOnly = true;
    const struct {
        const std::u16string& text;
        int atLeastWidth, atLeastHeight;
    } cases[] = {
        {pictures, 1000000, 16},
        {tallLines, 3, 1000000},
        {wideRun, 1000000, 1000}, // the font's height, whatever it is capped at
    };
    for (const auto& c : cases) {
        Draw(c.text);
        EXPECT_GE(results.Width, c.atLeastWidth);
        EXPECT_GE(results.Height, c.atLeastHeight);
    }

    params.MeasureOnly = false;
    Draw(pictures, {0, 0, 400, 100});
    ASSERT_EQ(canvas.Fills.size(), 3000u);
    EXPECT_TRUE(std::is_sorted(
        canvas.Fills.begin(), canvas.Fills.end(),
        [](const FilledShape& a, const FilledShape& b) { return a.Bounds.Left < b.Bounds.Left; }));

    // With only its height given, a picture keeps its own aspect: here thirty thousand times
    // as wide as high.
    const TestPictureSource wide(u"wide", {30000, 1});
    params.PictureContainer = &wide;
    Draw(u"<IMG SRC=\"wide\" HEIGHT=\"1000000\">");
    ASSERT_EQ(canvas.Fills.size(), 1u);
    EXPECT_GT(canvas.Fills[0].Bounds.Width(), 1000000);
    EXPECT_EQ(canvas.Fills[0].Bounds.Height(), 1000000);
    params.PictureContainer = nullptr;
}

TEST(MarkupTagSoup, AlwaysEndsAndRestoresTheCanvas) {
    const std::u16string_view pieces[] = {
        u"<B>",
        u"</B>",
        u"<A HREF=\"x\" TITLE=\"t\">",
        u"</A>",
        u"<UL>",
        u"<OL>",
        u"<LI>",
        u"</UL>",
        u"</OL>",
        u"</LI>",
        u"<IMG SRC=\"idx:1\" ALIGN=\"TOP\">",
        u"<IMG SRC=\"idx:0\" WRAP>",
        u"<BR>",
        u"<P ALIGN=\"CENTER\" BGCOLOR=\"clRed\" BGCOLORTO=\"#00FF00\">",
        u"</P>",
        u"<SUP>",
        u"<SUB>",
        u"</SUB>",
        u"<Z>",
        u"</Z>",
        u"word ",
        u"longlonglongword",
        u"&amp;",
        u"&lt;",
        u"<",
        u">",
        u"\r\n",
        u"<#m>",
        u"<F SIZE=\"7\" FACE=\"x\" COLOR=\"clRed\">",
        u"</F>",
        u"<R a=\"90\">",
        u"</R>",
        u"<E>",
        u"<SH>",
        u"<HR>",
        u"<OF x=\"30\">",
        u"</O>",
        u"<IN x=\"500\">",
        u"<BODY BACKGROUND=\"idx:0\" BGCOLOR=\"clRed\">",
        u"<L TYPE=\"CIRCLE\">",
        u" ",
        u"<HI>",
        u"</HI>",
        u"<SP STYLE=\"BACKGROUND-COLOR:#FF0000\">",
        u"</SP>",
        u"&",
    };
    std::mt19937 random(12345);
    TestImageList images(2, 16, 40);
    const FontDesc start{u"Start", 12};
    for (int round = 0; round < 3000; ++round) {
        std::u16string text;
        const int count = static_cast<int>(random() % 30);
        for (int i = 0; i < count; ++i)
            text += pieces[random() % std::size(pieces)];
        TestCanvas canvas(start);
        canvas.SetBrushColor(clBtnFace);
        DrawMarkupParams params;
        params.Images = &images;
        params.WordWrap = random() % 2 == 0;
        params.MeasureOnly = random() % 4 == 0;
        params.HitTestOnly = random() % 4 == 0;
        params.MouseX = static_cast<int>(random() % 120);
        params.MouseY = static_cast<int>(random() % 120);
        params.FocusLink = static_cast<int>(random() % 3) - 1;
        params.LineSpacing = static_cast<int>(random() % 3);
        DrawMarkupResults results;
        DrawMarkup(canvas, text, {0, 0, 100, static_cast<int>(random() % 120)}, params, results);
        ASSERT_EQ(canvas.Font(), start);
        ASSERT_EQ(canvas.BrushColor(), clBtnFace);
        ASSERT_EQ(canvas.ClipDepth(), 0);
        ASSERT_GT(results.Height, 0);
    }
}

} // namespace
} // namespace zel
