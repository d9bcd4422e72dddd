#include "sound/recorder.h"

#include <algorithm>
#include <array>
#include <memory>
#include <string>

#include "app/controls.h"
#include "app/drawing.h"
#include "app/fonts.h"
#include "app/settings.h"
#include "app/toolwindow.h"
#include "lookup/lookupedit.h"
#include "sound/recordersteps.h"
#include "sound/recording.h"
#include "store/catalogue.h"
#include "store/collation.h"
#include "store/folders.h"
#include "store/records.h"
#include "store/soundfiles.h"
#include "text/uistrings.h"
#include "win/handles.h"
#include "win/messages.h"
#include "win/scrolling.h"
#include "win/subclass.h"

namespace {

constexpr int kWidth = 633;
constexpr int kHeight = 330;
constexpr int kRowHeight = 23;
constexpr int kExitId = 14;
constexpr int kStartStopId = 26;
constexpr int kSkipId = 27;
constexpr int kBackId = 28;
constexpr int kStaticId = 45;
constexpr int kScrollBarId = 41;
constexpr int kFirstRowId = 100;
constexpr int kSecondRowId = 150;
// What the Start/Stop button's keys send to the window, with the key in the high word.
constexpr int kButtonKeyId = 256;
constexpr std::size_t kLookUpChars = 37;

struct RecorderState {
    HWND window = nullptr;
    HWND startStop = nullptr;
    HWND skip = nullptr;
    HWND back = nullptr;
    HWND word = nullptr;
    HWND progress = nullptr;
    HWND indicator = nullptr;
    HWND scrollBar = nullptr;
    HWND lookUp = nullptr;
    std::array<HWND, kRecorderRows> first{};
    std::array<HWND, kRecorderRows> second{};
    int current = 0;
    int top = 0;  // the entry the first row shows
    UniqueFont firstFont;
    UniqueFont secondFont;
    UniqueFont wordFont;
    UniqueFont indicatorFont;
    // Declared last: a recording still running when the window ends is closed first.
    std::unique_ptr<SoundRecording> recording;
};
RecorderState g_recorder;

bool Recording() { return g_recorder.recording && g_recorder.recording->Running(); }
const std::wstring& FirstLanguage() { return CurrentWordList().firstName; }

// --- showing -----------------------------------------------------------------------

void FillRows(int top) {
    for (int i = 0; i < kRecorderRows; ++i) {
        const bool read = ReadWordRecord(top + i) == 0;
        SetWindowTextW(g_recorder.first[i], read ? CurrentEntry.first.c_str() : L"");
        SetWindowTextW(g_recorder.second[i], read ? CurrentEntry.second.c_str() : L"");
    }
}

void ShowProgress() {
    const std::wstring text = ProgressText(UiText(Ui::RecordWord), UiText(Ui::RecordOf), g_recorder.current, WordCount);
    SetWindowTextW(g_recorder.progress, text.c_str());
}

void ShowEndOfList() { SetWindowTextW(g_recorder.word, UiText(Ui::RecordEndOfList)); }

// The current entry in the word display, the progress text and the first row.
void ShowCurrent() {
    ReadWordRecord(g_recorder.current);
    SetWindowTextW(g_recorder.word, CurrentEntry.first.c_str());
    ShowProgress();
    g_recorder.top = g_recorder.current;
    FillRows(g_recorder.top);
    SetScrollPos(g_recorder.scrollBar, SB_CTL, RecorderScrollPosition(g_recorder.top), TRUE);
    SetFocus(g_recorder.startStop);
}

void MoveTo(int current) {
    g_recorder.current = current;
    ShowCurrent();
}

// The rows of a scroll or a look-up. Between start and stop they only browse: the
// recording belongs to the word shown when it started.
void MoveRowsIfChanged(int top, bool focusButton) {
    if (top == g_recorder.top) return;
    g_recorder.top = top;
    FillRows(top);
    SetScrollPos(g_recorder.scrollBar, SB_CTL, RecorderScrollPosition(top), TRUE);
    if (Recording()) return;
    g_recorder.current = top;
    ReadWordRecord(top);
    SetWindowTextW(g_recorder.word, CurrentEntry.first.c_str());
    ShowProgress();
    if (focusButton) SetFocus(g_recorder.startStop);
}

// --- the walk ----------------------------------------------------------------------

void EnableWalking(bool enable) {
    EnableWindow(g_recorder.skip, enable && WordCount > 0);
    EnableWindow(g_recorder.back, enable && WordCount > 0);
}

void StartRecording() {
    g_recorder.recording = std::make_unique<SoundRecording>(
        [](const std::wstring& command) { return SendSoundCommand(command, g_recorder.window); });
    const bool started = g_recorder.recording->Start(
        [] { ShowMessage(g_recorder.window, UiText(Ui::RecordCantOpen), UiText(Ui::Error), MB_OK); });
    if (!started) return;
    SetWindowTextW(g_recorder.startStop, UiText(Ui::RecordStop));
    SetWindowTextW(g_recorder.indicator, UiText(Ui::RecordRecording));
    EnableWalking(false);
}

void StopRecording() {
    ReadWordRecord(g_recorder.current);
    const std::wstring path = SoundFilePath(FirstLanguage(), CurrentEntry.first);
    const KeptRecording kept = StopAndKeep(*g_recorder.recording, path);
    g_recorder.recording.reset();
    SetWindowTextW(g_recorder.indicator, L"");
    SetWindowTextW(g_recorder.startStop, UiText(Ui::RecordStart));
    EnableWalking(true);
    if (kept != KeptRecording::Kept) {
        // Nothing was saved: the word stays, to be recorded again.
        ShowMessage(g_recorder.window, UiText(kept == KeptRecording::NoSound ? Ui::RecordNoSound : Ui::RecordNotSaved),
                    UiText(Ui::Lingorix), MB_ICONWARNING);
        ShowCurrent();
        return;
    }
    const RecorderStep next = StepForward(g_recorder.current, WordCount);
    g_recorder.current = next.index;
    if (next.endOfList) {
        ShowEndOfList();
        SetFocus(g_recorder.startStop);
        return;
    }
    ShowCurrent();
}

void StartOrStop() {
    if (WordCount <= 0) return;
    if (Recording())
        StopRecording();
    else
        StartRecording();
}

void Skip() {
    if (Recording() || WordCount <= 0) return;
    const RecorderStep next = StepForward(g_recorder.current, WordCount);
    g_recorder.current = next.index;
    if (next.endOfList)
        ShowEndOfList();
    else
        ShowCurrent();
}

void Back() {
    if (Recording() || WordCount <= 0) return;
    MoveTo(StepBack(g_recorder.current));
}

// --- controls ----------------------------------------------------------------------

// Space records, Enter skips and Backspace goes back while the focus is on the button.
LRESULT CALLBACK StartStopButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN && (wParam == VK_BACK || wParam == VK_RETURN || wParam == VK_SPACE)) {
        SendMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(kButtonKeyId, wParam), 0);
        return 0;
    }
    return CallPreviousProc(button, message, wParam, lParam);
}

HWND CreateButton(Ui text, RECT place, int id) {
    return CreateChild(g_recorder.window,
                       {.kind = L"button", .text = UiText(text), .place = place, .id = id, .font = GuiFont});
}

HWND CreateStatic(RECT place, HFONT font) {
    return CreateChild(g_recorder.window, {.place = place, .id = kStaticId, .font = font, .style = SS_LEFT});
}

// The rows show the list; the wheel over them scrolls it, which a one-line edit would not.
LRESULT CALLBACK RowProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MOUSEWHEEL) return SendMessageW(GetParent(edit), message, wParam, lParam);
    return CallPreviousProc(edit, message, wParam, lParam);
}

HWND CreateRowEdit(int id, RECT place, HFONT font, std::size_t limit) {
    ChildControl control = WordEdit(place, id, font, limit);
    control.tabStop = false;  // Tab goes from the buttons to the look-up field
    HWND edit = CreateChild(g_recorder.window, control);
    if (edit) SubclassControl(edit, RowProc);
    return edit;
}

void MakeFonts() {
    const WordListDescriptor& d = CurrentWordList();
    g_recorder.firstFont.Reset(CreateScaledFont(11, FW_NORMAL, kDefaultWordFace, d.firstCharset));
    g_recorder.secondFont.Reset(CreateScaledFont(11, FW_NORMAL, kDefaultWordFace, d.secondCharset));
    g_recorder.wordFont.Reset(CreateScaledFont(22, FW_BOLD, kDefaultWordFace, d.firstCharset));
    g_recorder.indicatorFont.Reset(CreateScaledFont(15, FW_NORMAL, kDefaultWordFace, 0));
}

void CreateControls() {
    RecorderState& r = g_recorder;
    CreateButton(Ui::RecordExit, {506, 260, 100, 30}, kExitId);
    r.startStop = CreateButton(Ui::RecordStart, {20, 65, 120, 30}, kStartStopId);
    r.skip = CreateButton(Ui::RecordSkip, {145, 65, 85, 30}, kSkipId);
    r.back = CreateButton(Ui::RecordBack, {235, 65, 85, 30}, kBackId);
    r.word = CreateStatic({25, 10, 595, 40}, r.wordFont.Get());
    r.progress = CreateStatic({245, 269, 220, 20}, GuiFont);
    r.indicator = CreateStatic({380, 71, 210, 30}, r.indicatorFont.Get());
    for (int i = 0; i < kRecorderRows; ++i) {
        const int y = 105 + kRowHeight * i;
        r.first[i] = CreateRowEdit(kFirstRowId + i, {20, y, 215, 25}, r.firstFont.Get(), 30);
        r.second[i] = CreateRowEdit(kSecondRowId + i, {255, y, 350, 25}, r.secondFont.Get(), 50);
    }
    r.scrollBar = CreateChild(r.window, {.kind = L"scrollbar", .place = {235, 105, 20, 139}, .id = kScrollBarId,
                                         .style = SBS_VERT});
    r.lookUp = CreateLookUpEdit(r.window, 20, 260, 215, 25, r.firstFont.Get(), true);
    if (r.startStop) SubclassControl(r.startStop, StartStopButtonProc);
}

// --- the look-up edit --------------------------------------------------------------

void OnLookUpKey(WPARAM key) {
    if (key == VK_RETURN) {
        SetWindowTextW(g_recorder.lookUp, L"");
        return;
    }
    if (WordCount > 0) MoveRowsIfChanged(TopAfterRecorderKey(g_recorder.top, key, WordCount), false);
}

void LookUp() {
    if (WordCount <= 0) return;
    const std::wstring text = EditText(g_recorder.lookUp, kLookUpChars);
    const int found = std::min(std::max(FindWordPosition(text), 0), WordCount - 1);
    MoveRowsIfChanged(found, false);
}

// --- messages ----------------------------------------------------------------------

LRESULT OnCreate(HWND window) {
    g_recorder.window = window;
    MakeFonts();
    CreateControls();
    g_recorder.current = StartIndex(ReadLastRecorded(FirstLanguage(), ProfileFile), WordCount);
    SetScrollRange(g_recorder.scrollBar, SB_CTL, 0, RecorderScrollMax(WordCount), FALSE);
    if (WordCount > 0) {
        ShowCurrent();
    } else {
        // Nothing to record: the list's end is all there is.
        FillRows(0);
        ShowEndOfList();
        EnableWindow(g_recorder.startStop, FALSE);
        EnableWalking(false);
        SetFocus(g_recorder.lookUp);
    }
    MakeFolders(SoundFolder(FirstLanguage()));
    return 0;
}

LRESULT OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    switch (id) {
    case kExitId: if (code == BN_CLICKED) DestroyWindow(g_recorder.window); break;
    case kStartStopId: if (code == BN_CLICKED) StartOrStop(); break;
    case kSkipId: if (code == BN_CLICKED) Skip(); break;
    case kBackId: if (code == BN_CLICKED) Back(); break;
    case kButtonKeyId:
        if (code == VK_SPACE) StartOrStop();
        if (code == VK_RETURN) Skip();
        if (code == VK_BACK) Back();
        break;
    case kLookUpEditId:
        if (code == kKeyNotification) OnLookUpKey(NotifiedKey(lParam));
        if (code == EN_UPDATE) LookUp();
        break;
    default: break;
    }
    return 0;
}

LRESULT OnVScroll(WPARAM wParam, LPARAM lParam) {
    if (reinterpret_cast<HWND>(lParam) != g_recorder.scrollBar || WordCount <= 0) return 0;
    const int thumb = ThumbPosition(g_recorder.scrollBar, wParam);
    MoveRowsIfChanged(TopAfterRecorderScroll(g_recorder.top, LOWORD(wParam), thumb, WordCount), true);
    return 0;
}

LRESULT OnMouseWheel(WPARAM wParam) {
    if (WordCount <= 0) return 0;
    MoveRowsIfChanged(TopAfterRecorderWheel(g_recorder.top, WheelEntries(wParam, kRecorderRows), WordCount), false);
    return 0;
}

LRESULT OnDestroy() {
    // A recording not stopped is not saved, and its entry stays the one to record.
    g_recorder.recording.reset();
    WriteLastRecorded(FirstLanguage(), g_recorder.current, ProfileFile);
    return 0;
}

LRESULT CALLBACK RecorderWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: return OnCreate(window);
    case WM_COMMAND: return OnCommand(wParam, lParam);
    case WM_VSCROLL: return OnVScroll(wParam, lParam);
    case WM_MOUSEWHEEL: return OnMouseWheel(wParam);
    case WM_DESTROY: return OnDestroy();
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

std::wstring RecorderCaption() { return std::wstring(UiText(Ui::RecordCaption)) + L": (" + FirstLanguage() + L")"; }

const ToolWindowTraits kRecorderTraits{
    .className = kRecorderWindowClass,
    .captionText = RecorderCaption,
    .width = kWidth,
    .height = kHeight,
    .clientHeight = false,
    .style = WS_OVERLAPPEDWINDOW,
    .procedure = RecorderWindowProc,
    .clearState = [] { g_recorder = {}; },
};

}  // namespace

HWND OpenRecorderWindow() {
    g_recorder = {};
    return OpenToolWindowFrame(kRecorderTraits);
}
