#include "practice/updating.h"

#include "app/fonts.h"
#include "practice/practicelists.h"
#include "text/uistrings.h"
#include "win/handles.h"
#include "win/session.h"
#include "win/windowclass.h"

namespace {

constexpr wchar_t kClassName[] = L"updating";
constexpr int kWidth = 350;
constexpr int kHeight = 120;

LRESULT OnPaint(HWND window) {
    PaintScope paint(window);
    PaintUpdatingWindow(paint.Dc());
    return 0;
}

LRESULT CALLBACK UpdatingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: ApplyStayOnTop(window); return 0;
    case WM_PAINT: return OnPaint(window);
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

UniqueWindow OpenUpdatingWindow() {
    RegisterProgramClass(kClassName, UpdatingWindowProc);
    UniqueWindow window(CreateWindowExW(0, kClassName, UiText(Ui::CreateListUpdateCaption), WS_CAPTION | WS_SYSMENU,
                                        (ScreenWidth - kWidth) / 2, (ScreenHeight - kHeight) / 2, kWidth, kHeight,
                                        nullptr, nullptr, ModuleInstance, nullptr));
    if (window) {
        ShowWindow(window.Get(), SW_SHOWNORMAL);
        UpdateWindow(window.Get());
    }
    return window;
}

}  // namespace

void PaintUpdatingWindow(HDC dc) {
    SelectionScope font(dc, GuiFont);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    RECT rect{50, 20, 340, 40};
    DrawTextW(dc, UiText(Ui::CreateListUpdarting), -1, &rect, DT_CENTER | DT_WORDBREAK);
}

void UpdatePracticeList() {
    UniqueWindow window = OpenUpdatingWindow();
    RemoveMarkedPracticeEntries();
}
