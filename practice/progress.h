// Progress at a glance: what is coming and how the last month went, for the cards of
// the current practice list. Figures are computed without a window and painted into
// any device context.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "practice/fsrs.h"
#include "practice/reviewlog.h"

inline constexpr int kProgressDays = 30;
// A card reviewed at intervals of this many days or more is mature.
inline constexpr int kMatureDays = 21;

struct ProgressFigures {
    std::array<int, kProgressDays> duePerDay{};      // [0] today, overdue cards included
    std::array<int, kProgressDays> reviewsPerDay{};  // [kProgressDays - 1] today
    std::array<int, kProgressDays> rightPerDay{};
    int fresh = 0;
    int learning = 0;
    int young = 0;
    int mature = 0;
    int retentionReviews = 0;  // answers to cards in review in the last 30 days
    int retentionRight = 0;    // of them not forgotten
};

// `utcOffset` places the due times on review days (today's offset serves the month ahead).
ProgressFigures ComputeProgress(const std::vector<CardMemory>& cards, const std::map<int, DayTally>& days, int today,
                                int utcOffset);

// The layout's size; the window's client area is made this big.
inline constexpr int kProgressWidth = 620;
inline constexpr int kProgressHeight = 430;

// Paints the figures below a title line (the list and its languages).
void PaintProgress(HDC dc, const RECT& client, const ProgressFigures& figures, const std::wstring& title);

// Where the bars of a chart stand, for painting and for tests that look at the pixels.
RECT DueChartArea();
RECT ReviewChartArea();
