// Where the Translate window's three rows start after a look-up, a key or a scroll,
// also for lists shorter than the rows.
#include <gtest/gtest.h>

#include "lookup/translaterows.h"

namespace {

TEST(TranslateRows, EndClampKeepsTheRowsFilled) {
    EXPECT_EQ(EndClamp(0, 100, kTranslateRows), 0);
    EXPECT_EQ(EndClamp(97, 100, kTranslateRows), 97);
    EXPECT_EQ(EndClamp(98, 100, kTranslateRows), 97);
    EXPECT_EQ(EndClamp(100, 100, kTranslateRows), 97);  // a word after the last entry
    EXPECT_EQ(EndClamp(1, 2, kTranslateRows), 0);       // fewer entries than rows
    EXPECT_EQ(EndClamp(0, 0, kTranslateRows), 0);
}

TEST(TranslateRows, KeysAndScrollingStayInsideTheList) {
    EXPECT_EQ(TranslateTopAfterKey(VK_UP, 0, 100), 0);
    EXPECT_EQ(TranslateTopAfterKey(VK_DOWN, 97, 100), 97);
    EXPECT_EQ(TranslateTopAfterKey(VK_DOWN, 5, 100), 6);
    EXPECT_EQ(TranslateTopAfterKey(VK_PRIOR, 5, 100), 5);  // page keys do nothing here
    EXPECT_EQ(EndClamp(TranslateTopAfterKey(VK_DOWN, 0, 2), 2, kTranslateRows), 0);

    EXPECT_EQ(TranslateTopAfterScroll(SB_PAGEDOWN, 0, 95, 100), 97);
    EXPECT_EQ(TranslateTopAfterScroll(SB_PAGEUP, 0, 2, 100), 0);
    EXPECT_EQ(TranslateTopAfterScroll(SB_LINEDOWN, 0, 5, 100), 6);
    EXPECT_EQ(TranslateTopAfterScroll(SB_THUMBPOSITION, 4, 5, 100), 40);
    EXPECT_EQ(TranslateTopAfterScroll(SB_ENDSCROLL, 4, 5, 100), 5);

    EXPECT_EQ(ScrollRangeMax(100, kTranslateRows), 9);
    EXPECT_EQ(ScrollRangeMax(12, kTranslateRows), 0);
    EXPECT_EQ(ScrollRangeMax(2, kTranslateRows), 0);
}

}  // namespace
