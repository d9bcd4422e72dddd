#include "practice/draworder.h"

#include "store/random.h"

DrawOrder::DrawOrder(int count) : order_(count > 0 ? count : 0), remaining_(count > 0 ? count : 0) {
    for (int i = 0; i < remaining_; ++i) order_[i] = i;
}

int DrawOrder::Next() {
    if (remaining_ == 0) return -1;
    const int pick = RandomIndex(remaining_);
    const int index = order_[pick];
    order_[pick] = order_[remaining_ - 1];
    --remaining_;
    return index;
}
