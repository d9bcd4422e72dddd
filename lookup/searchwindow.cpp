#include "lookup/searchwindow.h"

#include <array>
#include <string>

#include "app/controls.h"
#include "app/drawing.h"
#include "app/fonts.h"
#include "app/globals.h"
#include "app/menus.h"
#include "app/settings.h"
#include "app/sortwindow.h"
#include "app/toolwindow.h"
#include "app/wordlists.h"
#include "entry/picker.h"
#include "lookup/capturing.h"
#include "lookup/clipboard.h"
#include "lookup/lookupedit.h"
#include "lookup/playback.h"
#include "lookup/searchmenus.h"
#include "lookup/searchrows.h"
#include "store/catalogue.h"
#include "store/collation.h"
#include "store/records.h"
#include "text/uistrings.h"
#include "win/handles.h"
#include "win/scrolling.h"
#include "win/subclass.h"

namespace {

constexpr int kRowHeight = 23;
constexpr int kWordFontPoints = 11;
constexpr std::size_t kLookUpChars = 37;
constexpr std::size_t kFirstChars = 30;
constexpr std::size_t kSecondChars = 50;
// Clipboard text for the look-up edit; only its beginning is looked up.
constexpr std::size_t kClipboardLookUpChars = 999;

struct SearchState {
    HWND window = nullptr;
    HWND lookUp = nullptr;
    HWND scrollBar = nullptr;
    std::array<HWND, kMaxSearchRows> first{};
    std::array<HWND, kMaxSearchRows> second{};
    int rows = kDefaultSearchRows;
    bool minimal = false;
    // Always the top the rows show: a correction or a mark goes to the entry its row shows.
    int top = 0;
    UniqueFont firstFont;
    UniqueFont secondFont;
    UniqueMenu liveMenu;
    UniqueMenu markedMenu;
    bool pickerShown = false;
    bool following = false;
    bool joiningViewers = false;
    HWND nextViewer = nullptr;
    // Set while the window goes to make room for one of another size.
    bool recreating = false;
};
SearchState g_search;
// First words written or entries marked since the last sort; outlives a rebuild, so
// the window that is finally closed sorts what its predecessors changed.
bool g_listChanged = false;

HWND CreateSearchWindow();

// --- rows --------------------------------------------------------------------------

void ShowEntry(int row) {
    const bool marked = CurrentEntry.deleted != 0;
    SetWindowTextW(g_search.first[row], marked ? UiText(Ui::CreateListDeleted) : CurrentEntry.first.c_str());
    SetWindowTextW(g_search.second[row], marked ? UiText(Ui::CreateListDeleted) : CurrentEntry.second.c_str());
}

// Rows past the end of the list keep what they show.
void FillRows(int top) {
    for (int i = 0; i < g_search.rows; ++i) {
        if (ReadWordRecord(top + i) != 0) break;
        ShowEntry(i);
    }
}

void ClearRows() {
    for (int i = 0; i < g_search.rows; ++i) {
        SetWindowTextW(g_search.first[i], L"");
        SetWindowTextW(g_search.second[i], L"");
    }
}

void MoveTo(int top) {
    FillRows(top);
    SetScrollPos(g_search.scrollBar, SB_CTL, ScrollPosition(top), TRUE);
    g_search.top = top;
}

void MoveIfChanged(int top) {
    if (top != g_search.top) MoveTo(top);
}

void SetScrollRangeForList() { SetScrollRange(g_search.scrollBar, SB_CTL, 0, ScrollRangeMax(WordCount, g_search.rows), FALSE); }

void LookUp() {
    const std::wstring text = EditText(g_search.lookUp, kLookUpChars);
    MoveIfChanged(EndClamp(FindWordPosition(text), WordCount, g_search.rows));
}

void OnTableKey(WPARAM key) {
    if (key == VK_RETURN) {
        SetWindowTextW(g_search.lookUp, L"");
        return;
    }
    MoveIfChanged(TopAfterKey(g_search.top, key, WordCount, g_search.rows));
}

// --- row edits ---------------------------------------------------------------------

struct RowOf {
    int row = -1;  // none once the window has let go of its rows
    bool firstColumn = true;
};

RowOf FindRow(HWND edit) {
    for (int i = 0; i < kMaxSearchRows; ++i) {
        if (g_search.first[i] == edit) return {i, true};
        if (g_search.second[i] == edit) return {i, false};
    }
    return {};
}

UINT ColumnCodePage(bool firstColumn) {
    return firstColumn ? CurrentWordList().firstCodePage : CurrentWordList().secondCodePage;
}
const std::wstring& ColumnLanguage(bool firstColumn) {
    return firstColumn ? CurrentWordList().firstName : CurrentWordList().secondName;
}

// Both words of the row are written, whichever edit got the Enter. A first word that
// changed, from either column, moves the entry out of its sorted place: the list is
// sorted when the window closes. An empty first word could never be found again, so
// it is refused from either column, as is an empty word of the edit itself.
void StoreRow(HWND edit, const RowOf& at) {
    const int n = g_search.top + at.row;
    const bool read = ReadWordRecord(n) == 0;
    const bool marked = CurrentEntry.deleted != 0;
    const std::wstring storedFirst = CurrentEntry.first;
    CurrentEntry.first = EditText(g_search.first[at.row], kFirstChars);
    CurrentEntry.second = EditText(g_search.second[at.row], kSecondChars);
    const std::wstring& own = at.firstColumn ? CurrentEntry.first : CurrentEntry.second;
    const bool firstEmpty = CurrentEntry.first.empty();
    if (read && !marked && !own.empty() && !firstEmpty) {
        const bool firstChanged = CurrentEntry.first != storedFirst;
        WriteWordRecord(n);
        if (at.firstColumn || firstChanged) g_listChanged = true;
    } else {
        MessageBeep(0xFFFFFFFF);
        if (read && ReadWordRecord(n) == 0) {
            const std::wstring stored = at.firstColumn ? CurrentEntry.first : CurrentEntry.second;
            SetWindowTextW(edit, marked ? UiText(Ui::CreateListDeleted) : stored.c_str());
            if (!marked && firstEmpty && !at.firstColumn)
                SetWindowTextW(g_search.first[at.row], CurrentEntry.first.c_str());
        }
    }
    SetFocus(g_search.lookUp);
}

void ToggleDeletedMark(const RowOf& at) {
    const int n = g_search.top + at.row;
    if (ReadWordRecord(n) != 0) return;
    CurrentEntry.deleted = CurrentEntry.deleted != 0 ? 0 : 1;
    ShowEntry(at.row);
    WriteWordRecord(n);
    g_listChanged = true;
    SetFocus(g_search.lookUp);
}

void ShowRowMenu(HWND edit, const RowOf& at, POINT screen) {
    const int n = g_search.top + at.row;
    if (ReadWordRecord(n) != 0) return;
    const bool playable = HasRecording(EditText(edit, kSecondChars), ColumnLanguage(at.firstColumn), at.firstColumn);
    for (HMENU menu : {g_search.liveMenu.Get(), g_search.markedMenu.Get()})
        EnableMenuItem(menu, kSearchPlay, MF_BYCOMMAND | (playable ? MF_ENABLED : MF_GRAYED));
    HMENU menu = CurrentEntry.deleted != 0 ? g_search.markedMenu.Get() : g_search.liveMenu.Get();
    TrackPopupMenu(menu, TPM_LEFTBUTTON, screen.x, screen.y - 10, 0, edit, nullptr);
}

void OnRowContextMenu(HWND edit, const RowOf& at, LPARAM lParam) {
    POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    if (lParam == -1) {  // from the keyboard: at the edit
        RECT rect{};
        GetWindowRect(edit, &rect);
        point = {rect.left + 10, rect.bottom + 10};
    }
    ShowRowMenu(edit, at, point);
}

void OnRowCommand(HWND edit, const RowOf& at, int id) {
    switch (id) {
    case kSearchDeleteOrRestore: ToggleDeletedMark(at); break;
    case kSearchCopy: WriteClipboardText(edit, EditText(edit, kSecondChars), ColumnCodePage(at.firstColumn)); break;
    case kSearchPaste: {
        const std::size_t limit = at.firstColumn ? kFirstChars : kSecondChars;
        if (auto text = ReadClipboardText(edit, ColumnCodePage(at.firstColumn), limit))
            SetWindowTextW(edit, text->c_str());
        break;
    }
    case kSearchPlay: PlayRecordings(EditText(edit, kSecondChars), ColumnLanguage(at.firstColumn), at.firstColumn); break;
    case kSearchCapture: CaptureEntry(g_search.window, g_search.top + at.row); break;
    default: break;
    }
}

// The rows' own actions while the window holds them; everything else, and every
// message once the window has let go of them, goes to the edit itself.
LRESULT CALLBACK RowEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    const RowOf at = FindRow(edit);
    if (at.row < 0) return CallPreviousProc(edit, message, wParam, lParam);
    switch (message) {
    case WM_KEYDOWN: if (wParam == VK_RETURN) StoreRow(edit, at); break;
    case WM_RBUTTONDOWN: {
        POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ClientToScreen(edit, &point);
        ShowRowMenu(edit, at, point);
        return 0;
    }
    // The edit's own menu would come up after the row's.
    case WM_CONTEXTMENU: OnRowContextMenu(edit, at, lParam); return 0;
    // The wheel scrolls the table, not the word inside its edit.
    case WM_MOUSEWHEEL: return SendMessageW(g_search.window, message, wParam, lParam);
    case WM_COMMAND: OnRowCommand(edit, at, LOWORD(wParam)); break;
    default: break;
    }
    if (wParam == VK_RETURN && message >= WM_KEYFIRST && message <= WM_KEYLAST) return 0;
    return CallPreviousProc(edit, message, wParam, lParam);
}

HWND CreateRowEdit(int id, RECT place, HFONT font, std::size_t limit) {
    HWND edit = CreateChild(g_search.window, WordEdit(place, id, font, limit));
    if (edit) SubclassControl(edit, RowEditProc);
    return edit;
}

// --- building ----------------------------------------------------------------------

void MakeFonts() {
    const WordListDescriptor& d = CurrentWordList();
    g_search.firstFont.Reset(CreateScaledFont(kWordFontPoints, FW_NORMAL, kDefaultWordFace, d.firstCharset));
    g_search.secondFont.Reset(CreateScaledFont(kWordFontPoints, FW_NORMAL, kDefaultWordFace, d.secondCharset));
}

void CreateControls() {
    HWND window = g_search.window;
    const int rows = g_search.rows;
    for (int i = 0; i < rows; ++i) {
        const RECT firstPlace = g_search.minimal ? RECT{5, 5, 215, 25} : RECT{20, 25 + kRowHeight * i, 215, 25};
        const RECT secondPlace = g_search.minimal ? RECT{240, 5, 250, 25} : RECT{255, 25 + kRowHeight * i, 350, 25};
        g_search.first[i] = CreateRowEdit(kSearchFirstRowEdit + i, firstPlace, g_search.firstFont.Get(), kFirstChars);
        g_search.second[i] =
            CreateRowEdit(kSearchSecondRowEdit + i, secondPlace, g_search.secondFont.Get(), kSecondChars);
    }
    const int barLeft = g_search.minimal ? 220 : 235;
    const int barTop = g_search.minimal ? 5 : 25;
    g_search.scrollBar = CreateChild(window, {.kind = L"scrollbar",
                                              .place = {barLeft, barTop, 20, kRowHeight * rows},
                                              .id = kSearchScrollBar,
                                              .style = SBS_VERT});
    const int bottom = kRowHeight * rows + 35;
    g_search.lookUp = CreateLookUpEdit(window, 20, bottom, 215, 25, g_search.firstFont.Get(), !g_search.minimal);
    CreateChild(window, {.kind = L"button",
                         .text = UiText(Ui::Done),
                         .place = {505, bottom, 100, 28},
                         .id = kSearchDone,
                         .font = GuiFont,
                         .hidden = g_search.minimal});
}

PickerLanguage FirstLanguage() { return {CurrentWordList().firstName, CurrentWordList().firstCharset}; }
PickerLanguage SecondLanguage() { return {CurrentWordList().secondName, CurrentWordList().secondCharset}; }

// --- the clipboard -----------------------------------------------------------------

void FollowClipboard(bool follow) {
    if (follow == g_search.following) return;
    g_search.following = follow;
    if (follow) {
        // Joining reports the clipboard as it is; only what is copied later is looked up.
        g_search.joiningViewers = true;
        g_search.nextViewer = SetClipboardViewer(g_search.window);
        g_search.joiningViewers = false;
    } else {
        ChangeClipboardChain(g_search.window, g_search.nextViewer);
        g_search.nextViewer = nullptr;
    }
}

void LookUpClipboard(HWND window) {
    // A copy made in this window is no look-up. A minimized window counts as inactive
    // even where the system leaves it the foreground window.
    if (g_search.joiningViewers || (GetForegroundWindow() == window && !IsIconic(window))) return;
    const auto text = ReadClipboardText(window, CurrentWordList().firstCodePage, kClipboardLookUpChars);
    if (!text) return;
    SetWindowTextW(g_search.lookUp, text->c_str());
    ShowWindow(window, SW_RESTORE);
}

LRESULT OnDrawClipboard(HWND window, WPARAM wParam, LPARAM lParam) {
    LookUpClipboard(window);
    if (g_search.nextViewer) SendMessageW(g_search.nextViewer, WM_DRAWCLIPBOARD, wParam, lParam);
    return 0;
}

LRESULT OnChangeClipboardChain(WPARAM wParam, LPARAM lParam) {
    if (reinterpret_cast<HWND>(wParam) == g_search.nextViewer)
        g_search.nextViewer = reinterpret_cast<HWND>(lParam);
    else if (g_search.nextViewer)
        SendMessageW(g_search.nextViewer, WM_CHANGECBCHAIN, wParam, lParam);
    return 0;
}

// --- commands ----------------------------------------------------------------------

void ShowPicker(HWND window, bool show) {
    g_search.pickerShown = show;
    ShowPickerFromMenu(window, kSearchShowPicker, kSearchHidePicker, show);
}

void SetClipboardFollowing(HWND window, bool follow) {
    if (follow == g_search.following) return;
    if (follow)
        CheckMenuPair(GetMenu(window), kSearchFollowClipboard, kSearchIgnoreClipboard);
    else
        CheckMenuPair(GetMenu(window), kSearchIgnoreClipboard, kSearchFollowClipboard);
    AppSettings.clipSearch = follow ? 1 : 0;
    FollowClipboard(follow);
}

void SortIfChanged() {
    if (!g_listChanged) return;
    SortAndReport();
    g_listChanged = false;
}

void Resize(HWND window, int id) {
    AppSettings.searchWindowMinimal = id == kSearchMinimalSize ? 1 : 0;
    AppSettings.searchWindowSize = id == kSearchMinimalSize ? 1 : id - kSearchMinimalSize;
    CloseCharacterPicker();
    g_search.recreating = true;
    DestroyWindow(window);
    if (!CreateSearchWindow()) {
        // Without the new window the user would be left with none.
        EndToolWindow();
    }
}

void GiveEditsTheFonts() {
    for (int i = 0; i < g_search.rows; ++i) {
        SetChildFont(g_search.first[i], g_search.firstFont.Get());
        SetChildFont(g_search.second[i], g_search.secondFont.Get());
    }
    SetChildFont(g_search.lookUp, g_search.firstFont.Get());
}

void SwitchWordList(HWND window, int id) {
    SortIfChanged();
    WordListDescriptor* d = WordListOfCommand(id);
    if (!d) return;
    if (!SelectWordList(*d, window)) {
        FillRows(g_search.top);
        return;
    }
    MakeFonts();
    SetPickerLanguage(FirstLanguage());
    GiveEditsTheFonts();
    SetFocus(g_search.lookUp);
    if (g_search.pickerShown) {
        RecreateCharacterPicker();
        SetFocus(g_search.lookUp);
    }
    InvalidateRect(window, nullptr, TRUE);
    ClearRows();
    SetWindowTextW(g_search.lookUp, L"");
    SetScrollRangeForList();
    MoveTo(0);
}

void Finish(HWND window) {
    SetPickerTarget(nullptr);
    CloseCharacterPicker();
    SortIfChanged();
    DestroyWindow(window);
}

void OnEditNotification(int id, WORD code, LPARAM lParam) {
    if (id == kLookUpEditId) {
        if (code == EN_UPDATE) LookUp();
        if (code == kKeyNotification) OnTableKey(NotifiedKey(lParam));
        if (code == EN_SETFOCUS) PickerFollowsEdit(g_search.lookUp, FirstLanguage(), g_search.pickerShown);
        return;
    }
    if (code != EN_SETFOCUS) return;
    const int row = id >= kSearchSecondRowEdit ? id - kSearchSecondRowEdit : id - kSearchFirstRowEdit;
    if (row < 0 || row >= g_search.rows) return;
    if (id >= kSearchSecondRowEdit)
        PickerFollowsEdit(g_search.second[row], SecondLanguage(), g_search.pickerShown);
    else
        PickerFollowsEdit(g_search.first[row], FirstLanguage(), g_search.pickerShown);
}

// --- messages ----------------------------------------------------------------------

LRESULT OnCreate(HWND window) {
    g_search.window = window;
    MakeFonts();
    g_search.liveMenu.Reset(CreateRowMenu(false));
    g_search.markedMenu.Reset(CreateRowMenu(true));
    CreateControls();
    SetScrollRangeForList();
    MoveTo(0);
    SetPickerHost(window);
    SetPickerTarget(g_search.lookUp);
    SetPickerLanguage(FirstLanguage());
    SetFocus(g_search.lookUp);
    if (AppSettings.clipSearch == 1) FollowClipboard(true);
    return 0;
}

// The key takes the row whose edit has the focus, else the first row: the entry the
// look-up found.
void CaptureFocusedRow(HWND window) {
    const RowOf at = FindRow(GetFocus());
    CaptureEntry(window, g_search.top + (at.row >= 0 ? at.row : 0));
}

LRESULT OnCommand(HWND window, WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    if (id >= kSearchMinimalSize && id <= kSearchLargestSize) {
        Resize(window, id);
        return 0;
    }
    if (WordListOfCommand(id)) {
        SwitchWordList(window, id);
        return 0;
    }
    switch (id) {
    case kSearchDone: if (code == BN_CLICKED) Finish(window); break;
    case kSearchShowPicker: ShowPicker(window, true); break;
    case kSearchHidePicker: ShowPicker(window, false); break;
    case kSearchFollowClipboard: SetClipboardFollowing(window, true); break;
    case kSearchIgnoreClipboard: SetClipboardFollowing(window, false); break;
    case kSearchCapture: CaptureFocusedRow(window); break;
    default: OnEditNotification(id, code, lParam); break;
    }
    return 0;
}

LRESULT OnVScroll(WPARAM wParam, LPARAM lParam) {
    if (reinterpret_cast<HWND>(lParam) != g_search.scrollBar) return 0;
    const int thumb = ThumbPosition(g_search.scrollBar, wParam);
    MoveIfChanged(TopAfterScroll(g_search.top, LOWORD(wParam), thumb, WordCount, g_search.rows));
    return 0;
}

LRESULT OnRightButtonDown(HWND window, LPARAM lParam) {
    TrackLanguageMenu(window, lParam);
    return 0;
}

LRESULT OnActivate(WPARAM wParam) {
    if (LOWORD(wParam) != WA_INACTIVE) FocusPickerTarget();
    return 0;
}

LRESULT OnPaint(HWND window) {
    LayoutPaint paint(window);
    PaintSearchWindow(paint.Dc(), paint.Client(), g_search.rows);
    return 0;
}

// The wheel moves the rows as the arrow keys do, a page at most a notch.
LRESULT OnMouseWheel(WPARAM wParam) {
    MoveIfChanged(TopAfterWheel(g_search.top, WheelEntries(wParam, g_search.rows), WordCount, g_search.rows));
    return 0;
}

LRESULT OnDestroy() {
    LeavePickerHost();
    FollowClipboard(false);
    return 0;
}

LRESULT CALLBACK SearchWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: return OnCreate(window);
    case WM_COMMAND: return OnCommand(window, wParam, lParam);
    case WM_VSCROLL: return OnVScroll(wParam, lParam);
    case WM_MOUSEWHEEL: return OnMouseWheel(wParam);
    case WM_RBUTTONDOWN: return OnRightButtonDown(window, lParam);
    case WM_ACTIVATE: return OnActivate(wParam);
    case WM_PAINT: return OnPaint(window);
    case WM_DRAWCLIPBOARD: return OnDrawClipboard(window, wParam, lParam);
    case WM_CHANGECBCHAIN: return OnChangeClipboardChain(wParam, lParam);
    case WM_CLOSE: Finish(window); return 0;
    case WM_DESTROY: return OnDestroy();
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

constexpr ACCEL kSearchKeys[] = {{FCONTROL | FVIRTKEY, kCaptureKey, kSearchCapture}};

// The size follows the layout and the number of rows, set at every opening.
ToolWindowTraits g_searchTraits{
    .className = kSearchWindowClass,
    .caption = Ui::SearchCaption,
    .makeMenu = [] { return CreateSearchMenuBar(g_search.rows, g_search.minimal, AppSettings.clipSearch == 1); },
    .savedPosition = &AppSettings.search,
    .procedure = SearchWindowProc,
    .clearState = [] { g_search = {}; },
    .beingReplaced = [] { return g_search.recreating; },
    .accelerators = kSearchKeys,
};

HWND CreateSearchWindow() {
    g_search = {};
    g_search.minimal = AppSettings.searchWindowMinimal == 1;
    g_search.rows = g_search.minimal ? 1 : ClampRowCount(AppSettings.searchWindowSize);
    g_searchTraits.width = g_search.minimal ? 500 : 630;
    g_searchTraits.height = kRowHeight * g_search.rows + (g_search.minimal ? 20 : 80);
    return OpenToolWindowFrame(g_searchTraits);
}

}  // namespace

HWND SearchWindow() { return g_search.window; }

HWND OpenSearchWindow() {
    // Every earlier window sorted what it changed before it closed.
    g_listChanged = false;
    return CreateSearchWindow();
}
