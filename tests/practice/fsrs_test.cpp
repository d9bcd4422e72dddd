// The memory model against the numbers its reference implementation publishes in its
// own tests (FSRS-6, default weights), and the review's steps and bounds.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include "practice/fsrs.h"

namespace {

constexpr std::int64_t kStart = 1669725000;  // 2022-11-29 12:30 UTC, the reference tests' start
constexpr std::int64_t kDay = kSecondsPerDay;

// The reference scheduler's own steps: 1 and 10 minutes to learn, 10 minutes to relearn.
FsrsScheduler ReferenceScheduler() {
    FsrsSettings settings;
    settings.relearningSteps = {600};
    return FsrsScheduler(settings);
}

CardMemory ReviewCard(double stability, double difficulty) {
    return {CardPhase::Review, 0, stability, difficulty, kStart + 10 * kDay, kStart};
}

}  // namespace

TEST(FsrsTest, FirstGradesGiveTheReferenceStabilityAndDifficulty) {
    const FsrsScheduler fsrs;
    const std::array<double, 4> stability{0.212, 1.2931, 2.3065, 8.2956};
    const std::array<double, 4> difficulty{6.4133, 5.11217071, 2.11810397, 1.0};
    for (int g = 1; g <= 4; ++g) {
        EXPECT_DOUBLE_EQ(fsrs.InitialStability(static_cast<Grade>(g)), stability[static_cast<std::size_t>(g - 1)]);
        EXPECT_NEAR(fsrs.InitialDifficulty(static_cast<Grade>(g)), difficulty[static_cast<std::size_t>(g - 1)], 1e-7);
    }
}

TEST(FsrsTest, StabilityAndDifficultyStepsMatchTheReference) {
    const FsrsScheduler fsrs;
    const std::array<double, 4> nextDifficulty{8.341763, 6.6659956, 4.990228, 3.3144615};
    const std::array<double, 4> recalled{25.602541, 28.226582, 58.656002, 127.226685};
    const std::array<double, 4> forgotten{1.0525396, 1.1894329, 1.3680838, 1.584989};
    for (int i = 0; i < 4; ++i) {
        const std::size_t at = static_cast<std::size_t>(i);
        const Grade grade = static_cast<Grade>(i + 1);
        const double difficulty = i + 1.0;  // 1 ... 4
        const double retrievability = 0.9 - 0.1 * i;
        EXPECT_NEAR(fsrs.NextDifficulty(5.0, grade), nextDifficulty[at], 1e-5);
        EXPECT_NEAR(fsrs.RecallStability(difficulty, 5.0, retrievability, grade), recalled[at], 1e-4);
        EXPECT_NEAR(fsrs.ForgetStability(difficulty, 5.0, retrievability), forgotten[at], 1e-6);
    }
}

TEST(FsrsTest, ThirteenAnswersGiveTheReferenceIntervals) {
    const FsrsScheduler fsrs = ReferenceScheduler();
    const std::vector<Grade> grades{Grade::Good,  Grade::Good, Grade::Good, Grade::Good, Grade::Good,
                                    Grade::Good,  Grade::Again, Grade::Again, Grade::Good, Grade::Good,
                                    Grade::Good,  Grade::Good, Grade::Good};
    CardMemory card;
    std::int64_t now = kStart;
    std::vector<std::int64_t> days;
    for (Grade grade : grades) {
        card = fsrs.Review(card, grade, now);
        days.push_back((card.due - card.lastReview) / kDay);
        now = card.due;
    }
    EXPECT_EQ(days, (std::vector<std::int64_t>{0, 2, 11, 46, 163, 498, 0, 0, 2, 4, 7, 12, 21}));
}

TEST(FsrsTest, MemoryAfterALapseAndFiveRecallsIsTheReferenceOne) {
    const FsrsScheduler fsrs = ReferenceScheduler();
    const std::vector<std::pair<Grade, int>> answers{{Grade::Again, 0}, {Grade::Good, 0}, {Grade::Good, 1},
                                                     {Grade::Good, 3},  {Grade::Good, 8}, {Grade::Good, 21}};
    CardMemory card;
    std::int64_t now = kStart;
    for (const auto& [grade, days] : answers) {
        now += days * kDay;
        card = fsrs.Review(card, grade, now);
    }
    EXPECT_NEAR(card.stability, 53.62691, 1e-4);
    EXPECT_NEAR(card.difficulty, 6.3574867, 1e-4);

    // Easy over and over at the same moment takes the difficulty to its floor.
    CardMemory easy;
    for (int i = 0; i < 10; ++i) easy = fsrs.Review(easy, Grade::Easy, kStart);
    EXPECT_DOUBLE_EQ(easy.difficulty, 1.0);
}

TEST(FsrsTest, NewAndLapsedCardsGoThroughMinuteSteps) {
    const FsrsScheduler fsrs;  // the program's: 1 and 10 minutes for both
    const CardMemory fresh;
    EXPECT_EQ(fsrs.IntervalSeconds(fresh, Grade::Again, kStart), 60);
    EXPECT_EQ(fsrs.IntervalSeconds(fresh, Grade::Hard, kStart), 330);
    EXPECT_EQ(fsrs.IntervalSeconds(fresh, Grade::Good, kStart), 600);
    const CardMemory second = fsrs.Review(fresh, Grade::Good, kStart);
    EXPECT_EQ(second.phase, CardPhase::Learning);
    EXPECT_EQ(second.step, 1);
    const CardMemory learnt = fsrs.Review(second, Grade::Good, kStart + 600);
    EXPECT_EQ(learnt.phase, CardPhase::Review);
    EXPECT_GE(learnt.due - learnt.lastReview, kDay);
    EXPECT_EQ(fsrs.Review(fresh, Grade::Easy, kStart).phase, CardPhase::Review);

    const CardMemory lapsed = fsrs.Review(ReviewCard(10, 5), Grade::Again, kStart + 10 * kDay);
    EXPECT_EQ(lapsed.phase, CardPhase::Relearning);
    EXPECT_EQ(lapsed.due - lapsed.lastReview, 60);
    EXPECT_NEAR(lapsed.stability, 1.3919870, 1e-6);
    EXPECT_NEAR(lapsed.difficulty, 8.3417624, 1e-6);
    const CardMemory relearning = fsrs.Review(lapsed, Grade::Good, lapsed.due);
    EXPECT_EQ(relearning.phase, CardPhase::Relearning);
    EXPECT_EQ(relearning.due - relearning.lastReview, 600);
    EXPECT_EQ(fsrs.Review(relearning, Grade::Good, relearning.due).phase, CardPhase::Review);
}

// A card of stability 10 and difficulty 5 recalled after 3, 10 and 100 days, and
// answered Hard and Easy after 10: the figures follow from the published formulas.
TEST(FsrsTest, RecallAfterThreeTenAndAHundredDaysHardAndEasy) {
    const FsrsScheduler fsrs;
    const CardMemory card = ReviewCard(10, 5);
    EXPECT_NEAR(fsrs.Retrievability(card, kStart + 10 * kDay), 0.9, 1e-12);  // stability's meaning
    const std::array<std::pair<int, double>, 3> recalls{{{3, 18.3772033}, {10, 32.0267295}, {100, 83.6393564}}};
    for (const auto& [days, stability] : recalls) {
        const CardMemory after = fsrs.Review(card, Grade::Good, kStart + days * kDay);
        EXPECT_NEAR(after.stability, stability, 1e-6) << days;
        EXPECT_NEAR(after.difficulty, 4.9902284, 1e-6);
        EXPECT_EQ(after.due - after.lastReview, std::llround(stability) * kDay) << days;
    }
    const CardMemory hard = fsrs.Review(card, Grade::Hard, kStart + 10 * kDay);
    EXPECT_NEAR(hard.stability, 23.2468751, 1e-6);
    EXPECT_EQ(hard.due - hard.lastReview, 23 * kDay);
    const CardMemory easy = fsrs.Review(card, Grade::Easy, kStart + 10 * kDay);
    EXPECT_NEAR(easy.stability, 51.2538616, 1e-6);
    EXPECT_EQ(easy.due - easy.lastReview, 51 * kDay);
}

TEST(FsrsTest, IntervalsFollowTheRetentionWithinOneDayAndAHundredYears) {
    FsrsSettings lower;
    lower.retention = 0.80;
    const FsrsScheduler usual;
    EXPECT_EQ(usual.IntervalDays(10.0), 10);  // at 90 % the interval is the stability
    EXPECT_EQ(FsrsScheduler(lower).IntervalDays(10.0), 33);
    EXPECT_EQ(usual.IntervalDays(0.01), 1);
    EXPECT_EQ(usual.IntervalDays(1e6), kLongestIntervalDays);
}
