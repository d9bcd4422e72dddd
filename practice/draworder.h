// The order in which a practice run visits the entries of a practice list: each once,
// at random, without repetition. Flash cards and typed practice share it.
#pragma once

#include <vector>

class DrawOrder {
public:
    explicit DrawOrder(int count);

    // The number of entries not yet drawn.
    int Remaining() const { return remaining_; }
    bool Done() const { return remaining_ == 0; }
    // A practice record index not drawn before, uniformly among those left; -1 when
    // every entry has been drawn.
    int Next();

private:
    std::vector<int> order_;
    int remaining_ = 0;
};
