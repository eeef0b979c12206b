// The test canvas is a fixture of other tests too: its metrics and prefix handling must hold.
#include "htmltext/testing/test_canvas.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

TEST(TestCanvas, MeasuresAndDrawsLikeThePlatformTextCalls) {
    TestCanvas canvas;
    EXPECT_EQ(canvas.TextExtent(u"gh"), (Size{16, 16}));
    EXPECT_EQ(canvas.MeasureText(u"A&B", 0), (Size{16, 16}));
    EXPECT_EQ(canvas.MeasureText(u"A&B", TextFormat::NoPrefix), (Size{24, 16}));

    canvas.TextRect(u"A&&B&", {10, 0, 100, 30}, TextFormat::Bottom);
    EXPECT_EQ(canvas.Texts.back().Shown, u"A&B");
    EXPECT_EQ(canvas.Texts.back().Underlined, -1);
    EXPECT_EQ(canvas.Texts.back().At, (Point{10, 14}));

    canvas.TextRect(u"abcdef&g", {0, 0, 40, 16}, TextFormat::EndEllipsis | TextFormat::Right);
    EXPECT_EQ(canvas.Texts.back().Shown, u"ab...");
    EXPECT_EQ(canvas.Texts.back().Underlined, -1);
    EXPECT_EQ(canvas.Texts.back().At, (Point{0, 0}));

    EXPECT_EQ(canvas.ToRgb(clHighlight), TestCanvas::SystemRgb(13));
    EXPECT_EQ(canvas.ToRgb(0x123456), 0x123456u);
}

} // namespace
} // namespace zel
