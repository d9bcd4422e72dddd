// The review window (class "herhalen"): the cards of the current practice list that
// are due, one at a time. The learner types the answer (judged as in typed practice)
// or only recalls it, reveals the entry and grades how well it was remembered; the
// memory model puts the card's next review where it is about to be forgotten.
#pragma once

#include <windows.h>

#include <string>

#include "practice/reviewqueue.h"

inline constexpr wchar_t kReviewWindowClass[] = L"herhalen";

enum ReviewControl : int {
    kReviewQuit = 14,
    kReviewShow = 27,
    kReviewAnswer = 30,
    kReviewQuestion = 45,
    kReviewSolution = 46,
    kReviewCounts = 47,
    kReviewAgain = 51,  // Again, Hard, Good, Easy: 51 to 54
    kReviewEasy = 54,
};
enum ReviewCommand : int {
    kReviewPickerOn = 6,
    kReviewPickerOff = 7,
    kReviewSoundOn = 66,
    kReviewSoundOff = 67,
    kReviewOptions = 70,
    kReviewProgress = 71,
};

// Opened by the main window's practise command in review mode.
HWND OpenReviewWindow();
// The small window shown while a long review log is read.
HWND OpenReviewBusyWindow();

// What the window paints besides its controls: the languages of the card asked.
struct ReviewPaintView {
    std::wstring firstLanguage;
    std::wstring secondLanguage;
};
void PaintReviewWindow(HDC dc, const RECT& client, const ReviewPaintView& view);
// "New: 3   Learning: 1   Due: 12": the cards left today, shown below the buttons.
std::wstring ReviewCountsText(const ReviewCounts& counts);
