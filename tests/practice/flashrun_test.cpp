// The steps of a flash-card run: what each tick, key or click and resize brings, and
// how the timer is set for the wait that follows.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "practice/flashrun.h"
#include "store/random.h"

namespace {

// Drives a run with the slider at one position and records what it showed.
struct Driver {
    explicit Driver(int count) : run(count) {}
    FlashStep Tick(int slider = kSliderStart) {
        FlashStep step = run.Tick(slider);
        if (step.show == FlashShow::Question) records.push_back(step.record);
        return step;
    }
    FlashRun run;
    std::vector<int> records;
};

}  // namespace

TEST(FlashRun, SliderPeriodsAndTheCentredLayout) {
    EXPECT_EQ(SliderPeriod(1), 10000);
    EXPECT_EQ(SliderPeriod(6), 5250);
    EXPECT_EQ(SliderPeriod(11), 500);
    EXPECT_EQ(SliderPeriod(0), 10000);
    EXPECT_EQ(SliderPeriod(12), 500);

    EXPECT_EQ(PracticeOrigin(630, 270).x, 15);
    EXPECT_EQ(PracticeOrigin(630, 270).y, 10);
    EXPECT_EQ(PracticeOrigin(1030, 670).x, 215);
    EXPECT_EQ(PracticeOrigin(1030, 670).y, 210);
    EXPECT_EQ(PracticeOrigin(631, 271).x, 15);  // half a pixel does not move it
    // A window smaller than the layout keeps it at the top left, also when minimised.
    EXPECT_EQ(PracticeOrigin(614, 100).x, 15);
    EXPECT_EQ(PracticeOrigin(0, 0).y, 10);
}

TEST(FlashRun, TwoEntriesAtTheStartSpeedEndAtTheFifthStep) {
    SeedRandomSource(3);
    Driver d(2);
    EXPECT_EQ(d.run.TimerState(), kFlashRestartPeriod);

    FlashStep step = d.Tick();
    EXPECT_EQ(step.show, FlashShow::Question);
    EXPECT_EQ(step.restartPeriod, 5250);  // the quick first step gives way to the slider's
    EXPECT_EQ(d.run.TimerState(), 5250);

    step = d.Tick();
    EXPECT_EQ(step.show, FlashShow::Answer);
    EXPECT_EQ(step.restartPeriod, 0);
    EXPECT_EQ(step.progress, 1);

    step = d.Tick();
    EXPECT_EQ(step.show, FlashShow::Question);
    EXPECT_EQ(step.restartPeriod, 0);
    step = d.Tick();
    EXPECT_EQ(step.show, FlashShow::Answer);
    EXPECT_EQ(step.progress, 2);

    step = d.Tick();
    EXPECT_EQ(step.show, FlashShow::End);
    EXPECT_TRUE(step.stopTimer);
    EXPECT_TRUE(d.run.Ended());
    EXPECT_EQ(d.run.TimerState(), 0);
    EXPECT_EQ(std::set<int>(d.records.begin(), d.records.end()), (std::set<int>{0, 1}));

    // Whatever still arrives after the end (a queued tick, a key, a resize) starts nothing.
    for (const FlashStep& late : {d.Tick(), d.run.MoveOn(), d.run.Resize(), d.run.Pause()}) {
        EXPECT_EQ(late.show, FlashShow::Nothing);
        EXPECT_EQ(late.restartPeriod, 0);
    }
}

TEST(FlashRun, EveryEntryOnceAlsoInALongerRun) {
    SeedRandomSource(11);
    for (int count : {1, 7}) {
        Driver d(count);
        int steps = 0;
        while (d.Tick(kSliderFastest).show != FlashShow::End) ASSERT_LE(++steps, 2 * count);
        EXPECT_EQ(steps, 2 * count);
        std::set<int> seen(d.records.begin(), d.records.end());
        EXPECT_EQ(d.records.size(), static_cast<std::size_t>(count));
        EXPECT_EQ(seen.size(), static_cast<std::size_t>(count));
        EXPECT_EQ(*seen.rbegin(), count - 1);
    }
}

TEST(FlashRun, SliderChangeCountsFromTheNextStep) {
    Driver d(3);
    d.Tick();  // first word; now waiting 5.25 s
    FlashStep step = d.Tick(kSliderFastest);
    EXPECT_EQ(step.show, FlashShow::Answer);  // the step itself still comes
    EXPECT_EQ(step.restartPeriod, 500);
    step = d.Tick(kSliderFastest);
    EXPECT_EQ(step.show, FlashShow::Question);
    EXPECT_EQ(step.restartPeriod, 0);  // unchanged slider: the timer runs on
    EXPECT_EQ(d.run.TimerState(), 500);

    // Changed during the first tenth of a second: one restart, at the slider's period.
    Driver early(2);
    step = early.Tick(2);
    EXPECT_EQ(step.show, FlashShow::Question);
    EXPECT_EQ(step.restartPeriod, SliderPeriod(2));
    EXPECT_EQ(early.run.TimerState(), SliderPeriod(2));
}

TEST(FlashRun, KeyOrClickMovesOnOnceThenTheSliderPeriodHoldsAgain) {
    Driver d(3);
    d.Tick();
    FlashStep step = d.run.MoveOn();
    EXPECT_EQ(step.restartPeriod, kFlashMoveOnPeriod);
    EXPECT_EQ(step.show, FlashShow::Nothing);
    step = d.run.MoveOn();  // held key: still only the next step comes
    EXPECT_EQ(step.restartPeriod, kFlashMoveOnPeriod);

    step = d.Tick();
    EXPECT_EQ(step.show, FlashShow::Answer);  // the second word of the same entry
    EXPECT_EQ(step.restartPeriod, 5250);
    step = d.Tick();
    EXPECT_EQ(step.show, FlashShow::Question);
    EXPECT_EQ(step.restartPeriod, 0);
    EXPECT_EQ(d.records.size(), 2u);

    // A key before the first word: the first word comes at once, then the slider's wait.
    Driver start(2);
    start.run.MoveOn();
    step = start.Tick();
    EXPECT_EQ(step.show, FlashShow::Question);
    EXPECT_EQ(step.restartPeriod, 5250);
    EXPECT_EQ(start.run.TimerState(), 5250);
}

TEST(FlashRun, ResizeBringsANewEntryAndCountsTheOneOnScreen) {
    SeedRandomSource(5);
    Driver d(2);
    d.Tick();  // first word of an entry; its second word is left out
    FlashStep step = d.run.Resize();
    EXPECT_EQ(step.restartPeriod, kFlashRestartPeriod);
    step = d.Tick();
    EXPECT_EQ(step.show, FlashShow::Question);
    EXPECT_EQ(step.restartPeriod, 5250);
    EXPECT_EQ(d.Tick().show, FlashShow::Answer);
    EXPECT_EQ(d.Tick().show, FlashShow::End);  // two entries shown: the run is over
    EXPECT_EQ(std::set<int>(d.records.begin(), d.records.end()), (std::set<int>{0, 1}));

    // Resized while a second word is up: the next entry comes as it would have.
    Driver after(2);
    after.Tick();
    after.Tick();
    after.run.Resize();
    EXPECT_EQ(after.Tick().show, FlashShow::Question);
    EXPECT_EQ(after.Tick().show, FlashShow::Answer);
}

TEST(FlashRun, MinimisedRunWaitsAndResumesInThePhaseItPausedIn) {
    Driver d(2);
    d.Tick();
    FlashStep step = d.run.Pause();
    EXPECT_TRUE(step.stopTimer);
    EXPECT_EQ(step.restartPeriod, 0);
    EXPECT_EQ(d.run.TimerState(), 0);
    EXPECT_FALSE(d.run.Ended());
    // A tick queued before the pause, and keys meanwhile, show nothing.
    EXPECT_EQ(d.Tick().show, FlashShow::Nothing);
    EXPECT_EQ(d.run.MoveOn().restartPeriod, 0);
    EXPECT_EQ(d.records.size(), 1u);

    // Restored: the card that was showing gets its second word a tenth of a second
    // later, and the slider's wait follows it.
    EXPECT_EQ(d.run.Resize().restartPeriod, kFlashRestartPeriod);
    step = d.Tick();
    EXPECT_EQ(step.show, FlashShow::Answer);
    EXPECT_EQ(step.restartPeriod, 5250);
    EXPECT_EQ(d.Tick().show, FlashShow::Question);
    EXPECT_EQ(d.Tick().show, FlashShow::Answer);
    EXPECT_EQ(d.Tick().show, FlashShow::End);

    // The last entry, paused before its second word, does not end the run on restore.
    Driver last(1);
    last.Tick();
    last.run.Pause();
    last.run.Resize();
    EXPECT_EQ(last.Tick().show, FlashShow::Answer);
    EXPECT_EQ(last.Tick().show, FlashShow::End);

    // Paused with a second word up: the next entry follows on restore.
    Driver answered(2);
    answered.Tick();
    answered.Tick();
    answered.run.Pause();
    answered.run.Resize();
    EXPECT_EQ(answered.Tick().show, FlashShow::Question);
}
