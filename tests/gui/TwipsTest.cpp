// Conversions between twips and pixels, and the colour byte order.

#include <gtest/gtest.h>

#include "gui/BgrColor.h"
#include "gui/Twips.h"

namespace tw {
namespace {

TEST(TwipsScaleTest, ConvertsAtTheUsualDpiWithoutLoss) {
    const TwipsScale scale(96, 96);
    EXPECT_EQ(scale.xToPixels(11415), 761);
    EXPECT_EQ(scale.yToPixels(7335), 489);
    EXPECT_EQ(scale.xToTwips(761), 11415);
    EXPECT_EQ(scale.yToTwips(297), 4455);
    EXPECT_EQ(scale.toPixels(4800, 1440, 6375, 4455), QRect(320, 96, 425, 297));
}

TEST(TwipsScaleTest, RoundsToTheNearestPixelAtOtherDpis) {
    const TwipsScale large(120, 144);
    // 11415 twips at 120 dpi are 951.25 pixels; 7335 at 144 dpi are 733.5.
    EXPECT_EQ(large.xToPixels(11415), 951);
    EXPECT_EQ(large.yToPixels(7335), 734);
    EXPECT_EQ(large.xToTwips(951), 11412);
    EXPECT_EQ(large.yToTwips(734), 7340);
    // One pixel is 12 twips horizontally and 10 vertically here.
    EXPECT_EQ(large.xToTwips(1), 12);
    EXPECT_EQ(large.yToTwips(1), 10);
    EXPECT_EQ(large.toPixels(240, 2400, 4080, 15), QRect(20, 240, 340, 2));
}

TEST(BgrColorTest, KeepsBlueInTheHighByte) {
    EXPECT_EQ(bgrValue(0, 255, 128), 0x0080FF00u);
    EXPECT_EQ(bgrValue(240, 240, 240), 0x00F0F0F0u);
    EXPECT_EQ(colorFromBgr(0x0000FFFF), QColor(255, 255, 0));
    EXPECT_EQ(colorFromBgr(0x000000C0), QColor(0xC0, 0, 0));  // failed: dark red
    EXPECT_EQ(colorFromBgr(0x00C00000), QColor(0, 0, 0xC0));  // info: dark blue
    EXPECT_EQ(bgrFromColor(QColor(255, 128, 0)), 0x000080FFu);
}

}  // namespace
}  // namespace tw
