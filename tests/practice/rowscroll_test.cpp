// Where the maker's rows start after scrolling.
#include <gtest/gtest.h>

#include "practice/rowscroll.h"

TEST(MakerRows, TwentyWordsScrollInStepsOfEight) {
    constexpr int kWords = 20;
    EXPECT_EQ(WordScrollRange(kWords), 1);
    int top = ScrolledTop(SB_THUMBPOSITION, 0, kWords, 1, kMakerRows);
    EXPECT_EQ(top, 8);  // words 8 to 15
    top = ScrolledTop(SB_PAGEDOWN, top, kWords, 0, kMakerRows);
    EXPECT_EQ(top, 12);  // 16 would leave rows empty: words 12 to 19
    EXPECT_EQ(WordThumb(top), 1);
    EXPECT_EQ(ScrolledTop(SB_LINEDOWN, top, kWords, 0, kMakerRows), 12);
    EXPECT_EQ(ScrolledTop(SB_PAGEUP, 5, kWords, 0, kMakerRows), 0);
    EXPECT_EQ(ScrolledTop(SB_LINEUP, 5, kWords, 0, kMakerRows), 4);
    EXPECT_EQ(ScrolledTop(SB_THUMBTRACK, 5, kWords, 1, kMakerRows), 5);
    EXPECT_EQ(ScrolledTop(SB_ENDSCROLL, 5, kWords, 1, kMakerRows), 5);
}

TEST(MakerRows, ShortListsNeverMove) {
    for (int request : {SB_LINEDOWN, SB_PAGEDOWN, SB_LINEUP, SB_PAGEUP})
        EXPECT_EQ(ScrolledTop(request, 0, 5, 0, 1), 0) << request;
    EXPECT_EQ(ScrolledTop(SB_THUMBPOSITION, 0, 5, 3, kMakerRows), 0);
    EXPECT_EQ(WordScrollRange(5), 0);
    EXPECT_EQ(ClampRowTop(7, 0), 0);
}

TEST(MakerRows, PracticeColumnMovesOneEntryAtATime) {
    // Eleven entries: rows show 3 to 10, the bar's range is 0 to 3.
    EXPECT_EQ(ClampRowTop(11 - kMakerRows, 11), 3);
    EXPECT_EQ(ScrolledTop(SB_THUMBPOSITION, 3, 11, 1, 1), 1);
    EXPECT_EQ(ScrolledTop(SB_PAGEDOWN, 1, 11, 0, 1), 3);
}
