// The steps of a flash-card run, apart from any window: the step timer's events go in,
// what to show and how to set the timer come out.
#pragma once

#include <windows.h>

#include <string>

#include "practice/draworder.h"

inline constexpr UINT_PTR kFlashTimer = 43;
inline constexpr int kSliderSlowest = 1;
inline constexpr int kSliderFastest = 11;
inline constexpr int kSliderStart = 6;
// A new entry follows this long after the window opens or is resized.
inline constexpr int kFlashRestartPeriod = 100;
// A key or click moves on this quickly.
inline constexpr int kFlashMoveOnPeriod = 10;

// The step period of a slider position: 10 s at the slow end, 0.5 s at the fast end.
// Positions beyond the slider's range count as its ends.
int SliderPeriod(int position);

// "<practice caption> (<practice list>)", the caption of both practice windows.
std::wstring PracticeWindowCaption();

// Top left of the practice layout in a client area of this size: centred in a large
// window, at 15, 10 in a small one.
POINT PracticeOrigin(int clientWidth, int clientHeight);

enum class FlashShow { Nothing, Question, Answer, End };

struct FlashStep {
    bool stopTimer = false;
    int restartPeriod = 0;  // 0: the timer runs on as it is
    FlashShow show = FlashShow::Nothing;
    int record = -1;   // with Question: the practice record whose words come now
    int progress = 0;  // with Answer: the entries done so far
};

class FlashRun {
public:
    // The timer is to run with TimerState() from the start.
    explicit FlashRun(int count);

    // A tick of the step timer, with the slider where it is now.
    FlashStep Tick(int sliderPosition);
    // A key or a click on the window.
    FlashStep MoveOn();
    // The window got a new size: a new entry follows shortly, the answer on screen is
    // left out. After a Pause it is the window coming back instead: the step that was
    // due when it went away follows shortly, so the card on screen keeps its answer.
    FlashStep Resize();
    // The window was minimised: nothing goes on unseen until the next Resize.
    FlashStep Pause();

    // The period the timer runs with; 0 while no timer runs.
    int TimerState() const { return timerState_; }
    bool Ended() const { return ended_; }
    int ShownCount() const { return shown_; }

private:
    FlashStep Restart(int period);

    int count_;
    DrawOrder order_;
    int shown_ = 0;
    int phase_ = 0;  // 0: a new first word comes next; 1: its second word
    int timerState_ = kFlashRestartPeriod;
    int lastSlider_ = kSliderStart;
    bool paused_ = false;
    bool ended_ = false;
};
