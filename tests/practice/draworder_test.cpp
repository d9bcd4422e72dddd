// The order of a practice run.
#include <gtest/gtest.h>

#include <vector>

#include "practice/draworder.h"
#include "store/random.h"

TEST(DrawOrder, VisitsEveryEntryOnceAlsoOfALargeList) {
    SeedRandomSource(7);
    for (int count : {0, 1, 3, 100000}) {
        DrawOrder order(count);
        std::vector<int> seen(count, 0);
        int drawn = 0;
        for (int k = order.Next(); k >= 0; k = order.Next()) {
            ASSERT_LT(k, count);
            ++seen[k];
            ++drawn;
        }
        EXPECT_EQ(drawn, count);
        for (int n : seen) ASSERT_EQ(n, 1);
        EXPECT_TRUE(order.Done());
        EXPECT_EQ(order.Next(), -1);
    }
    // Entries past the first 32 768 come early too, not only at the end.
    DrawOrder large(100000);
    int firstHigh = -1;
    for (int i = 0; i < 100 && firstHigh < 0; ++i)
        if (large.Next() >= 32768) firstHigh = i;
    EXPECT_GE(firstHigh, 0);
}
