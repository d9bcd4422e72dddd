#include "practice/reviewqueue.h"

#include <algorithm>

namespace {

bool InSteps(CardPhase phase) { return phase == CardPhase::Learning || phase == CardPhase::Relearning; }

}  // namespace

void ReviewQueue::Build(const std::vector<CardMemory>& memories, const DayTally& today, std::int64_t dayEnd,
                        const ReviewLimits& limits) {
    *this = {};
    dayEnd_ = dayEnd;
    reviewsLeft_ = std::max(0, limits.reviewsPerDay - today.reviews);
    freshLeft_ = std::max(0, limits.newPerDay - today.introduced);
    for (int card = 0; card < static_cast<int>(memories.size()); ++card) {
        const CardMemory& m = memories[static_cast<std::size_t>(card)];
        if (m.phase == CardPhase::New) {
            fresh_.push_back(card);
        } else if (InSteps(m.phase)) {
            learning_.emplace(m.due, card);
        } else if (m.due < dayEnd) {
            reviews_.push_back(card);
        } else if (laterReview_ == 0 || m.due < laterReview_) {
            laterReview_ = m.due;
        }
    }
    std::stable_sort(reviews_.begin(), reviews_.end(), [&](int a, int b) {
        return memories[static_cast<std::size_t>(a)].due < memories[static_cast<std::size_t>(b)].due;
    });
}

int ReviewQueue::Next(std::int64_t now) const {
    if (!learning_.empty() && learning_.begin()->first <= now) return learning_.begin()->second;
    if (reviewsLeft_ > 0 && reviewAt_ < reviews_.size()) return reviews_[reviewAt_];
    if (freshLeft_ > 0 && freshAt_ < fresh_.size()) return fresh_[freshAt_];
    if (!learning_.empty() && learning_.begin()->first <= now + kLearnAheadSeconds) return learning_.begin()->second;
    return -1;
}

void ReviewQueue::Answered(int card, const CardMemory& before, const CardMemory& after) {
    if (InSteps(before.phase)) {
        learning_.erase({before.due, card});
    } else if (before.phase == CardPhase::New) {
        if (freshAt_ < fresh_.size() && fresh_[freshAt_] == card) ++freshAt_;
        freshLeft_ = std::max(0, freshLeft_ - 1);
    } else {
        if (reviewAt_ < reviews_.size() && reviews_[reviewAt_] == card) ++reviewAt_;
        reviewsLeft_ = std::max(0, reviewsLeft_ - 1);
    }
    if (InSteps(after.phase))
        learning_.emplace(after.due, card);
    else if (after.phase == CardPhase::Review && (laterReview_ == 0 || after.due < laterReview_))
        laterReview_ = after.due;
}

ReviewCounts ReviewQueue::Counts() const {
    ReviewCounts counts;
    counts.fresh = std::min(freshLeft_, static_cast<int>(fresh_.size() - freshAt_));
    counts.due = std::min(reviewsLeft_, static_cast<int>(reviews_.size() - reviewAt_));
    for (const auto& [due, card] : learning_) {
        if (due >= dayEnd_) break;
        ++counts.learning;
    }
    return counts;
}

NextAvailable ReviewQueue::WhenNext(std::int64_t now) const {
    NextAvailable next;
    const auto consider = [&](std::int64_t time, bool wholeDay) {
        if (next.any && time >= next.time) return;
        next = {time, wholeDay, true};
    };
    if (!learning_.empty()) consider(std::max(learning_.begin()->first, now), false);
    // What today's limits hold back comes tomorrow.
    if (reviewAt_ < reviews_.size() || freshAt_ < fresh_.size()) consider(std::max(dayEnd_, now), true);
    if (laterReview_ != 0) consider(std::max(laterReview_, dayEnd_), true);
    return next;
}
