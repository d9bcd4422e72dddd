#include "practice/progresswindow.h"

#include "app/drawing.h"
#include "app/settings.h"
#include "app/toolwindow.h"
#include "practice/progress.h"
#include "practice/reviewsession.h"
#include "practice/reviewwindow.h"
#include "store/catalogue.h"
#include "store/records.h"
#include "text/uistrings.h"
#include "win/handles.h"
#include "win/messages.h"

namespace {

// Sent to itself once the window stands, for a message that must not come from WM_CREATE.
constexpr UINT kShownMessage = WM_APP + 21;

struct ProgressWindowState {
    ProgressFigures figures;
    std::wstring title;
    int unreadableLines = 0;
};
ProgressWindowState g_progress;

ProgressFigures FiguresOf(const ReviewSession& session, std::int64_t now) {
    return ComputeProgress(session.Memories(), session.Days(), session.Calendar().DayOf(now), LocalUtcOffset(now));
}

LRESULT OnPaint(HWND window) {
    LayoutPaint paint(window);
    PaintProgress(paint.Dc(), paint.Client(), g_progress.figures, g_progress.title);
    return 0;
}

LRESULT OnShown(HWND window) {
    if (g_progress.unreadableLines <= 0) return 0;
    const std::wstring text =
        std::wstring(UiText(Ui::ReviewLogDamaged)) + L" " + std::to_wstring(g_progress.unreadableLines);
    ShowMessage(window, text.c_str(), UiText(Ui::Lingorix), MB_ICONWARNING);
    return 0;
}

LRESULT CALLBACK ProgressWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: PostMessageW(window, kShownMessage, 0, 0); return 0;
    case kShownMessage: return OnShown(window);
    case WM_PAINT: return OnPaint(window);
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

std::wstring CaptionText() { return std::wstring(UiText(Ui::ProgressCaption)) + L" (" + CurrentPracticeList + L")"; }

constexpr ToolWindowTraits ProgressTraits(WindowRole role) {
    return {.className = kProgressWindowClass,
            .captionText = CaptionText,
            .width = kProgressWidth,
            .height = kProgressHeight,
            .procedure = ProgressWindowProc,
            .clearState = [] { g_progress = {}; },
            .role = role};
}
const ToolWindowTraits kProgressToolTraits = ProgressTraits(WindowRole::Tool);
const ToolWindowTraits kProgressHelperTraits = ProgressTraits(WindowRole::Helper);

}  // namespace

std::wstring ProgressTitle() {
    const WordListDescriptor& d = CurrentWordList();
    return CurrentPracticeList + L" (" + d.firstName + L"-" + d.secondName + L")";
}

HWND OpenProgressWindow() {
    g_progress = {};
    {
        const std::int64_t now = ReviewNow();
        UniqueWindow busy;
        ReviewSession session;
        session.Load(CurrentReviewDecks(), now, ReviewCalendar::Local(),
                     {AppSettings.reviewNewPerDay, AppSettings.reviewsPerDay}, AppSettings.reviewRetention / 100.0,
                     [&busy] { busy.Reset(OpenReviewBusyWindow()); });
        g_progress.figures = FiguresOf(session, now);
        g_progress.unreadableLines = session.UnreadableLines();
        // What had to be read now need not be read again next time.
        session.SaveSnapshots();
    }
    g_progress.title = ProgressTitle();
    return OpenToolWindowFrame(kProgressToolTraits);
}

HWND OpenProgressOver(const ReviewSession& session) {
    g_progress = {};
    g_progress.figures = FiguresOf(session, ReviewNow());
    g_progress.title = ProgressTitle();
    return OpenToolWindowFrame(kProgressHelperTraits);
}
