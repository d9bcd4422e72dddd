#include "practice/updating.h"

#include "app/drawing.h"
#include "app/fonts.h"
#include "store/practicelists.h"
#include "text/uistrings.h"
#include "win/handles.h"
#include "win/session.h"
#include "win/windowclass.h"

namespace {

constexpr wchar_t kClassName[] = L"updating";
constexpr int kWidth = 350;
constexpr int kHeight = 120;

}  // namespace

void PaintUpdatingWindow(HDC dc) {
    SelectionScope font(dc, GuiFont);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    RECT rect{50, 20, 340, 40};
    DrawLabel(dc, UiText(Ui::CreateListUpdarting), rect, DT_CENTER | DT_WORDBREAK);
}

void UpdatePracticeList() {
    UniqueWindow window(OpenBusyWindow(kClassName, UiText(Ui::CreateListUpdateCaption), kWidth, kHeight,
                                       PaintUpdatingWindow));
    RemoveMarkedPracticeEntries();
}
