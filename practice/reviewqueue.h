// The order of a day's review: cards in their learning steps when their minutes are up,
// then the cards due today (the longest overdue first), then new cards in the order of
// the practice list, each kind within its daily limit. When nothing else is left, a
// learning card due within the next minutes comes early rather than keep the learner
// waiting. Knows cards only by their number; the session owns what they are.
#pragma once

#include <cstdint>
#include <set>
#include <utility>
#include <vector>

#include "practice/fsrs.h"
#include "practice/reviewlog.h"

struct ReviewLimits {
    int newPerDay = 20;
    int reviewsPerDay = 200;
};

inline constexpr std::int64_t kLearnAheadSeconds = 20 * 60;

struct ReviewCounts {
    int fresh = 0;     // new cards still to be introduced today
    int learning = 0;  // cards in their steps that come back today
    int due = 0;       // cards due for review today
    bool operator==(const ReviewCounts&) const = default;
};

// When the next card can be asked: a learning card at its minute, other cards from the
// start of the review day they are due on.
struct NextAvailable {
    std::int64_t time = 0;
    bool wholeDay = false;  // the day is what counts, not the time
    bool any = false;       // false: the review has no card at all
};

class ReviewQueue {
public:
    // `today` is what the log holds of today's answers; `dayEnd` the first second of
    // the next review day.
    void Build(const std::vector<CardMemory>& memories, const DayTally& today, std::int64_t dayEnd,
               const ReviewLimits& limits);
    // The card to ask at `now`; -1 when none is left.
    int Next(std::int64_t now) const;
    // Card `card`, just asked, was answered.
    void Answered(int card, const CardMemory& before, const CardMemory& after);
    ReviewCounts Counts() const;
    NextAvailable WhenNext(std::int64_t now) const;

private:
    std::set<std::pair<std::int64_t, int>> learning_;  // (due, card)
    std::vector<int> reviews_;                         // due today, by due time
    std::size_t reviewAt_ = 0;
    std::vector<int> fresh_;
    std::size_t freshAt_ = 0;
    int reviewsLeft_ = 0;
    int freshLeft_ = 0;
    std::int64_t dayEnd_ = 0;
    std::int64_t laterReview_ = 0;  // the earliest due of the review cards not due today; 0 for none
};
