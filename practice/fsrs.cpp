#include "practice/fsrs.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr double kMinDifficulty = 1.0;
constexpr double kMaxDifficulty = 10.0;

int GradeNumber(Grade grade) { return static_cast<int>(grade); }

double ClampDifficulty(double d) { return std::clamp(d, kMinDifficulty, kMaxDifficulty); }
double ClampStability(double s) { return std::max(s, kMinStability); }

}  // namespace

std::int64_t ElapsedDays(std::int64_t from, std::int64_t to) {
    if (to <= from) return 0;
    return (to - from) / kSecondsPerDay;
}

FsrsScheduler::FsrsScheduler(FsrsSettings settings) : settings_(std::move(settings)) {
    decay_ = -settings_.weights[20];
    // Chosen so that the chance of recall after `stability` days is exactly 90 %.
    factor_ = std::pow(0.9, 1.0 / decay_) - 1.0;
}

double FsrsScheduler::InitialStability(Grade grade) const {
    return ClampStability(settings_.weights[static_cast<std::size_t>(GradeNumber(grade) - 1)]);
}

double FsrsScheduler::RawInitialDifficulty(Grade grade) const {
    const FsrsWeights& w = settings_.weights;
    return w[4] - std::exp(w[5] * (GradeNumber(grade) - 1)) + 1.0;
}

double FsrsScheduler::InitialDifficulty(Grade grade) const { return ClampDifficulty(RawInitialDifficulty(grade)); }

double FsrsScheduler::NextDifficulty(double difficulty, Grade grade) const {
    const FsrsWeights& w = settings_.weights;
    const double delta = -w[6] * (GradeNumber(grade) - 3);
    // The step shrinks as the difficulty nears its ceiling ...
    const double damped = difficulty + delta * (10.0 - difficulty) / 9.0;
    // ... and every answer pulls the difficulty a little back toward that of an easy first answer.
    return ClampDifficulty(w[7] * RawInitialDifficulty(Grade::Easy) + (1.0 - w[7]) * damped);
}

double FsrsScheduler::RecallStability(double difficulty, double stability, double retrievability,
                                      Grade grade) const {
    const FsrsWeights& w = settings_.weights;
    const double hardPenalty = grade == Grade::Hard ? w[15] : 1.0;
    const double easyBonus = grade == Grade::Easy ? w[16] : 1.0;
    return stability * (1.0 + std::exp(w[8]) * (11.0 - difficulty) * std::pow(stability, -w[9]) *
                                  (std::exp((1.0 - retrievability) * w[10]) - 1.0) * hardPenalty * easyBonus);
}

double FsrsScheduler::ForgetStability(double difficulty, double stability, double retrievability) const {
    const FsrsWeights& w = settings_.weights;
    const double longTerm = w[11] * std::pow(difficulty, -w[12]) * (std::pow(stability + 1.0, w[13]) - 1.0) *
                            std::exp((1.0 - retrievability) * w[14]);
    // A lapse never leaves a card more stable than a same-day Again would.
    const double shortTerm = stability / std::exp(w[17] * w[18]);
    return std::min(longTerm, shortTerm);
}

double FsrsScheduler::SameDayStability(double stability, Grade grade) const {
    const FsrsWeights& w = settings_.weights;
    double increase = std::exp(w[17] * (GradeNumber(grade) - 3 + w[18])) * std::pow(stability, -w[19]);
    if (grade == Grade::Good || grade == Grade::Easy) increase = std::max(increase, 1.0);
    return ClampStability(stability * increase);
}

double FsrsScheduler::Recall(double elapsedDays, double stability) const {
    return std::pow(1.0 + factor_ * elapsedDays / stability, decay_);
}

double FsrsScheduler::Retrievability(const CardMemory& card, std::int64_t now) const {
    if (card.phase == CardPhase::New || card.stability <= 0) return 0;
    return Recall(static_cast<double>(ElapsedDays(card.lastReview, now)), card.stability);
}

int FsrsScheduler::IntervalDays(double stability) const {
    const double days = stability / factor_ * (std::pow(settings_.retention, 1.0 / decay_) - 1.0);
    // Halves go to the even neighbour, as the reference implementation rounds.
    const double rounded = std::nearbyint(days);
    if (!(rounded >= 1.0)) return 1;
    return static_cast<int>(std::min(rounded, static_cast<double>(settings_.longestIntervalDays)));
}

double FsrsScheduler::NextStability(const CardMemory& card, Grade grade, std::int64_t now) const {
    const double r = Retrievability(card, now);
    const double s = grade == Grade::Again ? ForgetStability(card.difficulty, card.stability, r)
                                           : RecallStability(card.difficulty, card.stability, r, grade);
    return ClampStability(s);
}

CardMemory FsrsScheduler::StepAnswer(CardMemory card, Grade grade, std::int64_t now,
                                     const std::vector<int>& steps) const {
    const int count = static_cast<int>(steps.size());
    const auto toReview = [&] {
        card.phase = CardPhase::Review;
        card.step = 0;
        card.due = now + static_cast<std::int64_t>(IntervalDays(card.stability)) * kSecondsPerDay;
    };
    if (count == 0 || (card.step >= count && grade != Grade::Again)) {
        toReview();
        return card;
    }
    switch (grade) {
    case Grade::Again:
        card.step = 0;
        card.due = now + steps[0];
        break;
    case Grade::Hard:
        // The card stays on its step; on the first one it waits between the first two.
        if (card.step == 0 && count == 1)
            card.due = now + steps[0] * 3 / 2;
        else if (card.step == 0)
            card.due = now + (steps[0] + steps[1]) / 2;
        else
            card.due = now + steps[static_cast<std::size_t>(card.step)];
        break;
    case Grade::Good:
        if (card.step + 1 >= count) {
            toReview();
        } else {
            ++card.step;
            card.due = now + steps[static_cast<std::size_t>(card.step)];
        }
        break;
    case Grade::Easy: toReview(); break;
    }
    return card;
}

CardMemory FsrsScheduler::Review(const CardMemory& before, Grade grade, std::int64_t now) const {
    CardMemory card = before;
    const bool sameDay = card.phase != CardPhase::New && ElapsedDays(card.lastReview, now) < 1;
    switch (card.phase) {
    case CardPhase::New:
        card.stability = InitialStability(grade);
        card.difficulty = InitialDifficulty(grade);
        card.phase = CardPhase::Learning;
        card.step = 0;
        card = StepAnswer(card, grade, now, settings_.learningSteps);
        break;
    case CardPhase::Learning:
    case CardPhase::Relearning: {
        card.stability = sameDay ? SameDayStability(card.stability, grade) : NextStability(card, grade, now);
        card.difficulty = NextDifficulty(card.difficulty, grade);
        const bool learning = card.phase == CardPhase::Learning;
        card = StepAnswer(card, grade, now, learning ? settings_.learningSteps : settings_.relearningSteps);
        break;
    }
    case CardPhase::Review:
        card.stability = sameDay ? SameDayStability(card.stability, grade) : NextStability(card, grade, now);
        card.difficulty = NextDifficulty(card.difficulty, grade);
        if (grade == Grade::Again && !settings_.relearningSteps.empty()) {
            card.phase = CardPhase::Relearning;
            card.step = 0;
            card.due = now + settings_.relearningSteps[0];
        } else {
            card.due = now + static_cast<std::int64_t>(IntervalDays(card.stability)) * kSecondsPerDay;
        }
        break;
    }
    card.lastReview = now;
    return card;
}

std::int64_t FsrsScheduler::IntervalSeconds(const CardMemory& card, Grade grade, std::int64_t now) const {
    return Review(card, grade, now).due - now;
}
