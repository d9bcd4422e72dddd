#include "practice/flashrun.h"

#include <algorithm>
#include <utility>

#include "store/records.h"
#include "text/uistrings.h"

int SliderPeriod(int position) {
    const int p = std::clamp(position, kSliderSlowest, kSliderFastest);
    return 10950 - 950 * p;
}

std::wstring PracticeWindowCaption() {
    return std::wstring(UiText(Ui::PracticeCaption)) + L" (" + CurrentPracticeList + L")";
}

POINT PracticeOrigin(int clientWidth, int clientHeight) {
    const int dx = (clientWidth - 630) / 2;
    const int dy = (clientHeight - 270) / 2;
    return {dx >= 0 ? 15 + dx : 15, dy >= 0 ? 10 + dy : 10};
}

FlashRun::FlashRun(int count) : count_(count > 0 ? count : 0), order_(count_) {}

FlashStep FlashRun::Restart(int period) {
    timerState_ = period;
    FlashStep step;
    step.stopTimer = true;
    step.restartPeriod = period;
    return step;
}

FlashStep FlashRun::Tick(int sliderPosition) {
    // A tick still queued when the run ended or paused changes nothing.
    if (timerState_ == 0) return {};
    FlashStep step;
    // A new slider position counts from this step on; the wait just over is not cut short.
    if (sliderPosition != lastSlider_) {
        lastSlider_ = sliderPosition;
        step = Restart(SliderPeriod(sliderPosition));
    }
    if (timerState_ == kFlashMoveOnPeriod) step = Restart(SliderPeriod(sliderPosition));
    // The quick step after an opening or a resize; the slider's wait follows it, also
    // when it is a second word (the window came back from a minimise).
    if (timerState_ == kFlashRestartPeriod) step = Restart(SliderPeriod(sliderPosition));

    const int phase = phase_;
    phase_ = 1 - phase_;
    if (phase == 1) {
        step.show = FlashShow::Answer;
        step.progress = count_ - order_.Remaining();
        return step;
    }
    ++shown_;
    if (shown_ > count_ || order_.Done()) {
        ended_ = true;
        timerState_ = 0;
        return {.stopTimer = true, .show = FlashShow::End};
    }
    step.show = FlashShow::Question;
    step.record = order_.Next();
    return step;
}

FlashStep FlashRun::MoveOn() {
    if (timerState_ == 0) return {};
    return Restart(kFlashMoveOnPeriod);
}

FlashStep FlashRun::Resize() {
    if (ended_) return {};
    if (!std::exchange(paused_, false)) phase_ = 0;
    return Restart(kFlashRestartPeriod);
}

FlashStep FlashRun::Pause() {
    if (ended_) return {};
    paused_ = true;
    timerState_ = 0;
    return {.stopTimer = true};
}
