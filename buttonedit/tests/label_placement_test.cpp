// Where the label goes for every position, and the room an aligned field leaves for it.
#include "buttonedit/label_placement.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

using enum TLabelPosition;

// A field at (100, 50) of 120 x 21 with a single border; a 40 x 13 label; margin 4.
const TRect kField = BoundsRect(100, 50, 120, 21);
const LabelExtent kLabel{40, 40, 13};

TEST(LabelPlacement, EveryPositionOfTheTable) {
    struct Case {
        TLabelPosition position;
        Point origin;
    } cases[] = {
        {lpLeftTop, {56, 50}},        {lpLeftCenter, {56, 53}},     {lpLeftBottom, {56, 58}},
        {lpTopLeft, {100, 33}},       {lpBottomLeft, {100, 75}},    {lpLeftTopLeft, {96, 50}},
        {lpLeftCenterLeft, {96, 53}}, {lpLeftBottomLeft, {96, 58}}, {lpTopCenter, {140, 33}},
        {lpBottomCenter, {140, 75}},  {lpRightTop, {224, 50}},      {lpRightCenter, {224, 53}},
        {lpRighBottom, {224, 58}},    {lpTopRight, {180, 33}},      {lpBottomRight, {180, 75}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LabelOrigin(c.position, kField, kLabel, 4, true), c.origin) << int(c.position);
}

TEST(LabelPlacement, CentringAllowsForTheBorderAndForATallLabel) {
    EXPECT_EQ(LabelOrigin(lpLeftCenter, kField, kLabel, 4, false).Y, 54);
    const LabelExtent tall{40, 40, 30};
    EXPECT_EQ(LabelOrigin(lpRightCenter, kField, tall, 4, false).Y, 46);
    EXPECT_EQ(LabelOrigin(lpRightCenter, kField, tall, 4, true).Y, 45);
    // The caption's width places a left label; the label's own width a centred one.
    const LabelExtent wide{40, 60, 13};
    EXPECT_EQ(LabelOrigin(lpLeftTop, kField, wide, 4, true).X, 56);
    EXPECT_EQ(LabelOrigin(lpTopCenter, kField, wide, 4, true).X, 130);
}

TEST(LabelPlacement, AnAlignedFieldLeavesRoomAlongItsStretchedSide) {
    struct Case {
        TLabelPosition position;
        TAlign align;
        TRect room;
    } cases[] = {
        {lpLeftTop, TAlign::alClient, {144, 50, 220, 71}},
        {lpLeftCenterLeft, TAlign::alTop, {144, 50, 220, 71}},
        {lpLeftTop, TAlign::alLeft, kField},
        {lpTopLeft, TAlign::alLeft, {100, 63, 220, 71}},
        {lpTopCenter, TAlign::alTop, kField},
        {lpRightTop, TAlign::alBottom, {100, 50, 176, 71}},
        {lpBottomLeft, TAlign::alClient, kField},
        {lpLeftTop, TAlign::alNone, kField},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FieldRoomForLabel(c.position, c.align, kField, kLabel, 4), c.room)
            << int(c.position) << " " << int(c.align);
}

} // namespace
} // namespace zel
