// The snapshot and the log are read as files anyone could have written: memory grows
// with what a file holds, and values no answer can make never get into the history.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <new>
#include <string>

#include "practice/reviewlog.h"
#include "practice/reviewsnapshot.h"
#include "support/testenv.h"

// This program's heap requests pass through here while a test watches, so it can tell
// how much a call asks for in all, blocks freed at once included.
namespace {
bool watchingHeap = false;
std::size_t heapAsked = 0;
}  // namespace

void* operator new(std::size_t size) {
    if (watchingHeap) heapAsked += size;
    if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
    throw std::bad_alloc();
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }

namespace {

const std::string kHead = "# Lingorix review snapshot 1\nlog\t120\t9a3f\n";

}  // namespace

TEST(ReviewSnapshotTest, ASnapshotOfEmptyLinesAsksForNoMoreThanAFewTimesItsSize) {
    const std::string bytes = kHead + std::string(1 << 20, '\n');
    ReviewHistory history;
    heapAsked = 0;
    watchingHeap = true;
    const bool parsed = ParseSnapshot(bytes, history);
    watchingHeap = false;
    EXPECT_FALSE(parsed);
    EXPECT_LE(heapAsked, 4 * bytes.size());
}

TEST(ReviewSnapshotTest, CountsAndTimesNoAnswerCanMakeAreNoSnapshot) {
    const std::string card = "card\tchat\tcat\t2\t0\t2.3065\t2.1181\t1710244800\t1710158400\n";
    ReviewHistory history;
    ASSERT_TRUE(ParseSnapshot(kHead + "day\t19793\t5\t4\t2\t2\t1\n" + card, history));
    ASSERT_NE(history.Find(CardKey("chat", "cat")), nullptr);
    for (const char* line : {
             "day\t19793\t2147483647\t0\t0\t0\t0\n",  // more answers in a day than anyone gives
             "day\t19793\t5\t6\t0\t0\t0\n",           // more right than answers
             "day\t19793\t5\t0\t6\t0\t0\n",           // more cards introduced than answers
             "day\t19793\t5\t0\t0\t6\t0\n",           // more reviews than answers
             "day\t19793\t5\t5\t0\t2\t3\n",           // more reviews right than reviews
             // reviewed in the year 31 million
             "card\tchien\tdog\t2\t0\t2.3065\t2.1181\t1000000000086400\t1000000000000000\n",
         }) {
        EXPECT_FALSE(ParseSnapshot(kHead + line + card, history)) << line;
    }
}

TEST(ReviewSnapshotTest, TheCountOfUnreadableLinesStopsAtItsLargest) {
    TempDirectory dir;
    WriteBytes(L"Fre_Eng.review", "# Lingorix review log 1\nnot an answer\n");
    ReviewHistory history;
    history.unreadableLines = INT_MAX;
    ASSERT_TRUE(ReadLogInto(L"Fre_Eng.review", 0, 1710158400, ReviewCalendar::Fixed(0), history));
    EXPECT_EQ(history.unreadableLines, INT_MAX);
}
