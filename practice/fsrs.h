// The memory model behind review: FSRS-6, the free spaced-repetition scheduler, with
// its published default weights. A card carries a stability (the days after which the
// chance of recalling it has fallen to 90 %) and a difficulty (1 to 10); each answer
// moves both, and the next review is put where the chance of recall falls to the
// desired retention. New and lapsed cards first go through short steps of minutes.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

enum class Grade : int { Again = 1, Hard = 2, Good = 3, Easy = 4 };

// Where a card stands; the numbers are the ones the review log stores.
enum class CardPhase : int { New = 0, Learning = 1, Review = 2, Relearning = 3 };

// What the scheduler knows of a card. Times are seconds since 1970 (UTC).
struct CardMemory {
    CardPhase phase = CardPhase::New;
    int step = 0;  // index of the learning or relearning step the card is in
    double stability = 0;
    double difficulty = 0;
    std::int64_t due = 0;
    std::int64_t lastReview = 0;
    bool operator==(const CardMemory&) const = default;
};

inline constexpr int kFsrsWeightCount = 21;
using FsrsWeights = std::array<double, kFsrsWeightCount>;
inline constexpr FsrsWeights kFsrsDefaultWeights{0.212,  1.2931, 2.3065, 8.2956, 6.4133, 0.8334, 3.0194,
                                                 0.001,  1.8722, 0.1666, 0.796,  1.4835, 0.0614, 0.2629,
                                                 1.6483, 0.6014, 1.8729, 0.5425, 0.0912, 0.0658, 0.1542};

inline constexpr std::int64_t kSecondsPerDay = 86400;
inline constexpr int kLongestIntervalDays = 36500;  // a hundred years
inline constexpr double kMinStability = 0.001;

struct FsrsSettings {
    FsrsWeights weights = kFsrsDefaultWeights;
    double retention = 0.90;
    int longestIntervalDays = kLongestIntervalDays;
    std::vector<int> learningSteps{60, 600};    // seconds: 1 and 10 minutes
    std::vector<int> relearningSteps{60, 600};  // a lapsed card learns again the same way
};

class FsrsScheduler {
public:
    explicit FsrsScheduler(FsrsSettings settings = {});

    // The card after an answer given at `now`.
    CardMemory Review(const CardMemory& card, Grade grade, std::int64_t now) const;
    // Seconds from `now` to the due time the grade would give.
    std::int64_t IntervalSeconds(const CardMemory& card, Grade grade, std::int64_t now) const;
    // Chance of recall at `now`; 0 for a card never answered.
    double Retrievability(const CardMemory& card, std::int64_t now) const;

    // The model's pieces, for the answers above and for checking against the reference.
    double InitialStability(Grade grade) const;
    double InitialDifficulty(Grade grade) const;  // clamped to 1 ... 10
    double NextDifficulty(double difficulty, Grade grade) const;
    double RecallStability(double difficulty, double stability, double retrievability, Grade grade) const;
    double ForgetStability(double difficulty, double stability, double retrievability) const;
    double SameDayStability(double stability, Grade grade) const;
    double Recall(double elapsedDays, double stability) const;
    // Whole days until the chance of recall falls to the desired retention (1 ... longest).
    int IntervalDays(double stability) const;

    const FsrsSettings& Settings() const { return settings_; }

private:
    double RawInitialDifficulty(Grade grade) const;
    double NextStability(const CardMemory& card, Grade grade, std::int64_t now) const;
    CardMemory StepAnswer(CardMemory card, Grade grade, std::int64_t now, const std::vector<int>& steps) const;

    FsrsSettings settings_;
    double decay_;
    double factor_;
};

// Elapsed whole days between two times, as the model counts them (never negative).
std::int64_t ElapsedDays(std::int64_t from, std::int64_t to);
