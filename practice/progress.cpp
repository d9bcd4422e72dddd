#include "practice/progress.h"

#include <algorithm>
#include <cwchar>

#include "app/fonts.h"
#include "text/uistrings.h"
#include "win/handles.h"

namespace {

constexpr COLORREF kNewColour = RGB(0, 90, 200);
constexpr COLORREF kLearningColour = RGB(200, 60, 0);
constexpr COLORREF kYoungColour = RGB(110, 190, 110);
constexpr COLORREF kMatureColour = RGB(0, 120, 0);
constexpr COLORREF kDueColour = RGB(0, 90, 200);
constexpr COLORREF kRightColour = RGB(0, 150, 0);
constexpr COLORREF kWrongColour = RGB(210, 40, 40);
constexpr COLORREF kAxisColour = RGB(90, 90, 90);
constexpr COLORREF kTextColour = RGB(0, 0, 0);

constexpr int kLeft = 20;
constexpr int kChartWidth = 570;
constexpr int kChartHeight = 110;
constexpr int kDueChartTop = 95;
constexpr int kReviewChartTop = 265;

void Fill(HDC dc, RECT rect, COLORREF colour) {
    UniqueBrush brush(CreateSolidBrush(colour));
    FillRect(dc, &rect, brush.Get());
}

void Text(HDC dc, const std::wstring& text, RECT rect, UINT format = DT_SINGLELINE | DT_LEFT | DT_NOPREFIX) {
    DrawTextW(dc, text.c_str(), -1, &rect, format);
}

// The chart's bars, tallest filling the area; `lower` (optional) stacks a second colour
// at the foot of each bar.
void PaintBars(HDC dc, const RECT& area, const std::array<int, kProgressDays>& values, COLORREF colour,
               const std::array<int, kProgressDays>* lower, COLORREF lowerColour) {
    const int highest = std::max(1, *std::max_element(values.begin(), values.end()));
    const int slot = (area.right - area.left) / kProgressDays;
    const int height = area.bottom - area.top;
    for (int day = 0; day < kProgressDays; ++day) {
        const int value = values[static_cast<std::size_t>(day)];
        if (value <= 0) continue;
        const int left = area.left + day * slot + 2;
        const int barHeight = std::max(1, value * height / highest);
        Fill(dc, {left, area.bottom - barHeight, left + slot - 4, area.bottom}, colour);
        if (!lower) continue;
        const int part = std::min(value, (*lower)[static_cast<std::size_t>(day)]);
        if (part > 0) Fill(dc, {left, area.bottom - std::max(1, part * height / highest), left + slot - 4, area.bottom}, lowerColour);
    }
    Fill(dc, {area.left, area.bottom, area.right, area.bottom + 1}, kAxisColour);
    SetTextColor(dc, kAxisColour);
    Text(dc, std::to_wstring(highest), {area.right + 4, area.top - 6, area.right + 40, area.top + 10});
}

void PaintChart(HDC dc, const RECT& area, const wchar_t* title, const std::wstring& firstLabel,
                const std::wstring& lastLabel) {
    SetTextColor(dc, kTextColour);
    SelectObject(dc, ArialBoldFont12);
    Text(dc, title, {area.left, area.top - 24, area.right, area.top - 6});
    SelectObject(dc, GuiFont);
    SetTextColor(dc, kAxisColour);
    Text(dc, firstLabel, {area.left, area.bottom + 3, area.left + 120, area.bottom + 18});
    Text(dc, lastLabel, {area.right - 120, area.bottom + 3, area.right, area.bottom + 18},
         DT_SINGLELINE | DT_RIGHT | DT_NOPREFIX);
}

void PaintCount(HDC dc, int& x, int top, COLORREF colour, Ui label, int count) {
    Fill(dc, {x, top + 3, x + 10, top + 13}, colour);
    SetTextColor(dc, kTextColour);
    const std::wstring text = std::wstring(UiText(label)) + L" " + std::to_wstring(count);
    Text(dc, text, {x + 14, top, x + 150, top + 18});
    x += 145;
}

std::wstring RetentionText(const ProgressFigures& f) {
    std::wstring text = std::wstring(UiText(Ui::ProgressRetention)) + L" ";
    if (f.retentionReviews == 0) return text + UiText(Ui::ProgressNoReviews);
    const long long tenths = (1000ll * f.retentionRight + f.retentionReviews / 2) / f.retentionReviews;
    wchar_t decimal[8] = L".";
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, decimal, 8) <= 0) decimal[0] = L'.', decimal[1] = 0;
    return text + std::to_wstring(tenths / 10) + decimal + std::to_wstring(tenths % 10) + L" % (" +
           std::to_wstring(f.retentionRight) + L" / " + std::to_wstring(f.retentionReviews) + L")";
}

}  // namespace

ProgressFigures ComputeProgress(const std::vector<CardMemory>& cards, const std::map<int, DayTally>& days, int today,
                                int utcOffset) {
    ProgressFigures f;
    for (const CardMemory& card : cards) {
        switch (card.phase) {
        case CardPhase::New: ++f.fresh; continue;
        case CardPhase::Learning:
        case CardPhase::Relearning: ++f.learning; break;
        case CardPhase::Review:
            if (card.due - card.lastReview >= kMatureDays * kSecondsPerDay)
                ++f.mature;
            else
                ++f.young;
            break;
        }
        const int ahead = std::max(0, ReviewDayOf(card.due, utcOffset) - today);
        if (ahead < kProgressDays) ++f.duePerDay[static_cast<std::size_t>(ahead)];
    }
    for (auto it = days.lower_bound(today - (kProgressDays - 1)); it != days.end() && it->first <= today; ++it) {
        const std::size_t slot = static_cast<std::size_t>(it->first - today + kProgressDays - 1);
        f.reviewsPerDay[slot] = it->second.answers;
        f.rightPerDay[slot] = it->second.right;
        f.retentionReviews += it->second.reviews;
        f.retentionRight += it->second.reviewsRight;
    }
    return f;
}

RECT DueChartArea() { return {kLeft, kDueChartTop, kLeft + kChartWidth, kDueChartTop + kChartHeight}; }
RECT ReviewChartArea() { return {kLeft, kReviewChartTop, kLeft + kChartWidth, kReviewChartTop + kChartHeight}; }

void PaintProgress(HDC dc, const RECT& client, const ProgressFigures& f, const std::wstring& title) {
    SetBkMode(dc, TRANSPARENT);
    SelectionScope font(dc, ArialBoldFont14);
    SetTextColor(dc, kTextColour);
    Text(dc, title, {kLeft, 8, client.right - kLeft, 30}, DT_SINGLELINE | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
    SelectObject(dc, GuiFont);
    int x = kLeft;
    PaintCount(dc, x, 40, kNewColour, Ui::ReviewNew, f.fresh);
    PaintCount(dc, x, 40, kLearningColour, Ui::ReviewLearning, f.learning);
    PaintCount(dc, x, 40, kYoungColour, Ui::ProgressYoung, f.young);
    PaintCount(dc, x, 40, kMatureColour, Ui::ProgressMature, f.mature);

    const std::wstring today = UiText(Ui::ProgressToday);
    const RECT due = DueChartArea();
    PaintChart(dc, due, UiText(Ui::ProgressDue), today, L"+" + std::to_wstring(kProgressDays - 1));
    PaintBars(dc, due, f.duePerDay, kDueColour, nullptr, 0);
    const RECT reviews = ReviewChartArea();
    PaintChart(dc, reviews, UiText(Ui::ProgressReviews), L"-" + std::to_wstring(kProgressDays - 1), today);
    PaintBars(dc, reviews, f.reviewsPerDay, kWrongColour, &f.rightPerDay, kRightColour);

    SetTextColor(dc, kTextColour);
    Text(dc, RetentionText(f), {kLeft, reviews.bottom + 30, client.right - kLeft, reviews.bottom + 50});
}
