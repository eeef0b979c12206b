#include "ui/layout.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

LayoutItem Anchored(TRect bounds, TAnchors anchors, int parentW, int parentH) {
    LayoutItem item;
    item.Anchors = anchors;
    item.Bounds = item.AnchorOrigin = bounds;
    item.OriginParentWidth = parentW;
    item.OriginParentHeight = parentH;
    return item;
}

TEST(Layout, AnchorsStretchOrMoveWithTheParent) {
    // The main window's design: a list anchored on all sides, a button at the bottom left.
    std::vector<LayoutItem> items = {
        Anchored(BoundsRect(0, 0, 356, 297), akLeft | akTop | akRight | akBottom, 356, 320),
        Anchored(BoundsRect(0, 298, 60, 22), akLeft | akBottom, 356, 320),
        Anchored(BoundsRect(300, 10, 20, 20), akRight | akTop, 356, 320),
        Anchored(BoundsRect(168, 150, 20, 20), 0, 356, 320),
    };
    auto r = ArrangeChildren(372, 420, items);
    EXPECT_EQ(r[0], BoundsRect(0, 0, 372, 397));
    EXPECT_EQ(r[1], BoundsRect(0, 398, 60, 22));
    EXPECT_EQ(r[2], BoundsRect(316, 10, 20, 20));
    EXPECT_EQ(r[3].Left, 178 * 372 / 356 - 10) << "unanchored keeps its centre in proportion";
    auto shrunk = ArrangeChildren(10, 10, items);
    EXPECT_EQ(shrunk[0].Width(), 10);
    EXPECT_GE(shrunk[0].Height(), 0);
}

TEST(Layout, AlignedItemsShareTheSpaceInOrderWithMargins) {
    LayoutItem top;
    top.Align = TAlign::alTop;
    top.Bounds = BoundsRect(0, 0, 5, 21);
    top.AlignWithMargins = true;
    top.Margins = {1, 2, 3, 4};
    LayoutItem bottom;
    bottom.Align = TAlign::alBottom;
    bottom.Bounds = BoundsRect(0, 0, 5, 20);
    LayoutItem client;
    client.Align = TAlign::alClient;
    LayoutItem hidden = bottom;
    hidden.Visible = false;
    auto r = ArrangeChildren(100, 200, {client, top, hidden, bottom});
    EXPECT_EQ(r[1], (TRect{1, 2, 97, 23}));
    EXPECT_EQ(r[3], (TRect{0, 180, 100, 200}));
    EXPECT_EQ(r[0], (TRect{0, 27, 100, 180}));
    EXPECT_EQ(r[2], hidden.Bounds) << "hidden aligned items take no room";
}

} // namespace
} // namespace zel
