#include "htmltext/testing/test_canvas.h"
#include "listbox/row_painter.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

struct RecordedCheckBoxes : CheckBoxPainter {
    std::vector<std::pair<Point, bool>> drawn;
    void DrawCheckBox(Canvas&, Point topLeft, bool checked) override {
        drawn.emplace_back(topLeft, checked);
    }
};

struct RowPainting : ::testing::Test {
    TestCanvas canvas;
    TestImageList images{10};
    RecordedCheckBoxes boxes;
    TListBoxItem item;
    RowStyle style;
    const Rect row{0, 40, 200, 60};
    void SetUp() override {
        item.SetText(u"Hello");
        item.SetImageIndex(3);
        style.Images = &images;
        style.ListColor = 0x123456;
    }
};

TEST(RowHeight, ImagesWithTheirMarginOrTheItemHeight) {
    TestImageList images(10);
    EXPECT_EQ(RowHeight(15, &images), 20);
    EXPECT_EQ(RowHeight(16, &images), 20);
    EXPECT_EQ(RowHeight(24, &images), 24);
    EXPECT_EQ(RowHeight(15, nullptr), 15);
}

TEST_F(RowPainting, FillsThenDrawsTheTopAlignedImageAndTheRaisedText) {
    PaintRow(canvas, row, false, &item, style, boxes);
    ASSERT_FALSE(canvas.Fills.empty());
    EXPECT_EQ(canvas.Fills[0].Bounds, row);
    EXPECT_EQ(canvas.Fills[0].Fill, 0x123456u);
    ASSERT_EQ(canvas.Images.size(), 1u);
    EXPECT_EQ(canvas.Images[0].Index, 3);
    EXPECT_EQ(canvas.Images[0].Dest, (Rect{2, 40, 18, 56}));
    ASSERT_EQ(canvas.Texts.size(), 1u);
    EXPECT_EQ(canvas.Texts[0].Shown, u"Hello");
    EXPECT_EQ(canvas.Texts[0].Bounds.Left, 20);
    EXPECT_EQ(canvas.Texts[0].Bounds.Top, 38);
    EXPECT_EQ(canvas.Texts[0].TextColor, clWindowText);
    EXPECT_TRUE(boxes.drawn.empty());
}

TEST_F(RowPainting, SelectedRowsUseTheHighlightColours) {
    PaintRow(canvas, row, true, &item, style, boxes);
    EXPECT_EQ(canvas.Fills[0].Fill, clHighlight);
    ASSERT_EQ(canvas.Texts.size(), 1u);
    EXPECT_EQ(canvas.ToRgb(canvas.Texts[0].TextColor), canvas.ToRgb(clHighlightText));
}

TEST_F(RowPainting, CheckListRowsDrawTheBoxBeforeTheImage) {
    style.CheckList = true;
    item.SetChecked(true);
    PaintRow(canvas, row, false, &item, style, boxes);
    ASSERT_EQ(boxes.drawn.size(), 1u);
    EXPECT_EQ(boxes.drawn[0].first, (Point{2, 40}));
    EXPECT_TRUE(boxes.drawn[0].second);
    EXPECT_EQ(canvas.Images[0].Dest.Left, 18);
    EXPECT_EQ(canvas.Texts[0].Bounds.Left, 36);
}

TEST_F(RowPainting, NoImageLeavesNoGapAndARowWithoutItemStaysEmpty) {
    item.SetImageIndex(-1);
    PaintRow(canvas, row, false, &item, style, boxes);
    EXPECT_TRUE(canvas.Images.empty());
    EXPECT_EQ(canvas.Texts[0].Bounds.Left, 4);

    canvas.ClearRecord();
    PaintRow(canvas, row, false, nullptr, style, boxes);
    EXPECT_EQ(canvas.Fills.size(), 1u);
    EXPECT_TRUE(canvas.Texts.empty());
    EXPECT_TRUE(canvas.Images.empty());
}

TEST_F(RowPainting, HighlightTextIsDrawnInTheHighlightColours) {
    style.HighlightText = u"ll";
    PaintRow(canvas, row, false, &item, style, boxes);
    EXPECT_EQ(canvas.ShownTexts(), u"He|ll|o");
    ASSERT_EQ(canvas.Texts.size(), 3u);
    EXPECT_EQ(canvas.ToRgb(canvas.Texts[1].TextColor), canvas.ToRgb(clHighlightText));
}

} // namespace
} // namespace zel
