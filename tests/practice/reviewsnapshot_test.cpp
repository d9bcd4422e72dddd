// The snapshot and the log are read as files anyone could have written: memory grows
// with what a file holds, and values no answer can make never get into the history.
#include <gtest/gtest.h>

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
