// DrawMarkup on the test canvas: 16-pixel font, 8-pixel glyphs ("gh" is 16 high).
#include "htmltext/draw_markup.h"
#include "htmltext/testing/test_canvas.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

std::string Narrow(std::u16string_view s) {
    std::string out;
    for (char16_t c : s)
        out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

class DrawMarkupTest : public ::testing::Test {
protected:
    bool Draw(std::u16string_view text, Rect rect = {0, 0, 400, 20}) {
        canvas.ClearRecord();
        return DrawMarkup(canvas, text, rect, params, results);
    }
    std::u16string Shown(std::u16string_view text, Rect rect = {0, 0, 400, 20}) {
        Draw(text, rect);
        return canvas.ShownTexts();
    }

    TestCanvas canvas;
    DrawMarkupParams params;
    DrawMarkupResults results;
};

TEST_F(DrawMarkupTest, TagsAndEntitiesDecideWhatIsShown) {
    const struct {
        std::u16string_view text, shown;
    } cases[] = {
        {u"plain", u"plain"},
        {u"a < b", u"a "},        // a "<" consumes the rest
        {u"a < b > c", u"a | c"}, // ... up to its ">"
        {u"ab<", u"ab"},
        {u"ab<x", u"ab"},
        {u"x&lt;y", u"x<y"}, // run entity
        {u"x&nbsp;&gt;", u"x >"},
        {u"x&LT;y", u"xLT;y"},            // upper case: the ampersand rule takes it
        {u"&COPY; 2024", u"\u00A9 2024"}, // text entity in any case
        {u"&amp;quot;", u"\""},           // "&&quot;" -> "&" + quote -> underlined quote
        {u"<BIG>x</BIG>y", u"x|y"},       // unknown tags vanish
        {u"< b>x", u"x"},
        {u"a<Z>hidden</Z>b", u"a|b"},
        {u"<#tag> x", u"#tag x"},
        {u"A&B", u"AB"},
        {u"A & B", u"A & B"},
        {u"A&&B", u"A&B"},
        {u"A && B", u"A & B"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Narrow(Shown(c.text)), Narrow(c.shown)) << Narrow(c.text);
}

// A plain phrase with a "<" and no ">" after it: the rest is consumed, and the letters after
// the "<" must not act as a tag (a bullet, a rule, a filled row, a link, a line break).
TEST_F(DrawMarkupTest, AHalfTypedTagConsumesTheRestWithoutEffect) {
    static const TestImageList images(3);
    params.Images = &images;
    const struct {
        std::u16string_view text, before;
    } cases[] = {
        {u"x <last", u"x "},
        {u"abc<HR", u"abc"},
        {u"abc <BODY BGCOLOR=\"clRed\"", u"abc "},
        {u"abc<A HREF=\"x\"", u"abc"},
        {u"ab<BR", u"ab"},
        {u"ab<IMG SRC=\"idx:1\"", u"ab"},
        {u"ab<P BGCOLOR=\"clRed\"", u"ab"},
        {u"<UL><LI TYPE=\"SQUARE\"", u""},
    };
    for (const auto& c : cases) {
        Draw(c.text, {0, 0, 400, 40});
        EXPECT_EQ(canvas.ShownTexts(), c.before) << Narrow(c.text);
        EXPECT_TRUE(canvas.Fills.empty()) << Narrow(c.text);
        EXPECT_TRUE(canvas.Lines.empty()) << Narrow(c.text);
        EXPECT_TRUE(canvas.Images.empty()) << Narrow(c.text);
        EXPECT_EQ(results.LinkCount, 0) << Narrow(c.text);
        EXPECT_EQ(results.StrippedText, c.before) << Narrow(c.text);
        EXPECT_EQ(results.Height, 16) << Narrow(c.text);
    }
}

TEST_F(DrawMarkupTest, AmpersandRuleUnderlinesTheNextCharacter) {
    Draw(u"A&B");
    ASSERT_EQ(canvas.Texts.size(), 1u);
    EXPECT_EQ(canvas.Texts[0].Underlined, 1);
    EXPECT_EQ(canvas.Texts[0].Format & TextFormat::NoPrefix, 0u);

    Draw(u"x&LT;y");
    EXPECT_EQ(canvas.Texts[0].Underlined, 1); // the L

    Draw(u"&amp;quot;");
    EXPECT_EQ(canvas.Texts[0].Underlined, 0); // the quote

    Draw(u"A & B&C"); // " & " anywhere switches the rule off for the whole text
    EXPECT_EQ(canvas.Texts[0].Shown, u"A & B&C");
    EXPECT_NE(canvas.Texts[0].Format & TextFormat::NoPrefix, 0u);
}

TEST_F(DrawMarkupTest, FontColoursAndSelection) {
    const Color start = canvas.TextColor();
    const struct {
        std::u16string_view text;
        Color color;
    } cases[] = {
        {u"<F COLOR=\"clRed\">x", 0x0000FF},
        {u"<FONT COLOR=\"#FF0000\">x", 0x0000FF},
        {u"<F COLOR=\"#ff0000\">x", 0x0000FF},
        {u"<F COLOR=\"red\">x", clBlack},
        {u"<F COLOR=clRed>x", start},
        {u"<F BGCOLOR=\"clRed\">x", start},
        {u"<F COLOR=\"clHighlight\">x", clHighlight},
        {u"<F COLOR=\"clRed\">x</F>", 0x0000FF},
    };
    for (const auto& c : cases) {
        Draw(c.text);
        ASSERT_FALSE(canvas.Texts.empty()) << Narrow(c.text);
        EXPECT_EQ(canvas.Texts[0].TextColor, c.color) << Narrow(c.text);
    }

    Draw(u"<F COLOR=\"clRed\" BGCOLOR=\"#00FF00\">a</F>b");
    ASSERT_EQ(canvas.Texts.size(), 2u);
    EXPECT_EQ(canvas.Texts[0].Background, 0x00FF00u);
    EXPECT_EQ(canvas.Texts[1].TextColor, start);
    EXPECT_EQ(canvas.Texts[1].Background, clNone);

    params.Selected = true;
    canvas.SetTextColor(clHighlightText);
    Draw(u"<F COLOR=\"clRed\" BGCOLOR=\"#00FF00\">x");
    EXPECT_EQ(canvas.Texts[0].TextColor, clHighlightText);
    EXPECT_EQ(canvas.Texts[0].Background, clNone);
}

TEST_F(DrawMarkupTest, StylesAreSwitchesNotAStack) {
    Draw(u"<B><B>a</B>b<I>c</I><U>d</U><S>e</S>");
    ASSERT_EQ(canvas.Texts.size(), 5u);
    EXPECT_TRUE(canvas.Texts[0].Font.Bold);
    EXPECT_FALSE(canvas.Texts[1].Font.Bold);
    EXPECT_TRUE(canvas.Texts[2].Font.Italic);
    EXPECT_TRUE(canvas.Texts[3].Font.Underline);
    EXPECT_TRUE(canvas.Texts[4].Font.StrikeOut);
    EXPECT_EQ(canvas.Texts[1].At.X, 9); // bold glyphs are one pixel wider
}

TEST_F(DrawMarkupTest, FontFaceAndSize) {
    Draw(u"<FONT face=\"Arial\" size=\"4\">a</FONT>b<F STYLE=\"font-size:24pt\">c");
    ASSERT_EQ(canvas.Texts.size(), 3u);
    EXPECT_EQ(canvas.Texts[0].Font.Name, u"ARIAL");
    EXPECT_EQ(canvas.Texts[0].Font.Height, 19); // 14 pt at 96 dpi
    EXPECT_EQ(canvas.Texts[1].Font, TestCanvas::DefaultFont());
    EXPECT_EQ(canvas.Texts[2].Font.Height, 32);
    EXPECT_EQ(canvas.Font(), TestCanvas::DefaultFont()); // restored on exit
}

// A STYLE size counts only in points; without "PT" the SIZE attribute decides, or nothing.
TEST_F(DrawMarkupTest, StyleFontSizeCountsOnlyInPoints) {
    const struct {
        std::u16string_view text;
        int height;
    } cases[] = {
        {u"<F STYLE=\"font-size:24pt\">x", 32},
        {u"<F STYLE=\"color:red; FONT-SIZE: 24PT;\">x", 32},
        {u"<F STYLE=\"font-size:24pt\" SIZE=\"2\">x", 32},
        {u"<F STYLE=\"font-size:24px\">x", 16},
        {u"<F STYLE=\"font-size:24\">x", 16},
        {u"<F STYLE=\"font-size:pt\">x", 16},
        // (SIZE is found by its name first inside "font-size" when STYLE stands before it)
        {u"<F SIZE=\"2\" STYLE=\"font-size:24px\">x", 13},
        {u"<F SIZE=\"5\" STYLE=\"font-size:24 pt\">x", 21},
    };
    for (const auto& c : cases) {
        Draw(c.text);
        ASSERT_EQ(canvas.Texts.size(), 1u) << Narrow(c.text);
        EXPECT_EQ(canvas.Texts[0].Font.Height, c.height) << Narrow(c.text);
    }
}

TEST_F(DrawMarkupTest, ImagesFromTheImageList) {
    TestImageList three(3), two(2);
    params.Images = &three;
    Draw(u"<IMG SRC=\"idx:2\">ab");
    ASSERT_EQ(canvas.Images.size(), 1u);
    EXPECT_EQ(canvas.Images[0].Index, 2);
    EXPECT_EQ(canvas.Images[0].Dest, (Rect{0, 0, 16, 16}));
    EXPECT_EQ(canvas.Texts[0].At.X, 16);

    const std::u16string_view skipped[] = {
        u"<IMG SRC=\"idx:3\">ab",  u"<IMG SRC=\"IDX:-1\">ab", u"<IMG SRC=idx:1>ab",
        u"<IMG SRC=\"ssys:1\">ab", u"<IMG SRC=\"pic\">ab",    u"<IMG SRC=\"http://x/y.png\">ab"};
    for (auto text : skipped) {
        Draw(text);
        EXPECT_TRUE(canvas.Images.empty()) << Narrow(text);
        EXPECT_EQ(canvas.Texts[0].At.X, 0) << Narrow(text); // no room taken
    }
    params.Images = &two;
    Draw(u"<IMG SRC=\"idx:2\">ab");
    EXPECT_TRUE(canvas.Images.empty());
    params.Images = nullptr;
    Draw(u"<IMG SRC=\"idx:0\">ab");
    EXPECT_TRUE(canvas.Images.empty());
}

TEST_F(DrawMarkupTest, ImageSizeFollowsTheResolutionAndSitsOnTheTextBottom) {
    TestImageList small(1, 8, 8);
    params.Images = &small;
    canvas.SetPixelsPerInch(192, 96);
    Draw(u"a<IMG SRC=\"idx:0\">");
    ASSERT_EQ(canvas.Images.size(), 1u);
    EXPECT_EQ(canvas.Images[0].Dest, (Rect{8, 8, 24, 16}));
}

TEST_F(DrawMarkupTest, EndEllipsisCutsASingleLine) {
    const std::u16string text(100, u'x');
    Draw(text, {0, 0, 80, 20});
    ASSERT_EQ(canvas.Texts.size(), 1u);
    EXPECT_EQ(canvas.Texts[0].Shown, u"xxxxxxx...");
    EXPECT_NE(canvas.Texts[0].Format & TextFormat::EndEllipsis, 0u);
    EXPECT_EQ(results.Width, 802);

    params.WordWrap = true;
    Draw(u"aaa bbb ccc", {0, 0, 72, 100});
    EXPECT_EQ(canvas.Texts[0].Format & TextFormat::EndEllipsis, 0u);
    EXPECT_EQ(canvas.ShownTexts(), u"aaa |bbb |ccc");
    EXPECT_EQ(canvas.Texts[2].At, (Point{0, 16}));
    EXPECT_EQ(results.Width, 58); // "aaa bbb" without its trailing blank, + 2
    EXPECT_EQ(results.Height, 32);
}

// Every run of a word-wrapped text used to search the rest of the text for the next tag.
TEST_F(DrawMarkupTest, WordWrapOfALongText) {
    constexpr int kRuns = 1 << 18;
    std::u16string text;
    for (int i = 0; i < kRuns; ++i)
        text += u"ab ";
    text += u"<BR>";
    params.WordWrap = true;
    const struct {
        bool measureOnly, hitTestOnly;
        Rect rect;
    } passes[] = {{true, false, {0, 0, 400, 20}}, {false, true, {0, 0, 400, kRuns}}};
    for (const auto& pass : passes) {
        params.MeasureOnly = pass.measureOnly;
        params.HitTestOnly = pass.hitTestOnly;
        Draw(text, pass.rect);
        EXPECT_EQ(results.Height, kRuns / 16 * 16); // sixteen runs of 24 pixels to a line
        EXPECT_EQ(results.Width, 16 * 24 - 8 + 2);  // without the last trailing blank
        EXPECT_EQ(results.StrippedText, text.substr(0, text.size() - 4) + u"\r");
    }
}

TEST_F(DrawMarkupTest, RunsPastTheRightEdgeAreNotDrawn) {
    Draw(u"abcdefghij<B>k</B>", {0, 0, 80, 20});
    EXPECT_EQ(canvas.ShownTexts(), u"abcdefghij"); // "k" starts at 80, beyond 80 - width of "l"
}

TEST_F(DrawMarkupTest, NoPartialLines) {
    Draw(u"ab<BR>cd", {0, 0, 400, 31});
    EXPECT_EQ(canvas.ShownTexts(), u"ab");
    EXPECT_EQ(results.StrippedText, u"ab\r");
    EXPECT_EQ(results.Height, 16);

    Draw(u"ab<BR>cd", {0, 0, 400, 32});
    EXPECT_EQ(canvas.ShownTexts(), u"ab|cd");
    EXPECT_EQ(canvas.Texts[1].At, (Point{0, 16}));
    EXPECT_EQ(results.StrippedText, u"ab\rcd");
    EXPECT_EQ(results.Height, 32);

    params.MeasureOnly = true;
    Draw(u"ab\r\ncd<HR>ef", {0, 0, 400, 1});
    EXPECT_TRUE(canvas.Texts.empty());
    EXPECT_EQ(results.StrippedText, u"ab\rcd\ref");
    EXPECT_EQ(results.Height, 48);
}

TEST_F(DrawMarkupTest, ListBoxRowPutsTheTextTopAtTheRowTop) {
    params.ShadowOffset = 2;
    params.LineSpacing = 2;
    params.ShadowColor = clGray;
    Draw(u"phrase", {20, 98, 300, 118}); // a 20-pixel row at y = 100, raised by 2
    ASSERT_EQ(canvas.Texts.size(), 1u);
    EXPECT_EQ(canvas.Texts[0].At, (Point{20, 100}));
    EXPECT_EQ(results.Height, 18);
}

TEST_F(DrawMarkupTest, SuperscriptAndSubscriptExtras) {
    Draw(u"a<SUP>b</SUP>c");
    ASSERT_EQ(canvas.Texts.size(), 3u);
    EXPECT_EQ(results.Height, 20);
    EXPECT_EQ(canvas.Texts[0].At.Y, 4);
    EXPECT_EQ(canvas.Texts[1].At.Y, 0);
    EXPECT_EQ(canvas.Texts[2].At.Y, 4);

    Draw(u"a<SUB>b</SUB>");
    EXPECT_EQ(results.Height, 20);
    EXPECT_EQ(canvas.Texts[0].At.Y, 0);
    EXPECT_EQ(canvas.Texts[1].At.Y, 4);
}

TEST_F(DrawMarkupTest, EmptyTextMeasures) {
    Draw(u"");
    EXPECT_EQ(results.Width, 0);
    EXPECT_EQ(results.Height, 16);
    EXPECT_EQ(results.LinkCount, 0);
    EXPECT_EQ(results.MouseLink, -1);
    EXPECT_TRUE(canvas.Texts.empty());

    Draw(u"<B>");
    EXPECT_EQ(results.Width, 2);
    Draw(u"ab ");
    EXPECT_EQ(results.Width, 18); // trailing blank left out
}

TEST_F(DrawMarkupTest, HitTestOnALink) {
    params.HitTestOnly = true;
    params.MouseX = 30;
    params.MouseY = 8;
    EXPECT_TRUE(Draw(u"go <A HREF=\"Target\" TITLE=\"Tip\">link</A> end"));
    EXPECT_TRUE(canvas.Texts.empty());
    EXPECT_EQ(results.AnchorValue, u"Target");
    EXPECT_EQ(results.FocusAnchor, u"Tip");
    EXPECT_EQ(results.MouseLink, 1);
    EXPECT_EQ(results.HoverRect, (Rect{24, 0, 56, 16}));
    EXPECT_EQ(results.LinkCount, 1);

    params.MouseX = 60; // on " end"
    EXPECT_FALSE(Draw(u"go <A HREF=\"Target\">link</A> end"));
    EXPECT_EQ(results.MouseLink, -1);
    EXPECT_EQ(results.AnchorValue, u"");

    params.MouseX = 30;
    params.MouseY = 0; // on the band's top edge: outside
    EXPECT_FALSE(Draw(u"go <A HREF=\"Target\">link</A> end"));
}

TEST_F(DrawMarkupTest, LinkColourUnderlineAndFocus) {
    params.FocusLink = 1;
    Draw(u"<A HREF=\"one\">a</A><A HREF=\"two\">b</A>c");
    ASSERT_EQ(canvas.Texts.size(), 3u);
    EXPECT_EQ(canvas.Texts[0].TextColor, clBlue);
    EXPECT_TRUE(canvas.Texts[0].Font.Underline);
    EXPECT_FALSE(canvas.Texts[2].Font.Underline);
    EXPECT_EQ(canvas.Texts[2].TextColor, canvas.TextColor());
    EXPECT_EQ(results.FocusAnchor, u"two");
    ASSERT_EQ(canvas.FocusRects.size(), 1u);
    EXPECT_EQ(canvas.FocusRects[0], (Rect{7, 0, 17, 16}));
    EXPECT_EQ(results.LinkCount, 2);

    params.HoverStyle = true;
    params.HoverLink = 2;
    params.Selected = true;
    Draw(u"<A HREF=\"one\">a</A><A HREF=\"two\">b</A>");
    EXPECT_FALSE(canvas.Texts[0].Font.Underline);
    EXPECT_TRUE(canvas.Texts[1].Font.Underline);
    EXPECT_EQ(canvas.Texts[1].TextColor, canvas.TextColor()); // no link colour when selected
}

// Right to left, runs are laid out from the right edge: the link's rectangles lie where its
// run is drawn.
TEST_F(DrawMarkupTest, RightToLeftLinkRectanglesCoverTheMirroredRun) {
    canvas.SetRightToLeftLocale(true);
    params.RightToLeft = true;
    params.HitTestOnly = true;
    params.MouseX = 350;
    params.MouseY = 8;
    const std::u16string_view text = u"go <A HREF=\"Target\">link</A> end";
    EXPECT_TRUE(Draw(text));
    EXPECT_EQ(results.MouseLink, 1);
    EXPECT_EQ(results.HoverRect, (Rect{344, 0, 376, 16}));

    params.HitTestOnly = false;
    params.FocusLink = 0;
    Draw(text);
    ASSERT_EQ(canvas.Texts.size(), 3u);
    EXPECT_EQ(canvas.Texts[1].At, (Point{344, 0}));
    EXPECT_EQ(canvas.FocusRects, (std::vector<Rect>{{343, 0, 377, 16}}));

    // A link that goes on to the next line: each line's part has its own rectangle.
    params.WordWrap = true;
    Draw(u"<A HREF=\"x\">aaaa bbbb</A>", {0, 0, 72, 40});
    EXPECT_EQ(canvas.FocusRects, (std::vector<Rect>{{31, 0, 73, 16}, {39, 16, 73, 32}}));
}

TEST_F(DrawMarkupTest, LinkedImageHit) {
    TestImageList images(1);
    params.Images = &images;
    params.MouseX = 4;
    params.MouseY = 4;
    EXPECT_TRUE(Draw(u"<A HREF=\"img\" TITLE=\"t\"><IMG SRC=\"idx:0\"></A>"));
    EXPECT_EQ(results.AnchorValue, u"img");
    EXPECT_EQ(results.MouseLink, 1);
    EXPECT_EQ(canvas.Images.size(), 1u);
}

TEST_F(DrawMarkupTest, ShadowErrorAndHighlight) {
    params.ShadowOffset = 2;
    Draw(u"<SH>a</SH>");
    ASSERT_EQ(canvas.Texts.size(), 2u);
    EXPECT_EQ(canvas.Texts[0].TextColor, clGray);
    EXPECT_EQ(canvas.Texts[0].At, (Point{2, 2}));
    EXPECT_EQ(canvas.Texts[1].At, (Point{0, 0}));

    Draw(u"x<E>ab</E>", {0, 0, 400, 16});
    ASSERT_EQ(canvas.Lines.size(), 1u);
    EXPECT_EQ(canvas.Lines[0].Pen, clRed);
    const std::vector<Point> zigzag{{8, 15},  {10, 17}, {12, 15}, {14, 17}, {16, 15},
                                    {18, 17}, {20, 15}, {22, 17}, {24, 15}};
    EXPECT_EQ(canvas.Lines[0].Points, zigzag);

    // A run far wider than the rectangle: the zig-zag stops at its edge, in the same phase.
    Draw(u"x<E>" + std::u16string(1000, u'a'), {0, 0, 20, 16});
    ASSERT_EQ(canvas.Lines.size(), 1u);
    EXPECT_EQ(
        canvas.Lines[0].Points,
        (std::vector<Point>{{8, 15}, {10, 17}, {12, 15}, {14, 17}, {16, 15}, {18, 17}, {20, 15}}));

    Draw(u"a<HI>b</HI>c");
    EXPECT_EQ(canvas.Texts[1].Background, clHighlight);
    EXPECT_EQ(canvas.Texts[1].TextColor, clHighlightText);
    EXPECT_EQ(canvas.Texts[2].Background, clNone);
}

TEST_F(DrawMarkupTest, ListsBulletsAndNumbers) {
    params.WordWrap = true;
    Draw(u"<UL><LI>one<LI>two</UL>", {0, 0, 400, 100});
    ASSERT_EQ(canvas.Texts.size(), 4u);
    EXPECT_EQ(canvas.Texts[0].Shown, u"\u00B7");
    EXPECT_EQ(canvas.Texts[0].Font.Name, u"SYMBOL");
    EXPECT_EQ(canvas.Texts[1].At, (Point{12, 0}));
    EXPECT_EQ(canvas.Texts[3].At, (Point{12, 16})); // the second item starts a line

    Draw(u"<OL><LI>a<LI>b</OL>", {0, 0, 400, 100});
    EXPECT_EQ(Narrow(canvas.ShownTexts()), "1. |a|2. |b");
    EXPECT_EQ(canvas.Texts[1].At.X, 24);

    Draw(u"<UL><LI TYPE=\"SQUARE\" COLOR=\"clRed\">a</UL>", {0, 0, 400, 100});
    ASSERT_EQ(canvas.Fills.size(), 1u);
    EXPECT_EQ(canvas.Fills[0].Bounds, (Rect{0, 2, 8, 10}));
    EXPECT_EQ(canvas.Fills[0].Fill, clRed);
}

// Lists are switches as well: a bulleted list adds a level and nothing else, so inside a
// numbered list its items go on counting, and so do the numbered list's items after it.
TEST_F(DrawMarkupTest, ABulletedListInsideANumberedListKeepsTheNumbering) {
    params.WordWrap = true;
    Draw(u"<OL><LI>a<UL><LI>b</UL><LI>c</OL><UL><LI>d<OL><LI>e</OL><LI>f</UL>", {0, 0, 400, 200});
    EXPECT_EQ(Narrow(canvas.ShownTexts()), "1. |a|2. |b|3. |c|?|d|1. |e|?|f");
    ASSERT_EQ(canvas.Texts.size(), 12u);
    EXPECT_EQ(canvas.Texts[2].At.X, 12); // the inner list's level moves its label
    EXPECT_EQ(canvas.Texts[4].At.X, 0);
}

TEST_F(DrawMarkupTest, ParagraphBackgroundGradientAndAlignment) {
    Draw(u"<P ALIGN=\"right\" BGCOLOR=\"#000000\" BGCOLORTO=\"#FC0000\">ab</P>", {0, 0, 128, 20});
    ASSERT_EQ(canvas.Fills.size(), 64u);
    EXPECT_EQ(canvas.Fills.front().Bounds, (Rect{0, 0, 2, 16}));
    EXPECT_EQ(canvas.Fills.front().Fill, 0x000000u);
    EXPECT_EQ(canvas.Fills.back().Fill, 0x0000FCu);
    EXPECT_EQ(canvas.Fills[21].Fill, 0x000054u);
    EXPECT_EQ(canvas.Texts[0].At.X, 112);

    params.Selected = true;
    Draw(u"<P BGCOLOR=\"#000000\">ab</P>");
    EXPECT_TRUE(canvas.Fills.empty());
}

TEST_F(DrawMarkupTest, PositionalFormAsTheListBoxCallsIt) {
    TestImageList images(10);
    std::u16string anchor, stripped, focus;
    int width = 0, height = 0, links = 0, mouseLink = 0;
    Rect hover;
    const bool onLink = DrawMarkup(canvas, u"a<BR>b", Rect{0, 0, 100, 18}, &images, -1, -1, -1, -1,
                                   2, false, false, false, true, false, false, false, 1.0, clBlue,
                                   clNone, clNone, clGray, anchor, stripped, focus, width, height,
                                   links, mouseLink, hover, nullptr, nullptr, 2, false);
    EXPECT_FALSE(onLink);
    EXPECT_EQ(stripped, u"a\r");
    EXPECT_EQ(width, 10);
    EXPECT_EQ(height, 18);
    EXPECT_EQ(mouseLink, -1);
}

} // namespace
} // namespace zel
