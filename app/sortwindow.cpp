#include "app/sortwindow.h"

#include <cstdio>
#include <string>

#include "app/drawing.h"
#include "app/fonts.h"
#include "store/catalogue.h"
#include "text/uistrings.h"
#include "win/dpi.h"
#include "win/handles.h"
#include "win/messages.h"
#include "win/session.h"
#include "win/windowclass.h"

namespace {

constexpr wchar_t kClassName[] = L"sorting";
constexpr int kWidth = 350;
constexpr int kHeight = 120;
constexpr RECT kProgressRect{110, 65, 270, 95};
// Painting every step of a large sort would cost more than the sort; the window
// shows the latest figure a few dozen times a second instead.
constexpr DWORD kRepaintIntervalMs = 40;

const wchar_t* PhaseText(SortPhase phase) {
    switch (phase) {
    case SortPhase::Reading: return UiText(Ui::Reading);
    case SortPhase::Sorting: return UiText(Ui::Sorting);
    case SortPhase::Writing: return UiText(Ui::Writing);
    }
    return L"";
}

}  // namespace

void PaintSortingWindow(HDC dc) {
    SelectionScope font(dc, GuiFont);
    SetBkMode(dc, TRANSPARENT);
    const WordListDescriptor& d = CurrentWordList();
    const std::wstring names = d.firstName + L" - " + d.secondName;
    RECT title{0, 5, kWidth, 30};
    DrawShadowText(dc, title, names.c_str(), DT_CENTER | DT_SINGLELINE);
    SetTextColor(dc, RGB(0, 0, 0));
    RECT busy{0, 25, kWidth, kHeight};
    DrawLabel(dc, UiText(Ui::SortBusy), busy, DT_CENTER | DT_WORDBREAK);
}

void DrawSortProgress(HDC dc, SortPhase phase, long long count) {
    SelectionScope font(dc, GuiFont);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(50, 50, 50));
    RECT rect = kProgressRect;
    FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
    const std::wstring text = std::wstring(PhaseText(phase)) + L" " + std::to_wstring(count);
    DrawLabel(dc, text.c_str(), rect, DT_SINGLELINE);
}

HWND OpenSortingWindow() {
    return OpenBusyWindow(kClassName, UiText(Ui::SortCaption), kWidth, kHeight, PaintSortingWindow);
}

void SortAndReport() {
    UniqueWindow window(OpenSortingWindow());
    DWORD lastPaint = 0;
    SortPhase lastPhase = SortPhase::Reading;
    bool painted = false;
    const int result = SortWordList([&](SortPhase phase, long long count) {
        const DWORD now = GetTickCount();
        if (painted && phase == lastPhase && now - lastPaint < kRepaintIntervalMs) return;
        painted = true;
        lastPhase = phase;
        lastPaint = now;
        if (!window) return;
        WindowDc dc(window.Get());
        if (!dc) return;
        LayoutDc layout(dc.Get(), WindowDpi(window.Get()));
        DrawSortProgress(dc.Get(), phase, count);
    });
    if (result != 0)
        ShowMessage(window.Get(), UiText(Ui::SortFailed), UiText(Ui::Error), MB_ICONWARNING);
}
