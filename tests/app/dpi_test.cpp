// Layout pixels to the pixels of a screen: places scaled edge by edge and fonts made
// once for each DPI.
#include <gtest/gtest.h>

#include "app/fonts.h"
#include "win/dpi.h"

namespace {

// Controls that touch at 96 DPI still touch at 144, whatever their sizes round to;
// at 96 every place stays as it is.
TEST(Dpi, PlacesScaleByTheirEdgesSoNeighboursStillTouch) {
    const RECT left = ScaledPlace({15, 25, 215, 25}, 144);
    const RECT right = ScaledPlace({230, 25, 25, 25}, 144);
    const RECT below = ScaledPlace({15, 50, 215, 23}, 144);
    EXPECT_EQ(left.left + left.right, right.left);
    EXPECT_EQ(left.top + left.bottom, below.top);
    EXPECT_EQ(left.left, 23);  // 22.5, rounded to the nearest
    const RECT place{15, 25, 215, 25};
    const RECT same = ScaledPlace(place, 96);
    EXPECT_TRUE(EqualRect(&same, &place));
    EXPECT_EQ(Unscaled(Scaled(301, 144), 144), 301);
}

// A control's font at 144 DPI is half as large again as the one the program made;
// at 96 it is that font itself, and each DPI's font is made only once.
TEST(Dpi, FontsAreMadeOnceForEachDpi) {
    const HFONT font = CreateScaledFont(12, FW_NORMAL, kDefaultWordFace, 0);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(FontForDpi(font, 96), font);
    const HFONT large = FontForDpi(font, 144);
    ASSERT_NE(large, font);
    EXPECT_EQ(FontForDpi(font, 144), large);
    LOGFONTW made{};
    LOGFONTW scaled{};
    GetObjectW(font, sizeof made, &made);
    GetObjectW(large, sizeof scaled, &scaled);
    EXPECT_EQ(made.lfHeight, -16);
    EXPECT_EQ(scaled.lfHeight, -24);
    EXPECT_STREQ(scaled.lfFaceName, made.lfFaceName);
    DeleteObject(font);
}

}  // namespace
