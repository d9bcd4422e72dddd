#include "practice/flashcards.h"

#include <commctrl.h>

#include <optional>
#include <string>

#include "app/controls.h"
#include "app/drawing.h"
#include "app/fonts.h"
#include "app/settings.h"
#include "app/toolwindow.h"
#include "practice/flashrun.h"
#include "store/catalogue.h"
#include "store/records.h"
#include "text/uistrings.h"
#include "win/dpi.h"
#include "win/handles.h"
#include "win/messages.h"
#include "win/subclass.h"

namespace {

constexpr int kWidth = 630;
constexpr int kClientHeight = 262;
constexpr int kWordFontPoints = 22;
constexpr COLORREF kWordColour = RGB(0, 0, 128);

struct FlashState {
    HWND window = nullptr;
    HWND quit = nullptr;
    HWND progress = nullptr;
    HWND slider = nullptr;
    HWND question = nullptr;
    HWND answer = nullptr;
    HWND frame = nullptr;
    POINT origin{15, 10};
    UniqueFont questionFont;
    UniqueFont answerFont;
    std::optional<FlashRun> run;
    WindowTimer timer;
    // What the panels show, so that every repaint shows it again.
    std::wstring shownQuestion;
    std::wstring shownAnswer;
};
FlashState g_flash;

// Where each control sits relative to the origin; sizes never change.
struct Placement {
    int left, top, width, height;
};
constexpr Placement kQuitAt{495, 215, 100, 30};
constexpr Placement kProgressAt{265, 170, 330, 17};
constexpr Placement kSliderAt{20, 200, 200, 35};
constexpr Placement kQuestionAt{0, 25, 595, 40};
constexpr Placement kAnswerAt{0, 100, 595, 40};
constexpr Placement kFrameAt{0, 170, 240, 75};

RECT At(const Placement& at) { return {g_flash.origin.x + at.left, g_flash.origin.y + at.top, at.width, at.height}; }

void Place(HWND control, const Placement& at) { PlaceChild(control, At(at)); }

// The controls' places follow the origin.
void PlaceControls() {
    const FlashState& f = g_flash;
    Place(f.quit, kQuitAt);
    Place(f.progress, kProgressAt);
    Place(f.slider, kSliderAt);
    Place(f.question, kQuestionAt);
    Place(f.answer, kAnswerAt);
    Place(f.frame, kFrameAt);
}

// A key moves on to the next word; Shift, Ctrl and Alt alone do not (they start
// Shift+Tab and the window's shortcuts).
bool MovesOn(WPARAM key) { return key != VK_SHIFT && key != VK_CONTROL && key != VK_MENU; }

bool SliderKey(WPARAM key) {
    switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_HOME:
    case VK_END: return true;
    default: return false;
    }
}

// With the focus on the slider or the Quit button, the keys they have no use for move on
// to the next word, as they do anywhere else in the window. A slider the mouse has let
// go of gives the focus back, so the keys move on again; one reached with Tab keeps it
// for the arrow keys. Only a slider that has the focus gives it back, so this never pulls
// the focus from another window.
LRESULT CALLBACK ControlKeysProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    const bool slider = control == g_flash.slider;
    if (message == WM_KEYDOWN && !(slider ? SliderKey(wParam) : wParam == VK_SPACE))
        return SendMessageW(GetParent(control), message, wParam, lParam);
    const LRESULT result = CallPreviousProc(control, message, wParam, lParam);
    if (slider && message == WM_LBUTTONUP && GetFocus() == control) SetFocus(GetParent(control));
    return result;
}

void CreateControls(HWND window, int count) {
    FlashState& f = g_flash;
    f.quit = CreateChild(window, {.kind = L"button", .text = UiText(Ui::Quit), .place = At(kQuitAt), .id = kFlashQuit,
                                  .font = GuiFont});
    f.progress = CreateChild(window, {.kind = PROGRESS_CLASSW, .place = At(kProgressAt), .id = kFlashProgress,
                                      .style = PBS_SMOOTH});
    // The 32-bit range: a list of more than 65 535 entries still fills the bar once.
    SendMessageW(f.progress, PBM_SETRANGE32, 0, count);
    f.slider = CreateChild(window, {.kind = TRACKBAR_CLASSW, .place = At(kSliderAt), .id = kFlashSlider,
                                    .style = TBS_AUTOTICKS});
    SendMessageW(f.slider, TBM_SETRANGE, FALSE, MAKELPARAM(kSliderSlowest, kSliderFastest));
    SendMessageW(f.slider, TBM_SETPOS, TRUE, kSliderStart);
    // Owner-drawn, so that a panel repainted for any reason shows its word again.
    const auto panel = [&](const Placement& at, int id) {
        return CreateChild(window, {.place = At(at), .id = id, .style = SS_OWNERDRAW, .exStyle = WS_EX_CLIENTEDGE});
    };
    f.question = panel(kQuestionAt, kFlashQuestion);
    f.answer = panel(kAnswerAt, kFlashAnswer);
    f.frame = CreateChild(window, {.place = At(kFrameAt), .id = kFlashFrame, .style = SS_ETCHEDFRAME});
    for (HWND control : {f.slider, f.quit})
        if (control) SubclassControl(control, ControlKeysProc);
}

void Redraw(HWND panel) { RedrawWindow(panel, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); }

// --- steps -------------------------------------------------------------------------

void ShowFlashQuestion(int record) {
    // A record that cannot be read leaves the previous entry, shown once more.
    ReadPracticeRecord(record);
    g_flash.shownQuestion = CurrentEntry.first;
    g_flash.shownAnswer.clear();
    Redraw(g_flash.question);
    Redraw(g_flash.answer);
}

void ShowFlashAnswer(int progress) {
    g_flash.shownAnswer = CurrentEntry.second;
    Redraw(g_flash.answer);
    SendMessageW(g_flash.progress, PBM_SETPOS, progress, 0);
}

void EndRun(HWND window) {
    ShowMessage(window, UiText(Ui::PracticeEndlist), UiText(Ui::Lingorix), MB_OK | MB_ICONINFORMATION);
    DestroyWindow(window);
}

void Apply(HWND window, const FlashStep& step) {
    FlashState& f = g_flash;
    if (step.stopTimer) f.timer.Kill();
    if (step.restartPeriod > 0) f.timer.Set(window, kFlashTimer, static_cast<UINT>(step.restartPeriod));
    switch (step.show) {
    case FlashShow::Question: ShowFlashQuestion(step.record); break;
    case FlashShow::Answer: ShowFlashAnswer(step.progress); break;
    case FlashShow::End: EndRun(window); break;
    case FlashShow::Nothing: break;
    }
}

// --- messages ----------------------------------------------------------------------

LRESULT OnCreate(HWND window) {
    FlashState& f = g_flash;
    f.window = window;
    const WordListDescriptor& d = CurrentWordList();
    f.questionFont.Reset(CreateScaledFont(kWordFontPoints, FW_BOLD, kDefaultWordFace, d.firstCharset));
    f.answerFont.Reset(CreateScaledFont(kWordFontPoints, FW_BOLD, kDefaultWordFace, d.secondCharset));
    f.origin = {15, 10};
    CreateControls(window, PracticeCount);
    f.run.emplace(PracticeCount);
    // The first entry comes a tenth of a second after the window opens.
    f.timer.Set(window, kFlashTimer, static_cast<UINT>(f.run->TimerState()));
    return 0;
}

LRESULT OnTimer(HWND window, WPARAM id) {
    if (id != kFlashTimer || !g_flash.run) return 0;
    const int position = static_cast<int>(SendMessageW(g_flash.slider, TBM_GETPOS, 0, 0));
    Apply(window, g_flash.run->Tick(position));
    return 0;
}

LRESULT OnMoveOn(HWND window) {
    if (g_flash.run) Apply(window, g_flash.run->MoveOn());
    return 0;
}

LRESULT OnSize(HWND window, WPARAM kind) {
    FlashState& f = g_flash;
    if (!f.run || !f.quit) return 0;
    if (kind == SIZE_MINIMIZED) {
        Apply(window, f.run->Pause());
        return 0;
    }
    const RECT client = LayoutClientRect(window);
    f.origin = PracticeOrigin(client.right, client.bottom);
    PlaceControls();
    Apply(window, f.run->Resize());
    return 0;
}

LRESULT OnCommand(HWND window, WPARAM wParam) {
    if (LOWORD(wParam) == kFlashQuit && HIWORD(wParam) == BN_CLICKED) DestroyWindow(window);
    return 0;
}

RECT LayoutRect(const RECT& rect, UINT dpi) {
    return {Unscaled(rect.left, dpi), Unscaled(rect.top, dpi), Unscaled(rect.right, dpi), Unscaled(rect.bottom, dpi)};
}

LRESULT OnDrawItem(HWND window, LPARAM lParam) {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    const FlashState& f = g_flash;
    const bool answer = item->hwndItem == f.answer;
    if (!answer && item->hwndItem != f.question) return FALSE;
    // The word's place comes into the panel's own coordinates in device pixels (its
    // border counts), and the panel is painted in layout pixels from there.
    const UINT dpi = WindowDpi(window);
    RECT word = ScaledRect(FlashWordRect(f.origin, answer), dpi);
    MapWindowPoints(window, item->hwndItem, reinterpret_cast<POINT*>(&word), 2);
    LayoutDc layout(item->hDC, dpi);
    PaintFlashWord(item->hDC, LayoutRect(item->rcItem, dpi), LayoutRect(word, dpi),
                   answer ? f.shownAnswer : f.shownQuestion, answer ? f.answerFont.Get() : f.questionFont.Get());
    return TRUE;
}

LRESULT OnPaint(HWND window) {
    LayoutPaint paint(window);
    const WordListDescriptor& d = CurrentWordList();
    PaintFlashCards(paint.Dc(), g_flash.origin, d.firstName, d.secondName);
    return 0;
}

LRESULT OnDestroy() {
    g_flash.timer.Kill();
    return 0;
}

LRESULT CALLBACK FlashProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: return OnCreate(window);
    case WM_TIMER: return OnTimer(window, wParam);
    case WM_KEYDOWN: return MovesOn(wParam) ? OnMoveOn(window) : 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: return OnMoveOn(window);
    case WM_SIZE: return OnSize(window, wParam);
    case WM_COMMAND: return OnCommand(window, wParam);
    case WM_DRAWITEM: return OnDrawItem(window, lParam);
    case WM_PAINT: return OnPaint(window);
    case WM_DESTROY: return OnDestroy();
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

void DrawLine(HDC dc, const wchar_t* text, RECT rect) { DrawLabel(dc, text, rect, DT_SINGLELINE); }

const ToolWindowTraits kFlashCardsTraits{
    .className = kFlashCardsClass,
    .captionText = PracticeWindowCaption,
    .width = kWidth,
    .height = kClientHeight,
    .style = WS_OVERLAPPEDWINDOW,
    .savedPosition = &AppSettings.practise,
    .procedure = FlashProc,
    .clearState = [] { g_flash = {}; },
};

}  // namespace

RECT FlashWordRect(POINT origin, bool answer) {
    const int top = origin.y + (answer ? 100 : 25);
    return {origin.x + 5, top, origin.x + 589, top + 40};
}

void PaintFlashCards(HDC dc, POINT origin, const std::wstring& firstName, const std::wstring& secondName) {
    const int x = origin.x;
    const int y = origin.y;
    SetBkMode(dc, TRANSPARENT);
    {
        SelectionScope font(dc, GuiFont);
        SetTextColor(dc, RGB(0, 0, 0));
        DrawLine(dc, UiText(Ui::PracticeSlow), {x + 20, y + 180, x + 105, y + 200});
        // Each translation places its label over the fast end of the slider.
        const int fast = UiTextInt(Ui::PracticeFastPos);
        DrawLine(dc, UiText(Ui::PracticeFast), {x + fast - 15, y + 180, x + fast + 65, y + 200});
    }
    SelectionScope font(dc, ArialBoldFont15);
    RECT first{x, y, x + 500, y + 50};
    DrawShadowText(dc, first, firstName.c_str(), DT_SINGLELINE);
    RECT second{x, y + 75, x + 500, y + 125};
    DrawShadowText(dc, second, secondName.c_str(), DT_SINGLELINE);
}

void PaintFlashWord(HDC dc, const RECT& panel, const RECT& wordRect, const std::wstring& word, HFONT font) {
    FillRect(dc, &panel, GetSysColorBrush(COLOR_3DFACE));
    if (word.empty()) return;
    SelectionScope selected(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kWordColour);
    RECT rect = wordRect;
    DrawTextW(dc, word.c_str(), static_cast<int>(word.size()), &rect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

HWND OpenFlashCards() {
    g_flash = {};
    return OpenToolWindowFrame(kFlashCardsTraits);
}
