// The Search table's arithmetic, the words a row's recording is looked up by, and
// clipboard blocks read within their size.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "lookup/clipboard.h"
#include "lookup/playback.h"
#include "lookup/searchrows.h"

namespace {

TEST(SearchRows, ListShorterThanTheTableStaysAtItsFirstEntry) {
    constexpr int count = 4;
    constexpr int rows = 10;
    EXPECT_EQ(EndClamp(count, count, rows), 0);  // a text after every entry
    EXPECT_EQ(ScrollRangeMax(count, rows), 0);
    for (WPARAM key : {VK_NEXT, VK_DOWN, VK_PRIOR, VK_UP}) EXPECT_EQ(TopAfterKey(0, key, count, rows), 0) << key;
    for (int code : {SB_LINEDOWN, SB_PAGEDOWN, SB_LINEUP, SB_PAGEUP, SB_THUMBPOSITION})
        EXPECT_EQ(TopAfterScroll(0, code, 3, count, rows), 0) << code;
}

TEST(SearchRows, MovesStopAtBothEndsAndTheThumbCountsInTens) {
    constexpr int count = 105;
    constexpr int rows = 10;
    EXPECT_EQ(EndClamp(100, count, rows), 95);
    EXPECT_EQ(EndClamp(count, count, rows), 95);
    EXPECT_EQ(EndClamp(50, count, rows), 50);
    EXPECT_EQ(ScrollRangeMax(count, rows), 9);
    EXPECT_EQ(ScrollPosition(95), 9);
    EXPECT_EQ(TopAfterKey(3, VK_PRIOR, count, rows), 0);
    EXPECT_EQ(TopAfterKey(90, VK_NEXT, count, rows), 95);
    EXPECT_EQ(TopAfterKey(95, VK_DOWN, count, rows), 95);
    EXPECT_EQ(TopAfterKey(40, VK_UP, count, rows), 39);
    EXPECT_EQ(TopAfterKey(40, 'A', count, rows), 40);
    EXPECT_EQ(TopAfterScroll(40, SB_THUMBPOSITION, 9, count, rows), 90);
    EXPECT_EQ(TopAfterScroll(40, SB_THUMBPOSITION, 10, count, rows), 95);  // a range made for a longer list
    EXPECT_EQ(TopAfterScroll(40, SB_THUMBPOSITION, 2, count, rows), 20);
    EXPECT_EQ(TopAfterScroll(40, SB_THUMBTRACK, 2, count, rows), 40);
    EXPECT_EQ(TopAfterScroll(40, SB_PAGEDOWN, 0, count, rows), 50);
    // A scroll range past 16 bits: a million entries.
    EXPECT_EQ(TopAfterScroll(0, SB_THUMBPOSITION, 99999, 1000000, rows), 999990);
}

TEST(SearchRows, RowCountsFromTheProfileFitTheTable) {
    EXPECT_EQ(ClampRowCount(0), 1);
    EXPECT_EQ(ClampRowCount(-7), 1);
    EXPECT_EQ(ClampRowCount(26), 25);
    EXPECT_EQ(ClampRowCount(12), 12);
}

TEST(Playback, FirstWordsAreWholeSecondWordsGoPieceByPiece) {
    EXPECT_EQ(SoundWords(L"bien, mal", true), std::vector<std::wstring>{L"bien, mal"});
    EXPECT_EQ(SoundWords(L"good, bad", false), (std::vector<std::wstring>{L"good", L"bad"}));
    EXPECT_EQ(SoundWords(L",,a  ,, b,", false), (std::vector<std::wstring>{L"a", L"b"}));
    EXPECT_EQ(SoundWords(L" , ", false), (std::vector<std::wstring>{L"", L""}));
    EXPECT_TRUE(SoundWords(L",,,", false).empty());
    EXPECT_EQ(SoundFilePath(L"English", L"bad"), L"sound\\English\\bad.wav");
}

TEST(Clipboard, BlocksAreReadWithinTheirSizeAndCutToTheLimit) {
    const wchar_t wide[4] = {L'a', L'b', L'c', L'd'};  // no terminator in the block
    EXPECT_EQ(WideTextOfBlock(wide, sizeof(wide), 50), L"abcd");
    EXPECT_EQ(WideTextOfBlock(wide, sizeof(wide), 2), L"ab");
    const wchar_t pair[3] = {L'x', 0xD83D, 0xDE00};
    EXPECT_EQ(WideTextOfBlock(pair, sizeof(pair), 2), L"x");
    const char greek[3] = {'\xe1', '\xe2', '\0'};
    EXPECT_EQ(NarrowTextOfBlock(greek, sizeof(greek), 1253, 51), L"\x03b1\x03b2");
    const std::string longText(200, 'q');
    EXPECT_EQ(NarrowTextOfBlock(longText.data(), longText.size(), 1252, 51), std::wstring(51, L'q'));
}

}  // namespace
