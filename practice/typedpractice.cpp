#include "practice/typedpractice.h"

#include <commctrl.h>

#include <array>
#include <optional>
#include <string>

#include "app/controls.h"
#include "app/drawing.h"
#include "app/fonts.h"
#include "app/menus.h"
#include "app/settings.h"
#include "app/toolwindow.h"
#include "entry/picker.h"
#include "practice/answers.h"
#include "practice/draworder.h"
#include "practice/flashrun.h"
#include "store/catalogue.h"
#include "store/records.h"
#include "text/uistrings.h"
#include "win/dpi.h"
#include "win/handles.h"
#include "win/messages.h"
#include "win/session.h"
#include "win/subclass.h"

namespace {

constexpr int kWidth = 630;
constexpr int kClientHeight = 262;
// Typed practice has always opened this much above the centre of the screen (centred as
// if it were 350 high), unlike the other tool windows.
constexpr int kOpeningRise = (350 - kClientHeight) / 2;
constexpr int kFontPoints = 22;
constexpr std::size_t kAnswerChars = 99;
constexpr POINT kHomeOrigin{15, 10};

// Where each control sits relative to the origin.
struct Placement {
    int left, top, width, height;
};
constexpr Placement kQuitAt{495, 202, 100, 30};
constexpr Placement kShowAt{265, 202, 100, 30};
constexpr Placement kProgressAt{265, 155, 330, 17};
constexpr Placement kQuestionAt{0, 25, 595, 40};
constexpr Placement kFrameAt{0, 155, 240, 77};
constexpr std::array<Placement, 4> kScoreTextsAt{{{10, 160, 210, 15}, {10, 175, 210, 15}, {10, 195, 210, 15},
                                                  {10, 210, 210, 15}}};
constexpr Placement kAnswerAt{0, 100, 595, 40};

struct TypedPracticeState {
    HWND window = nullptr;
    HWND quit = nullptr;
    HWND show = nullptr;
    HWND progress = nullptr;
    HWND question = nullptr;
    HWND frame = nullptr;
    std::array<HWND, 4> scoreTexts{};  // label, current score, label, best score
    HWND answer = nullptr;
    UniqueFont questionFont;
    UniqueFont answerFont;
    std::optional<DrawOrder> order;
    int right = 0;
    Score score;
    std::optional<Score> best;
    POINT origin = kHomeOrigin;
    bool pickerShown = false;
};
TypedPracticeState g_practice;

RECT At(const Placement& at) {
    return {g_practice.origin.x + at.left, g_practice.origin.y + at.top, at.width, at.height};
}

void Place(HWND control, const Placement& at) { PlaceChild(control, At(at)); }

void ShowCurrentScore() { SetWindowTextW(g_practice.scoreTexts[1], ScoreText(g_practice.score).c_str()); }

void ShowBestScore() {
    const std::wstring line =
        g_practice.best ? ScoreText(*g_practice.best) : std::wstring(UiText(Ui::PracticeNotavailable));
    SetWindowTextW(g_practice.scoreTexts[3], line.c_str());
}

void PlayIfOn(const wchar_t* file) {
    // Asynchronous: the next key (Show after a wrong answer, say) is taken at once.
    if (AppSettings.practiceSound == 1) PlaySoundW(file, nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT);
}

void ShowProgress() {
    SendMessageW(g_practice.progress, PBM_SETPOS, PracticeCount - g_practice.order->Remaining(), 0);
}

// --- the run -----------------------------------------------------------------------

void NextQuestion() {
    const int index = g_practice.order->Next();
    if (index >= 0) ReadPracticeRecord(index);
    SetWindowTextW(g_practice.answer, L"");
    SetWindowTextW(g_practice.question, CurrentEntry.first.c_str());
    EnableWindow(g_practice.show, TRUE);
}

void FinishRun() {
    EnableWindow(g_practice.show, FALSE);
    EnableWindow(g_practice.answer, FALSE);
    ShowProgress();
    const bool saved = SaveBestScore(g_practice.score, g_practice.best);
    const std::wstring text = EndOfRunText(PracticeCount, g_practice.score, g_practice.best, saved);
    const UINT icon = saved ? MB_ICONINFORMATION : MB_ICONWARNING;
    ShowMessage(g_practice.window, text.c_str(), UiText(Ui::Lingorix), MB_OK | icon);
}

void CheckAnswer() {
    const std::wstring typed = EditText(g_practice.answer, kAnswerChars);
    if (typed.empty()) return;
    switch (JudgeAnswer(typed, CurrentEntry.second)) {
    case AnswerVerdict::Empty: SetWindowTextW(g_practice.answer, L""); return;
    case AnswerVerdict::Wrong:
        ++g_practice.score.errors;
        ShowCurrentScore();
        // Typing again replaces the wrong answer.
        SendMessageW(g_practice.answer, EM_SETSEL, 0, -1);
        PlayIfOn(L"wrong.wav");
        return;
    case AnswerVerdict::Right: break;
    }
    if (++g_practice.right == PracticeCount) {
        FinishRun();
        return;
    }
    ShowProgress();
    ShowCurrentScore();
    PlayIfOn(L"right.wav");
    NextQuestion();
}

void ShowAnswer() {
    ++g_practice.score.skipped;
    SetWindowTextW(g_practice.answer, CurrentEntry.second.c_str());
    SetFocus(g_practice.answer);
    SendMessageW(g_practice.answer, EM_SETSEL, 60, 60);
    ShowCurrentScore();
    PlayIfOn(L"skipped.wav");
    EnableWindow(g_practice.show, FALSE);
}

// --- the answer field ----------------------------------------------------------------

LRESULT CALLBACK AnswerProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN && wParam == VK_RETURN) {
        NotifyParent(edit, kKeyNotification, VK_RETURN);
        return 0;
    }
    if (message == WM_KEYDOWN && wParam == VK_ESCAPE && IsWindowEnabled(g_practice.show)) {
        SendMessageW(GetParent(edit), WM_COMMAND, MAKEWPARAM(kPracticeShow, BN_CLICKED), 0);
        return 0;
    }
    // Keyboard messages only: other messages may carry 13 as a size or an index.
    if (message >= WM_KEYFIRST && message <= WM_KEYLAST && wParam == VK_RETURN) return 0;
    return CallPreviousProc(edit, message, wParam, lParam);
}

// --- menus -------------------------------------------------------------------------

HMENU CreatePracticeMenu() {
    HMENU bar = CreateMenu();
    HMENU picker = CreatePopupMenu();
    AppendMenuW(picker, MF_STRING, kPracticePickerOn, UiText(Ui::PracticeIAMenuCharset1));
    AppendMenuW(picker, MF_STRING | MF_CHECKED, kPracticePickerOff, UiText(Ui::PracticeIAMenuCharset2));
    HMENU sound = CreatePopupMenu();
    const bool on = AppSettings.practiceSound == 1;
    AppendMenuW(sound, MF_STRING | (on ? MF_CHECKED : 0), kPracticeSoundOn, UiText(Ui::PracticeIAMenuSound1));
    AppendMenuW(sound, MF_STRING | (on ? 0 : MF_CHECKED), kPracticeSoundOff, UiText(Ui::PracticeIAMenuSound2));
    AppendMenuW(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(picker), UiText(Ui::PracticeIAMenuCharset0));
    AppendMenuW(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sound), UiText(Ui::PracticeIAMenuSound0));
    return bar;
}

void ShowPicker(HWND window, bool show) {
    g_practice.pickerShown = show;
    ShowPickerFromMenu(window, kPracticePickerOn, kPracticePickerOff, show);
}

void SwitchSound(HWND window, bool on) {
    CheckMenuPair(GetMenu(window), on ? kPracticeSoundOn : kPracticeSoundOff, on ? kPracticeSoundOff : kPracticeSoundOn);
    AppSettings.practiceSound = on ? 1 : 0;
}

// --- messages ----------------------------------------------------------------------

void CreateControls(HWND window) {
    TypedPracticeState& p = g_practice;
    const auto button = [&](Ui text, int id, const Placement& at) {
        return CreateChild(window,
                           {.kind = L"button", .text = UiText(text), .place = At(at), .id = id, .font = GuiFont});
    };
    p.quit = button(Ui::Quit, kPracticeQuit, kQuitAt);
    p.show = button(Ui::PracticeShow, kPracticeShow, kShowAt);
    p.progress = CreateChild(window, {.kind = PROGRESS_CLASSW, .place = At(kProgressAt), .id = kPracticeProgress,
                                      .style = PBS_SMOOTH});
    p.question = CreateChild(window, {.place = At(kQuestionAt), .id = kPracticeText, .font = p.questionFont.Get(),
                                      .style = SS_LEFT | SS_NOPREFIX, .exStyle = WS_EX_CLIENTEDGE});
    p.frame = CreateChild(window, {.place = At(kFrameAt), .id = kPracticeFrame, .style = SS_ETCHEDFRAME});
    const std::array<const wchar_t*, 4> texts{UiText(Ui::PracticeCurrentscore), L"", UiText(Ui::PracticeBestscore), L""};
    for (std::size_t i = 0; i < texts.size(); ++i)
        p.scoreTexts[i] = CreateChild(window, {.text = texts[i], .place = At(kScoreTextsAt[i]), .id = kPracticeText,
                                               .font = GuiFont, .style = SS_LEFT});
    p.answer = CreateChild(window, {.kind = L"edit", .place = At(kAnswerAt), .id = kPracticeAnswer,
                                    .font = p.answerFont.Get(), .style = WS_BORDER | ES_AUTOHSCROLL,
                                    .exStyle = WS_EX_CLIENTEDGE, .limit = kAnswerChars});
}

// A saved position still wins: the frame applies it once the window is made.
void RaiseOpening(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    SetWindowPos(window, nullptr, r.left, r.top - Scaled(kOpeningRise, WindowDpi(window)), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT OnCreate(HWND window) {
    TypedPracticeState& p = g_practice;
    p.window = window;
    const WordListDescriptor& d = CurrentWordList();
    p.questionFont.Reset(CreateScaledFont(kFontPoints, FW_BOLD, kDefaultWordFace, d.firstCharset));
    p.answerFont.Reset(CreateScaledFont(kFontPoints, FW_BOLD, kDefaultWordFace, d.secondCharset));
    SetPickerLanguage({d.secondName, d.secondCharset});
    CreateControls(window);
    SetPickerTarget(p.answer);
    // A 32-bit range: a list of more than 65 535 entries still shows its true progress.
    SendMessageW(p.progress, PBM_SETRANGE32, 0, PracticeCount);
    p.order.emplace(PracticeCount);
    RaiseOpening(window);
    SubclassControl(p.answer, AnswerProc);
    SetFocus(p.answer);
    NextQuestion();
    ShowCurrentScore();
    p.best = LoadBestScore();
    ShowBestScore();
    return 0;
}

LRESULT OnCommand(HWND window, WPARAM wParam, LPARAM lParam) {
    const WORD notification = HIWORD(wParam);
    switch (LOWORD(wParam)) {
    case kPracticePickerOn: ShowPicker(window, true); break;
    case kPracticePickerOff: ShowPicker(window, false); break;
    case kPracticeQuit: if (notification == BN_CLICKED) DestroyWindow(window); break;
    case kPracticeShow: if (notification == BN_CLICKED) ShowAnswer(); break;
    case kPracticeAnswer:
        if (notification == kKeyNotification && NotifiedKey(lParam) == VK_RETURN) CheckAnswer();
        break;
    case kPracticeSoundOn: SwitchSound(window, true); break;
    case kPracticeSoundOff: SwitchSound(window, false); break;
    default: break;
    }
    return 0;
}

LRESULT OnSize() {
    TypedPracticeState& p = g_practice;
    const RECT client = LayoutClientRect(p.window);
    p.origin = PracticeOrigin(client.right, client.bottom);
    Place(p.question, kQuestionAt);
    Place(p.answer, kAnswerAt);
    Place(p.quit, kQuitAt);
    Place(p.show, kShowAt);
    Place(p.progress, kProgressAt);
    Place(p.frame, kFrameAt);
    for (std::size_t i = 0; i < p.scoreTexts.size(); ++i) Place(p.scoreTexts[i], kScoreTextsAt[i]);
    InvalidateRect(p.window, nullptr, TRUE);
    return 0;
}

LRESULT OnActivate(WPARAM wParam) {
    if (LOWORD(wParam) != WA_INACTIVE) FocusPickerTarget();
    return 0;
}

LRESULT OnPaint(HWND window) {
    LayoutPaint paint(window);
    PaintTypedPractice(paint.Dc(), paint.Client(), g_practice.origin);
    return 0;
}

LRESULT OnDestroy() {
    LeavePickerHost();
    return 0;
}

LRESULT CALLBACK TypedPracticeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: return OnCreate(window);
    case WM_COMMAND: return OnCommand(window, wParam, lParam);
    case WM_SIZE: return g_practice.window ? OnSize() : 0;
    case WM_ACTIVATE: return OnActivate(wParam);
    case WM_PAINT: return OnPaint(window);
    case WM_DESTROY: return OnDestroy();
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

const ToolWindowTraits kTypedPracticeTraits{
    .className = kTypedPracticeClass,
    .captionText = PracticeWindowCaption,
    .width = kWidth,
    .height = kClientHeight,
    .style = WS_OVERLAPPEDWINDOW,
    .makeMenu = CreatePracticeMenu,
    .savedPosition = &AppSettings.practise,
    .procedure = TypedPracticeProc,
    .clearState = [] { g_practice = {}; },
    .ownsEscape = true,  // it shows the answer
};

}  // namespace

void PaintTypedPractice(HDC dc, const RECT& client, POINT origin) {
    DrawTopRule(dc, client);
    SetBkMode(dc, TRANSPARENT);
    SelectionScope font(dc, ArialBoldFont15);
    const WordListDescriptor& d = CurrentWordList();
    RECT first{origin.x, origin.y, origin.x + 500, origin.y + 50};
    DrawShadowText(dc, first, d.firstName.c_str(), DT_SINGLELINE);
    RECT second{origin.x, origin.y + 75, origin.x + 500, origin.y + 125};
    DrawShadowText(dc, second, d.secondName.c_str(), DT_SINGLELINE);
}

HWND OpenTypedPractice() {
    g_practice = {};
    HWND window = OpenToolWindowFrame(kTypedPracticeTraits);
    if (window) SetPickerHost(window);
    return window;
}
