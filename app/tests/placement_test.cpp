#include "app/placement.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

TEST(Placement, DefaultIsCentredByOuterSizeWithTheDeliverableOffset) {
    auto v = DefaultPosition(1280, 984, 372, 359, kVelmora.DefaultOffset);
    EXPECT_EQ(v.Top, 312);  // floor(492 - 179.5)
    EXPECT_EQ(v.Left, 454); // 640 - 186
    auto t = DefaultPosition(1280, 984, 372, 359, kTamsorn.DefaultOffset);
    EXPECT_EQ(t.Top, 362);
    EXPECT_EQ(t.Left, 504);
    EXPECT_EQ(DefaultPosition(100, 100, 301, 301, 0).Top, -101) << "floor, not truncation";
}

TEST(Placement, ReadsEachKeyWithItsDefault) {
    auto settings = SettingsFile::FromBytes("[System]\r\nForm1Top2=-$10\r\nform1left2=5\r\n"
                                            "Form1ClientWidth2=12px\r\nForm3Top2=1\r\n");
    auto p = ReadPlacement(settings, kVelmora.Keys, {100, 200});
    EXPECT_EQ(p.Top, -16);
    EXPECT_EQ(p.Left, 5);
    EXPECT_EQ(p.ClientWidth, 372);
    EXPECT_EQ(p.ClientHeight, 320);
    auto t = ReadPlacement(settings, kTamsorn.Keys, {100, 200});
    EXPECT_EQ(t.Top, 1);
    EXPECT_EQ(t.Left, 200);
}

TEST(Placement, WritesTheFourKeysInOrder) {
    SettingsFile settings;
    WritePlacement(settings, kTamsorn.Keys, {-5, 7, 400, 300});
    EXPECT_EQ(settings.ToBytes(), "\xEF\xBB\xBF[System]\r\nForm3Top2=-5\r\nForm3Left2=7\r\n"
                                  "Form3ClientWidth2=400\r\nForm3ClientHeight2=300\r\n\r\n");
}

} // namespace
} // namespace zel
