#include "practice/reviewwindow.h"

#include <mmsystem.h>

#include <array>
#include <optional>

#include "app/controls.h"
#include "app/drawing.h"
#include "app/fonts.h"
#include "app/menus.h"
#include "app/settings.h"
#include "app/toolwindow.h"
#include "entry/picker.h"
#include "practice/answers.h"
#include "practice/progresswindow.h"
#include "practice/reviewoptions.h"
#include "practice/reviewsession.h"
#include "practice/reviewtexts.h"
#include "store/catalogue.h"
#include "store/records.h"
#include "text/uistrings.h"
#include "win/handles.h"
#include "win/messages.h"
#include "win/subclass.h"
#include "win/windowclass.h"

namespace {

constexpr int kWidth = 630;
constexpr int kClientHeight = 285;
constexpr int kFontPoints = 22;
constexpr std::size_t kAnswerChars = 99;
constexpr int kGradeCount = 4;
constexpr COLORREF kRightColour = RGB(0, 128, 0);
constexpr COLORREF kWrongColour = RGB(192, 0, 0);
constexpr RECT kFirstNameRect{15, 10, 515, 35};
constexpr RECT kSecondNameRect{15, 85, 515, 110};
// Sent to itself once the window stands, for what must not run inside WM_CREATE.
constexpr UINT kShownMessage = WM_APP + 20;

constexpr std::array<Ui, kGradeCount> kGradeNames{Ui::ReviewAgain, Ui::ReviewHard, Ui::ReviewGood, Ui::ReviewEasy};

struct DeckFonts {
    UniqueFont question;
    UniqueFont answer;
};

struct ReviewWindowState {
    HWND window = nullptr;
    HWND question = nullptr;
    HWND answer = nullptr;
    HWND solution = nullptr;
    HWND show = nullptr;
    HWND counts = nullptr;
    std::array<HWND, kGradeCount> grades{};
    std::vector<DeckFonts> fonts;  // by deck
    ReviewSession session;
    int shownDeck = -1;
    bool revealed = false;
    std::optional<AnswerVerdict> verdict;  // of a typed answer
    Grade defaultGrade = Grade::Good;
    bool pickerShown = false;
    bool toldUnwritten = false;
    UniqueWindow progress;
};
ReviewWindowState g_review;

Grade GradeOfControl(int id) { return static_cast<Grade>(id - kReviewAgain + 1); }

ReviewLimits CurrentLimits() { return {AppSettings.reviewNewPerDay, AppSettings.reviewsPerDay}; }
double CurrentRetention() { return AppSettings.reviewRetention / 100.0; }

void PlayIfOn(const wchar_t* file) {
    // Asynchronous: the next key is taken at once, the sound plays on.
    if (AppSettings.practiceSound == 1) PlaySoundW(file, nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT);
}

void ShowCounts() { SetWindowTextW(g_review.counts, ReviewCountsText(g_review.session.Counts()).c_str()); }

// The window paints only the language names, which change with the deck.
void RepaintNames() { InvalidateRect(g_review.window, nullptr, TRUE); }

// --- showing a card ----------------------------------------------------------------------

void ShowGradeButtons(bool show) {
    ShowWindow(g_review.show, show ? SW_HIDE : SW_SHOW);
    for (HWND button : g_review.grades) ShowWindow(button, show ? SW_SHOW : SW_HIDE);
}

void UseDeckFonts(const ReviewCard& card) {
    const int deck = card.deck;
    if (deck == g_review.shownDeck || deck < 0 || deck >= static_cast<int>(g_review.fonts.size())) return;
    g_review.shownDeck = deck;
    RepaintNames();
    const DeckFonts& fonts = g_review.fonts[static_cast<std::size_t>(deck)];
    SetChildFont(g_review.question, fonts.question.Get());
    SetChildFont(g_review.answer, fonts.answer.Get());
    SetChildFont(g_review.solution, fonts.answer.Get());
    if (const WordListDescriptor* words = g_review.session.DeckOf(card).words)
        PickerFollowsEdit(g_review.answer, {words->secondName, words->secondCharset}, g_review.pickerShown);
}

void ShowNothingLeft() {
    SetWindowTextW(g_review.question, UiText(Ui::ReviewDone));
    const std::wstring next = NextCardText(g_review.session.WhenNext(ReviewNow()));
    SetChildFont(g_review.solution, GuiFont);
    g_review.shownDeck = -1;
    RepaintNames();
    SetWindowTextW(g_review.solution, next.c_str());
    SetWindowTextW(g_review.answer, L"");
    EnableWindow(g_review.answer, FALSE);
    ShowGradeButtons(false);
    EnableWindow(g_review.show, FALSE);
}

void ShowCard() {
    g_review.revealed = false;
    g_review.verdict.reset();
    const ReviewCard* card = g_review.session.Current();
    ShowCounts();
    if (!card) {
        ShowNothingLeft();
        return;
    }
    UseDeckFonts(*card);
    SetWindowTextW(g_review.question, card->First().c_str());
    SetWindowTextW(g_review.solution, L"");
    EnableWindow(g_review.answer, TRUE);
    SendMessageW(g_review.answer, EM_SETREADONLY, FALSE, 0);
    SetWindowTextW(g_review.answer, L"");
    EnableWindow(g_review.show, TRUE);
    ShowGradeButtons(false);
    SetFocus(g_review.answer);
}

void LabelGradeButtons() {
    const std::int64_t now = ReviewNow();
    for (int i = 0; i < kGradeCount; ++i) {
        const Grade grade = static_cast<Grade>(i + 1);
        const std::wstring text = std::wstring(UiText(kGradeNames[static_cast<std::size_t>(i)])) + L"\n" +
                                  IntervalText(g_review.session.IntervalFor(grade, now));
        HWND button = g_review.grades[static_cast<std::size_t>(i)];
        SetWindowTextW(button, text.c_str());
        const DWORD style = grade == g_review.defaultGrade ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
        SendMessageW(button, BM_SETSTYLE, style | BS_MULTILINE | BS_CENTER, TRUE);
    }
}

// Shows the entry; with a typed answer it is judged first, as typed practice judges it.
void Reveal(bool judgeTyped) {
    const ReviewCard* card = g_review.session.Current();
    if (!card || g_review.revealed) return;
    const std::wstring second = card->Second();
    const std::wstring typed = EditText(g_review.answer, kAnswerChars);
    if (judgeTyped && !typed.empty()) {
        const AnswerVerdict verdict = JudgeAnswer(typed, second);
        if (verdict != AnswerVerdict::Empty) g_review.verdict = verdict;
    }
    g_review.revealed = true;
    g_review.defaultGrade = g_review.verdict == AnswerVerdict::Wrong ? Grade::Again : Grade::Good;
    if (g_review.verdict) PlayIfOn(*g_review.verdict == AnswerVerdict::Right ? L"right.wav" : L"wrong.wav");
    SendMessageW(g_review.answer, EM_SETREADONLY, TRUE, 0);
    SetWindowTextW(g_review.solution, second.c_str());
    LabelGradeButtons();
    ShowGradeButtons(true);
    SetFocus(g_review.answer);
}

void GradeCard(Grade grade) {
    if (!g_review.revealed) return;
    const bool written = g_review.session.Answer(grade, ReviewNow());
    if (!written && !g_review.toldUnwritten) {
        g_review.toldUnwritten = true;
        ShowMessage(g_review.window, UiText(Ui::ReviewLogNotWritten), UiText(Ui::Lingorix), MB_ICONWARNING);
    }
    ShowCard();
}

// --- keys --------------------------------------------------------------------------

// Enter and Escape as in typed practice; Space reveals (or takes the default grade) when
// there is nothing typed to put it in; 1 to 4 grade once the entry shows.
LRESULT CALLBACK AnswerProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN && (wParam == VK_RETURN || wParam == VK_ESCAPE)) {
        NotifyParent(edit, kKeyNotification, wParam);
        return 0;
    }
    if (message >= WM_KEYFIRST && message <= WM_KEYLAST && (wParam == VK_RETURN || wParam == VK_ESCAPE)) return 0;
    if (message == WM_CHAR) {
        const bool empty = GetWindowTextLengthW(edit) == 0;
        if (wParam == L' ' && (g_review.revealed || empty)) {
            NotifyParent(edit, kKeyNotification, VK_SPACE);
            return 0;
        }
        if (g_review.revealed && wParam >= L'1' && wParam <= L'4') {
            NotifyParent(edit, kKeyNotification, wParam);
            return 0;
        }
    }
    return CallPreviousProc(edit, message, wParam, lParam);
}

void OnAnswerKey(WORD key) {
    if (key >= L'1' && key <= L'4') {
        GradeCard(static_cast<Grade>(key - L'0'));
    } else if (g_review.revealed) {
        if (key == VK_RETURN || key == VK_SPACE) GradeCard(g_review.defaultGrade);
    } else {
        Reveal(key == VK_RETURN);
    }
}

// --- menus and commands ------------------------------------------------------------------

HMENU CreateReviewMenu() {
    HMENU bar = CreateMenu();
    HMENU picker = CreatePopupMenu();
    AppendMenuW(picker, MF_STRING, kReviewPickerOn, UiText(Ui::PracticeIAMenuCharset1));
    AppendMenuW(picker, MF_STRING | MF_CHECKED, kReviewPickerOff, UiText(Ui::PracticeIAMenuCharset2));
    HMENU sound = CreatePopupMenu();
    const bool on = AppSettings.practiceSound == 1;
    AppendMenuW(sound, MF_STRING | (on ? MF_CHECKED : 0), kReviewSoundOn, UiText(Ui::PracticeIAMenuSound1));
    AppendMenuW(sound, MF_STRING | (on ? 0 : MF_CHECKED), kReviewSoundOff, UiText(Ui::PracticeIAMenuSound2));
    HMENU review = CreatePopupMenu();
    AppendMenuW(review, MF_STRING, kReviewOptions, UiText(Ui::ReviewMenuOptions));
    AppendMenuW(review, MF_STRING, kReviewProgress, UiText(Ui::MenuProgress));
    AppendMenuW(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(picker), UiText(Ui::PracticeIAMenuCharset0));
    AppendMenuW(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sound), UiText(Ui::PracticeIAMenuSound0));
    AppendMenuW(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(review), UiText(Ui::ReviewMenu0));
    return bar;
}

void ShowPicker(HWND window, bool show) {
    g_review.pickerShown = show;
    ShowPickerFromMenu(window, kReviewPickerOn, kReviewPickerOff, show);
}

void SwitchSound(HWND window, bool on) {
    CheckMenuPair(GetMenu(window), on ? kReviewSoundOn : kReviewSoundOff, on ? kReviewSoundOff : kReviewSoundOn);
    AppSettings.practiceSound = on ? 1 : 0;
}

void ChangeOptions(HWND window) {
    if (!RunReviewOptions(window)) return;
    g_review.session.Configure(CurrentLimits(), CurrentRetention(), ReviewNow());
    ShowCard();
}

void ShowProgress() {
    if (g_review.progress && IsWindow(g_review.progress.Get())) {
        SetForegroundWindow(g_review.progress.Get());
        return;
    }
    g_review.progress.Reset(OpenProgressOver(g_review.session));
}

// --- messages ----------------------------------------------------------------------

void CreateControls(HWND window) {
    ReviewWindowState& r = g_review;
    r.question = CreateChild(window, {.text = L"", .place = {15, 35, 595, 40}, .id = kReviewQuestion,
                                      .style = SS_LEFT | SS_NOPREFIX, .exStyle = WS_EX_CLIENTEDGE});
    r.answer = CreateChild(window, {.kind = L"edit", .place = {15, 110, 595, 40}, .id = kReviewAnswer,
                                    .style = WS_BORDER | ES_AUTOHSCROLL, .exStyle = WS_EX_CLIENTEDGE,
                                    .limit = kAnswerChars});
    r.solution = CreateChild(window, {.place = {15, 155, 595, 34}, .id = kReviewSolution, .style = SS_LEFT | SS_NOPREFIX});
    r.show = CreateChild(window, {.kind = L"button", .text = UiText(Ui::PracticeShow), .place = {15, 200, 240, 40},
                                  .id = kReviewShow, .font = GuiFont});
    for (int i = 0; i < kGradeCount; ++i) {
        r.grades[static_cast<std::size_t>(i)] =
            CreateChild(window, {.kind = L"button", .text = UiText(kGradeNames[static_cast<std::size_t>(i)]),
                                 .place = {15 + i * 122, 200, 114, 40}, .id = kReviewAgain + i, .font = GuiFont,
                                 .style = BS_MULTILINE | BS_CENTER, .hidden = true});
    }
    CreateChild(window, {.kind = L"button", .text = UiText(Ui::Quit), .place = {510, 200, 100, 40}, .id = kReviewQuit,
                         .font = GuiFont});
    r.counts = CreateChild(window, {.place = {15, 255, 595, 20}, .id = kReviewCounts, .font = ArialBoldFont12,
                                    .style = SS_LEFT | SS_NOPREFIX});
    if (r.answer) SubclassControl(r.answer, AnswerProc);
}

void CreateDeckFonts() {
    for (const ReviewDeckFiles& deck : CurrentReviewDecks()) {
        DeckFonts fonts;
        const int first = deck.words ? deck.words->firstCharset : 0;
        const int second = deck.words ? deck.words->secondCharset : 0;
        fonts.question.Reset(CreateScaledFont(kFontPoints, FW_BOLD, kDefaultWordFace, first));
        fonts.answer.Reset(CreateScaledFont(kFontPoints, FW_BOLD, kDefaultWordFace, second));
        g_review.fonts.push_back(std::move(fonts));
    }
}

void LoadSession() {
    UniqueWindow busy;
    const auto longWork = [&busy] { busy.Reset(OpenReviewBusyWindow()); };
    g_review.session.Load(CurrentReviewDecks(), ReviewNow(), ReviewCalendar::Local(), CurrentLimits(),
                          CurrentRetention(), longWork);
}

LRESULT OnCreate(HWND window) {
    g_review.window = window;
    CreateDeckFonts();
    CreateControls(window);
    SetPickerHost(window);
    SetPickerTarget(g_review.answer);
    const WordListDescriptor& d = CurrentWordList();
    SetPickerLanguage({d.secondName, d.secondCharset});
    LoadSession();
    ShowCard();
    PostMessageW(window, kShownMessage, 0, 0);
    return 0;
}

LRESULT OnShown() {
    const int unreadable = g_review.session.UnreadableLines();
    if (unreadable > 0) {
        const std::wstring text = std::wstring(UiText(Ui::ReviewLogDamaged)) + L" " + std::to_wstring(unreadable);
        ShowMessage(g_review.window, text.c_str(), UiText(Ui::Lingorix), MB_ICONWARNING);
    }
    return 0;
}

LRESULT OnCommand(HWND window, WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const WORD notification = HIWORD(wParam);
    if (id >= kReviewAgain && id <= kReviewEasy) {
        if (notification == BN_CLICKED) GradeCard(GradeOfControl(id));
        return 0;
    }
    switch (id) {
    case kReviewPickerOn: ShowPicker(window, true); break;
    case kReviewPickerOff: ShowPicker(window, false); break;
    case kReviewSoundOn: SwitchSound(window, true); break;
    case kReviewSoundOff: SwitchSound(window, false); break;
    case kReviewOptions: ChangeOptions(window); break;
    case kReviewProgress: ShowProgress(); break;
    case kReviewQuit: if (notification == BN_CLICKED) DestroyWindow(window); break;
    case kReviewShow: if (notification == BN_CLICKED) Reveal(false); break;
    case kReviewAnswer:
        if (notification == kKeyNotification) OnAnswerKey(NotifiedKey(lParam));
        break;
    default: break;
    }
    return 0;
}

LRESULT OnActivate(WPARAM wParam) {
    if (LOWORD(wParam) == WA_INACTIVE) return 0;
    // Time went on while the window was in the background: cards may have come due.
    if (!g_review.session.Current()) {
        g_review.session.Refresh(ReviewNow());
        if (g_review.session.Current()) ShowCard();
    }
    FocusPickerTarget();
    return 0;
}

LRESULT OnColourStatic(WPARAM wParam, LPARAM lParam) {
    HDC dc = reinterpret_cast<HDC>(wParam);
    SetBkMode(dc, TRANSPARENT);
    if (reinterpret_cast<HWND>(lParam) == g_review.solution && g_review.verdict)
        SetTextColor(dc, *g_review.verdict == AnswerVerdict::Right ? kRightColour : kWrongColour);
    return reinterpret_cast<LRESULT>(GetStockObject(LTGRAY_BRUSH));
}

LRESULT OnPaint(HWND window) {
    LayoutPaint paint(window);
    ReviewPaintView view;
    const ReviewCard* card = g_review.session.Current();
    const WordListDescriptor* words = card ? g_review.session.DeckOf(*card).words : &CurrentWordList();
    if (words) view = {words->firstName, words->secondName};
    PaintReviewWindow(paint.Dc(), paint.Client(), view);
    return 0;
}

LRESULT OnDestroy() {
    g_review.progress.Reset();
    LeavePickerHost();
    g_review.session.SaveSnapshots();
    return 0;
}

LRESULT CALLBACK ReviewWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: return OnCreate(window);
    case kShownMessage: return OnShown();
    case WM_COMMAND: return OnCommand(window, wParam, lParam);
    case WM_ACTIVATE: return OnActivate(wParam);
    case WM_CTLCOLORSTATIC: return OnColourStatic(wParam, lParam);
    case WM_PAINT: return OnPaint(window);
    case WM_DESTROY: return OnDestroy();
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

std::wstring ReviewCaptionText() {
    return std::wstring(UiText(Ui::ReviewCaption)) + L" (" + CurrentPracticeList + L")";
}

const ToolWindowTraits kReviewWindowTraits{
    .className = kReviewWindowClass,
    .captionText = ReviewCaptionText,
    .width = kWidth,
    .height = kClientHeight,
    .makeMenu = CreateReviewMenu,
    .savedPosition = &AppSettings.practise,
    .procedure = ReviewWindowProc,
    .clearState = [] { g_review = {}; },
    .ownsEscape = true,  // it shows the answer, as in typed practice
};

}  // namespace

std::wstring ReviewCountsText(const ReviewCounts& counts) {
    return std::wstring(UiText(Ui::ReviewNew)) + L" " + std::to_wstring(counts.fresh) + L"   " +
           UiText(Ui::ReviewLearning) + L" " + std::to_wstring(counts.learning) + L"   " + UiText(Ui::ReviewDue) +
           L" " + std::to_wstring(counts.due);
}

void PaintReviewWindow(HDC dc, const RECT& client, const ReviewPaintView& view) {
    DrawTopRule(dc, client);
    SetBkMode(dc, TRANSPARENT);
    SelectionScope font(dc, ArialBoldFont15);
    RECT first = kFirstNameRect;
    DrawShadowText(dc, first, view.firstLanguage.c_str(), DT_SINGLELINE);
    RECT second = kSecondNameRect;
    DrawShadowText(dc, second, view.secondLanguage.c_str(), DT_SINGLELINE);
}

HWND OpenReviewWindow() {
    g_review = {};
    return OpenToolWindowFrame(kReviewWindowTraits);
}

HWND OpenReviewBusyWindow() {
    return OpenBusyWindow(L"herhalenbezig", UiText(Ui::ReviewReadingLog), 340, 90, [](HDC dc) {
        SetBkMode(dc, TRANSPARENT);
        SelectionScope font(dc, GuiFont);
        RECT rect{20, 18, 320, 40};
        DrawTextW(dc, UiText(Ui::ReviewReadingLog), -1, &rect, DT_SINGLELINE | DT_NOPREFIX);
    });
}
