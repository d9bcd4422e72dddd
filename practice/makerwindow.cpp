#include <windowsx.h>

#include <algorithm>
#include <string>

#include "app/controls.h"
#include "app/drawing.h"
#include "app/fonts.h"
#include "app/globals.h"
#include "app/settings.h"
#include "app/toolwindow.h"
#include "lookup/capturing.h"
#include "lookup/lookupedit.h"
#include "practice/addrandom.h"
#include "practice/maker.h"
#include "practice/makerstate.h"
#include "practice/printing.h"
#include "practice/rowscroll.h"
#include "practice/updating.h"
#include "store/catalogue.h"
#include "store/practicelists.h"
#include "store/records.h"
#include "text/uistrings.h"
#include "win/dpi.h"
#include "win/handles.h"
#include "win/scrolling.h"
#include "win/subclass.h"

namespace {

constexpr int kWidth = 605;
constexpr int kClientHeight = 355;
constexpr int kWordFontPoints = 11;
constexpr COLORREF kShade = RGB(224, 224, 224);
constexpr COLORREF kGreen = RGB(0, 128, 0);
// The practice column lies left of the green rule, the word column right of it.
constexpr int kColumnsApart = 210;

MakerState g_maker;

// --- controls ----------------------------------------------------------------------

bool IsRightClick(UINT message) {
    return message == WM_RBUTTONDOWN || message == WM_RBUTTONUP || message == WM_RBUTTONDBLCLK ||
           message == WM_CONTEXTMENU;
}

// A left click on a row adds or marks. The right button does nothing at all: the
// edit's own menu would take the focus, which runs the row's action, and could paste
// text into the row. The wheel scrolls the column, which a one-line edit would not.
LRESULT CALLBACK RowProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsRightClick(message)) return 0;
    if (message == WM_MOUSEWHEEL) return SendMessageW(GetParent(edit), message, wParam, lParam);
    return CallPreviousProc(edit, message, wParam, lParam);
}

HWND CreateRow(HWND window, int id, int left, int row, int width, HFONT font) {
    ChildControl control = WordEdit({left, kRowsTop + kRowStep * row, width, kRowHeight}, id, font, 0, 0);
    // The focus on a row adds or marks its entry: Tab passes the rows by.
    control.tabStop = false;
    HWND edit = CreateChild(window, control);
    if (edit) SubclassControl(edit, RowProc);
    return edit;
}

void CreateButton(HWND window, int id, Ui text, int left, int width) {
    CreateChild(window,
                {.kind = L"button", .text = UiText(text), .place = {left, 305, width, 30}, .id = id, .font = GuiFont});
}

HWND CreateBar(HWND window, int id, int left, int top) {
    return CreateChild(window, {.kind = L"scrollbar", .place = {left, top, 20, 184}, .id = id, .style = SBS_VERT});
}

void CreateControls(HWND window) {
    MakerState& m = g_maker;
    m.practiceBar = CreateBar(window, kMakerPracticeBar, 15, kRowsTop + 1);
    m.wordBar = CreateBar(window, kMakerWordBar, 385, kRowsTop);
    CreateButton(window, kMakerAddAll, Ui::CreateListAddAll, 15, 120);
    CreateButton(window, kMakerRemoveAll, Ui::CreateListRemoveAll, 140, 140);
    CreateButton(window, kMakerAddRandom, Ui::CreateListAddRandom, 285, 125);
    CreateButton(window, kMakerPrint, Ui::CreateListPrint, 415, 80);
    CreateButton(window, kMakerDone, Ui::Done, 500, 84);
    for (int k = 0; k < kMakerRows; ++k)
        m.practiceRows[k] = CreateRow(window, kMakerFirstPracticeRow + k, 35, k, 160, m.firstFont.Get());
    for (int k = 0; k < kMakerRows; ++k)
        m.firstRows[k] = CreateRow(window, kMakerFirstWordRow + k, 225, k, 160, m.firstFont.Get());
    for (int k = 0; k < kMakerRows; ++k)
        m.secondRows[k] = CreateRow(window, kMakerFirstWordRow + k, 405, k, 180, m.secondFont.Get());
    m.search = CreateLookUpEdit(window, 225, 250, 160, 25, m.firstFont.Get(), true);
}

HMENU CreateMakerMenu() {
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, kMakerNewList, UiText(Ui::CreatePLMenuFile1));
    AppendMenuW(file, MF_STRING, kMakerDeleteList, UiText(Ui::CreatePLMenuFile2));
    AppendMenuW(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(file), UiText(Ui::CreatePLMenuFile0));
    return bar;
}

// --- steps -------------------------------------------------------------------------

void Close(HWND window) {
    // A dialog of the maker's own is up (the print dialog, the new-list dialog, a
    // message); closing from outside, as from the taskbar, waits for it.
    if (!IsWindowEnabled(window)) return;
    CloseAddRandomWindow();
    if (g_maker.updateNeeded) {
        UpdatePracticeList();
        g_maker.updateNeeded = false;
    }
    DestroyWindow(window);
}

void AddOrEmpty(int id, WORD notification) {
    if (notification == BN_CLICKED) {
        if (id == kMakerAddAll)
            CopyWordListToPracticeList();
        else
            EmptyPracticeList();
    }
    RefreshPracticeView();
    FocusMakerSearch();
}

void Print() {
    if (PracticeCount > 0) PrintPracticeList(g_maker.window);
}

void AddRandom() {
    if (g_maker.addRandom) {
        BringWindowToTop(g_maker.addRandom);
        return;
    }
    g_maker.addRandom = OpenAddRandom();
}

// --- messages ----------------------------------------------------------------------

LRESULT OnCreate(HWND window) {
    MakerState& m = g_maker;
    m.window = window;
    DrawMenuBar(window);
    const WordListDescriptor& d = CurrentWordList();
    m.firstFont.Reset(CreateScaledFont(kWordFontPoints, FW_NORMAL, kDefaultWordFace, d.firstCharset));
    m.secondFont.Reset(CreateScaledFont(kWordFontPoints, FW_NORMAL, kDefaultWordFace, d.secondCharset));
    CreateControls(window);
    SetFocus(m.search);
    SetScrollRange(m.wordBar, SB_CTL, 0, WordScrollRange(WordCount), FALSE);
    m.listCount = std::max(CountPracticeLists(), 0);
    if (m.listCount > 0) {
        BuildListsMenu(window);
        if (CurrentPracticeList.empty() && SelectFirstPracticeList() == kFirstListCommand) {
            CheckMenuItem(m.listsMenu, kFirstListCommand, MF_BYCOMMAND | MF_CHECKED);
            CurrentListId = kFirstListCommand;
        }
    } else {
        EnableMenuItem(GetMenu(window), kMakerDeleteList, MF_BYCOMMAND | MF_GRAYED);
    }
    ClosePracticeListFile();
    OpenPracticeListFile();
    CountPracticeRecords();
    // Shown from the list that is current now, which the steps above may have chosen.
    RefreshPracticeView();
    SetMakerCaption();
    return 0;
}

void OnEditCommand(int id, WORD notification) {
    if (id == kMakerSearch) {
        if (notification == EN_UPDATE) SearchTextChanged();
    } else if (notification == EN_SETFOCUS && id >= kMakerFirstWordRow && id < kMakerFirstWordRow + kMakerRows) {
        AddWordOfRow(id - kMakerFirstWordRow);
    } else if (notification == EN_SETFOCUS && id >= kMakerFirstPracticeRow &&
               id < kMakerFirstPracticeRow + kMakerRows) {
        FlipMarkOfRow(id - kMakerFirstPracticeRow);
    }
}

LRESULT OnCommand(HWND window, WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const WORD notification = HIWORD(wParam);
    if (id == kMakerSearch && notification == kKeyNotification) {
        SearchKey(NotifiedKey(lParam));
        return 0;
    }
    switch (id) {
    case kMakerDone: if (notification == BN_CLICKED) Close(window); break;
    case kMakerAddAll:
    case kMakerRemoveAll: AddOrEmpty(id, notification); break;
    case kMakerAddRandom: if (notification == BN_CLICKED) AddRandom(); break;
    case kMakerPrint: if (notification == BN_CLICKED) Print(); break;
    case kMakerNewList: NewPracticeList(); break;
    case kMakerDeleteList: DeleteCurrentPracticeList(); break;
    case kMakerAddFirstWord: AddWordOfRow(0); break;
    default:
        if (id >= kFirstListCommand && id < kFirstListCommand + g_maker.listCount)
            ChoosePracticeList(id);
        else
            OnEditCommand(id, notification);
        break;
    }
    return 0;
}

LRESULT OnVScroll(WPARAM wParam, LPARAM lParam) {
    HWND bar = reinterpret_cast<HWND>(lParam);
    ScrollRows(bar, LOWORD(wParam), ThumbPosition(bar, wParam));
    return 0;
}

// The column under the pointer scrolls, whichever control has the focus.
LRESULT OnMouseWheel(HWND window, WPARAM wParam, LPARAM lParam) {
    POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ScreenToClient(window, &at);
    const bool practiceColumn = Unscaled(at.x, WindowDpi(window)) < kColumnsApart;
    WheelRows(practiceColumn, WheelEntries(wParam, kMakerRows));
    return 0;
}

LRESULT OnActivate(WPARAM wParam) {
    if (LOWORD(wParam) != WA_INACTIVE) FocusMakerSearch();
    return 0;
}

LRESULT OnPaint(HWND window) {
    LayoutPaint paint(window);
    PaintMaker(paint.Dc(), paint.Client());
    return 0;
}

LRESULT OnDestroy() {
    CloseAddRandomWindow();
    return 0;
}

LRESULT CALLBACK MakerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: return OnCreate(window);
    case WM_COMMAND: return OnCommand(window, wParam, lParam);
    case WM_VSCROLL: return OnVScroll(wParam, lParam);
    case WM_MOUSEWHEEL: return OnMouseWheel(window, wParam, lParam);
    case WM_ACTIVATE: return OnActivate(wParam);
    case WM_PAINT: return OnPaint(window);
    case WM_CLOSE: Close(window); return 0;
    case WM_DESTROY: return OnDestroy();
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

void DrawLine(HDC dc, int width, COLORREF colour, POINT from, POINT to) {
    UniquePen pen(CreatePen(PS_SOLID, width, colour));
    SelectionScope selected(dc, pen.Get());
    MoveToEx(dc, from.x, from.y, nullptr);
    LineTo(dc, to.x, to.y);
}

void DrawWrapped(HDC dc, Ui text, RECT rect) { DrawLabel(dc, UiText(text), rect, DT_WORDBREAK); }

// A small tick in the strip between the columns, beside a word the practice list holds.
void DrawMark(HDC dc, int row) {
    const int top = kRowsTop + kRowStep * row;
    UniquePen pen(CreatePen(PS_SOLID, 2, kGreen));
    SelectionScope selected(dc, pen.Get());
    const POINT tick[] = {{kMarkStrip.left + 1, top + 12}, {kMarkStrip.left + 4, top + 16},
                          {kMarkStrip.right - 3, top + 7}};
    Polyline(dc, tick, 3);
}

// Ctrl+D, as in the Search and Translate windows: the word the search field found (the
// first row) goes into the practice list without the mouse.
constexpr ACCEL kMakerKeys[] = {{FCONTROL | FVIRTKEY, kCaptureKey, kMakerAddFirstWord}};

const ToolWindowTraits kMakerTraits{
    .className = kMakerClass,
    .captionText = MakerCaption,
    .width = kWidth,
    .height = kClientHeight,
    .makeMenu = CreateMakerMenu,
    .savedPosition = &AppSettings.makelist,
    .procedure = MakerProc,
    // The lists menu goes with the window's menu bar, the word fonts with the state.
    .clearState = [] { g_maker = {}; },
    .accelerators = kMakerKeys,
};

}  // namespace

MakerState& Maker() { return g_maker; }

HWND PracticeListMaker() { return g_maker.window; }

void FocusMakerSearch() {
    if (g_maker.search) SetFocus(g_maker.search);
}

void AddRandomWindowClosed() {
    g_maker.addRandom = nullptr;
    FocusMakerSearch();
}

void PaintMaker(HDC dc, const RECT& client) {
    SetBkMode(dc, TRANSPARENT);
    DrawTopRule(dc, client);
    DrawLine(dc, 5, kShade, {209, 4}, {209, 284});
    DrawLine(dc, 5, kShade, {1, 284}, {604, 284});
    DrawLine(dc, 5, kGreen, {210, 5}, {210, 285});
    DrawLine(dc, 5, kGreen, {2, 285}, {605, 285});
    SelectionScope font(dc, ArialFont10);
    SetTextColor(dc, RGB(0, 0, 0));
    DrawWrapped(dc, Ui::CreateListClickAdd, {225, 230, 600, 250});
    DrawWrapped(dc, Ui::CreateListClickRemove, {15, 230, 203, 280});
    DrawWrapped(dc, Ui::CreateListAddwords, {225, 13, 600, 30});
    SelectObject(dc, ArialFont15);
    RECT title{0, 10, 208, 32};
    DrawShadowText(dc, title, UiText(Ui::CreateListPracticelist), DT_CENTER | DT_SINGLELINE);
    for (int row = 0; row < kMakerRows; ++row)
        if (g_maker.heldRows[static_cast<std::size_t>(row)]) DrawMark(dc, row);
}

HWND OpenPracticeListMaker() {
    g_maker = {};
    return OpenToolWindowFrame(kMakerTraits);
}
