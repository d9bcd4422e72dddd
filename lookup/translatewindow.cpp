#include "lookup/translatewindow.h"

#include <commdlg.h>

#include <array>
#include <cwchar>
#include <new>
#include <optional>

#include "app/controls.h"
#include "app/drawing.h"
#include "app/fonts.h"
#include "app/globals.h"
#include "app/help.h"
#include "app/lazylibrary.h"
#include "app/menus.h"
#include "app/settings.h"
#include "app/toolwindow.h"
#include "app/wordlists.h"
#include "lookup/capturing.h"
#include "lookup/clipboard.h"
#include "lookup/lookupedit.h"
#include "lookup/textwords.h"
#include "lookup/translaterows.h"
#include "store/catalogue.h"
#include "store/collation.h"
#include "store/records.h"
#include "text/codepage.h"
#include "text/uistrings.h"
#include "win/handles.h"
#include "win/scrolling.h"
#include "win/subclass.h"

namespace {

constexpr int kWidth = 630;
constexpr int kClientHeight = 352;
constexpr int kFontPoints = 11;
constexpr std::size_t kMaxLookUpChars = 37;
constexpr std::size_t kFirstWordChars = 30;
constexpr std::size_t kSecondWordChars = 50;

struct TranslateState {
    HWND window = nullptr;
    HWND pane = nullptr;
    HWND lookUp = nullptr;
    HWND scrollBar = nullptr;
    std::array<HWND, kTranslateRows> firstWords{};
    std::array<HWND, kTranslateRows> secondWords{};
    UniqueFont firstFont;
    UniqueFont secondFont;
    std::wstring text;
    std::wstring lastWord;
    HWND focusTarget = nullptr;
    int topIndex = 0;
    int shownTop = 0;
    std::array<wchar_t, MAX_PATH> fileName{};  // the previous choice is proposed again
};
TranslateState g_translate;

// --- text ---------------------------------------------------------------------------

// The pane shows lines only where CR LF stands; a file with bare line feeds (or bare
// returns) would otherwise show as one long line.
std::wstring WithPaneLineBreaks(const std::wstring& text) {
    std::wstring out;
    out.reserve(text.size() + text.size() / 32);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c == L'\r' || c == L'\n') {
            out += L"\r\n";
            if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
        } else {
            out.push_back(c);
        }
    }
    return out;
}

// The window's copy and the pane always hold the same text: a caret position is only
// meaningful in the text it was taken from.
bool ShowText(HWND pane, const std::wstring& text) {
    try {
        std::wstring shown = WithPaneLineBreaks(text);
        g_translate.text.swap(shown);
    } catch (const std::bad_alloc&) {
        return false;  // the previous text stays, in the pane and here
    }
    SetWindowTextW(pane, g_translate.text.c_str());
    return true;
}

// --- rows ---------------------------------------------------------------------------

void FillRows(int top) {
    for (int i = 0; i < kTranslateRows; ++i) {
        if (ReadWordRecord(top + i) != 0) return;
        SetWindowTextW(g_translate.firstWords[static_cast<std::size_t>(i)], CurrentEntry.first.c_str());
        SetWindowTextW(g_translate.secondWords[static_cast<std::size_t>(i)], CurrentEntry.second.c_str());
    }
}

void MoveTo(int top) {
    top = EndClamp(top, WordCount, kTranslateRows);
    g_translate.topIndex = top;
    FillRows(top);
    SetScrollPos(g_translate.scrollBar, SB_CTL, top / 10, TRUE);
    g_translate.shownTop = top;
}

void MoveIfChanged(int top) {
    if (top != g_translate.shownTop) MoveTo(top);
}

void SetScrollRange() { SetScrollRange(g_translate.scrollBar, SB_CTL, 0, ScrollRangeMax(WordCount, kTranslateRows), FALSE); }

void LookUp() {
    std::array<wchar_t, kMaxLookUpChars + 1> typed{};
    GetWindowTextW(g_translate.lookUp, typed.data(), static_cast<int>(typed.size()));
    MoveIfChanged(FindWordPosition(typed.data()));
}

void TakeWordAtCaret() {
    DWORD start = 0;
    SendMessageW(g_translate.pane, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    const std::wstring word = WordAtCaret(g_translate.text, start);
    if (word.empty() || word == g_translate.lastWord) return;
    g_translate.lastWord = word;
    SetWindowTextW(g_translate.lookUp, word.c_str());
}

void OnLookUpKey(WORD key) {
    if (key == VK_RETURN) {
        SetWindowTextW(g_translate.lookUp, L"");
        return;
    }
    MoveIfChanged(TranslateTopAfterKey(key, g_translate.topIndex, WordCount));
}

// --- controls -----------------------------------------------------------------------

void CreateFonts() {
    const WordListDescriptor& d = CurrentWordList();
    g_translate.firstFont.Reset(CreateScaledFont(kFontPoints, FW_NORMAL, kDefaultWordFace, d.firstCharset));
    g_translate.secondFont.Reset(CreateScaledFont(kFontPoints, FW_NORMAL, kDefaultWordFace, d.secondCharset));
}

void ApplyFonts() {
    for (std::size_t i = 0; i < kTranslateRows; ++i) {
        SetChildFont(g_translate.firstWords[i], g_translate.firstFont.Get());
        SetChildFont(g_translate.secondWords[i], g_translate.secondFont.Get());
    }
    SetChildFont(g_translate.lookUp, g_translate.firstFont.Get());
    SetChildFont(g_translate.pane, g_translate.firstFont.Get());
}

// Clicks and key releases in the text look up the word at the caret.
LRESULT CALLBACK PaneProc(HWND pane, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYUP) NotifyParent(pane, kKeyNotification, wParam);
    if (message == WM_LBUTTONUP) NotifyParent(pane, kKeyNotification, 0);
    return CallPreviousProc(pane, message, wParam, lParam);
}

void CreatePane(HWND window) {
    g_translate.pane = CreateChild(window, {.kind = L"edit",
                                            .place = {20, 115, 586, 180},
                                            .id = kTranslatePane,
                                            .font = g_translate.firstFont.Get(),
                                            .style = WS_BORDER | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY,
                                            .exStyle = WS_EX_CLIENTEDGE});
    if (g_translate.pane) SubclassControl(g_translate.pane, PaneProc);
}

void CreateButton(HWND window, int id, Ui text, int left) {
    CreateChild(window,
                {.kind = L"button", .text = UiText(text), .place = {left, 300, 100, 30}, .id = id, .font = GuiFont});
}

// The wheel over a row scrolls the rows, not the word inside its edit.
LRESULT CALLBACK RowProc(HWND row, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MOUSEWHEEL) return SendMessageW(GetParent(row), message, wParam, lParam);
    return CallPreviousProc(row, message, wParam, lParam);
}

// The rows only show what the look-up found: Tab goes from the text to the look-up
// edit and the buttons without stopping at each of them.
HWND CreateRowEdit(HWND window, int id, RECT place, HFONT font, std::size_t limit) {
    ChildControl control = WordEdit(place, id, font, limit, ES_AUTOHSCROLL | ES_READONLY);
    control.tabStop = false;
    HWND row = CreateChild(window, control);
    if (row) SubclassControl(row, RowProc);
    return row;
}

void CreateRows(HWND window) {
    for (int i = 0; i < kTranslateRows; ++i) {
        const auto row = static_cast<std::size_t>(i);
        g_translate.firstWords[row] = CreateRowEdit(window, kTranslateFirstRow + i, {20, 40 + 23 * i, 215, 25},
                                                    g_translate.firstFont.Get(), kFirstWordChars);
        g_translate.secondWords[row] = CreateRowEdit(window, kTranslateSecondRow + i, {255, 40 + 23 * i, 350, 25},
                                                     g_translate.secondFont.Get(), kSecondWordChars);
    }
}

HMENU CreateTranslateMenu() {
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, kTranslateOpenFile, UiText(Ui::TranslateMenuFile1));
    AppendMenuW(file, MF_STRING, kTranslatePaste, UiText(Ui::TranslateMenuFile2));
    AppendMenuW(file, MF_STRING, kTranslateCapture, UiText(Ui::CaptureMenuItem));
    AppendMenuW(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(file), UiText(Ui::TranslateMenuFile0));
    return bar;
}

// --- commands -----------------------------------------------------------------------

// The data folders are relative to the current directory, which the dialog may move.
void OpenTextFile(HWND window) {
    using OpenFileFunction = BOOL(WINAPI*)(OPENFILENAMEW*);
    const auto getOpenFileName = LazyFunction<OpenFileFunction>(L"comdlg32.dll", "GetOpenFileNameW");
    if (!getOpenFileName) return;
    std::array<wchar_t, 512> title{};
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = window;
    dialog.lpstrFilter = L"Text Files (*.TXT)\0*.txt\0All Files (*.*)\0*.*\0";
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = g_translate.fileName.data();
    dialog.nMaxFile = static_cast<DWORD>(g_translate.fileName.size());
    dialog.lpstrFileTitle = title.data();
    dialog.nMaxFileTitle = static_cast<DWORD>(title.size());
    dialog.lpstrInitialDir = L"C:\\";
    dialog.lpstrDefExt = L"txt";
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    std::array<wchar_t, MAX_PATH> directory{};
    GetCurrentDirectoryW(static_cast<DWORD>(directory.size()), directory.data());
    const BOOL chosen = getOpenFileName(&dialog);
    SetCurrentDirectoryW(directory.data());
    if (chosen && LoadTextFile(g_translate.pane, g_translate.fileName.data())) SetFocus(g_translate.pane);
}

void PasteText() {
    std::optional<std::wstring> text;
    try {
        text = ReadClipboardText(g_translate.window, CurrentWordList().firstCodePage, std::wstring::npos);
    } catch (const std::bad_alloc&) {
        return;
    }
    if (text && ShowText(g_translate.pane, *text)) SetFocus(g_translate.pane);
}

void SwitchWordList(HWND window, int id) {
    WordListDescriptor* chosen = WordListOfCommand(id);
    if (!chosen || !SelectWordList(*chosen, window)) return;
    CreateFonts();
    ApplyFonts();
    InvalidateRect(window, nullptr, TRUE);
    g_translate.shownTop = g_translate.topIndex = 0;
    FillRows(0);
    SetScrollRange();
    SetScrollPos(g_translate.scrollBar, SB_CTL, 0, TRUE);
    g_translate.lastWord.clear();
}

bool IsWordListCommand(int id) { return id >= kCmdFirstWordList && id < kCmdFirstWordList + CatalogueCount(); }

// --- messages -----------------------------------------------------------------------

LRESULT OnCreate(HWND window) {
    g_translate.window = window;
    CreateFonts();
    CreatePane(window);
    CreateButton(window, kTranslateDone, Ui::Done, 505);
    CreateButton(window, kTranslateHelp, Ui::Help, 400);
    g_translate.lookUp = CreateLookUpEdit(window, 20, 300, 215, 25, g_translate.firstFont.Get(), true);
    CreateRows(window);
    g_translate.scrollBar = CreateChild(
        window, {.kind = L"scrollbar", .place = {235, 40, 20, 69}, .id = kTranslateScrollBar, .style = SBS_VERT});
    SetFocus(g_translate.lookUp);
    SetScrollRange();
    g_translate.shownTop = g_translate.topIndex = 0;
    FillRows(0);
    return 0;
}

void OnControl(HWND window, int id, WORD notification, LPARAM lParam) {
    if (id == kLookUpEditId && notification == EN_UPDATE) LookUp();
    if (id == kLookUpEditId && notification == kKeyNotification) OnLookUpKey(NotifiedKey(lParam));
    if (id == kTranslatePane && notification == kKeyNotification) TakeWordAtCaret();
    if (notification == EN_SETFOCUS && (id == kLookUpEditId || id == kTranslatePane))
        g_translate.focusTarget = id == kLookUpEditId ? g_translate.lookUp : g_translate.pane;
    if (id == kTranslateDone && notification == BN_CLICKED) DestroyWindow(window);
    if (id == kTranslateHelp && notification == BN_CLICKED) ShowHelp(window, UiText(Ui::TranslateHelpkey));
}

LRESULT OnCommand(HWND window, WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const WORD notification = HIWORD(wParam);
    if (lParam == 0 && id == kTranslateOpenFile) OpenTextFile(window);
    else if (lParam == 0 && id == kTranslatePaste) PasteText();
    else if (lParam == 0 && id == kTranslateCapture) CaptureEntry(window, g_translate.topIndex);
    else if (lParam == 0 && IsWordListCommand(id)) SwitchWordList(window, id);
    else OnControl(window, id, notification, lParam);
    return 0;
}

LRESULT OnScroll(WPARAM wParam, LPARAM lParam) {
    if (reinterpret_cast<HWND>(lParam) != g_translate.scrollBar) return 0;
    const int thumb = ThumbPosition(g_translate.scrollBar, wParam);
    MoveIfChanged(TranslateTopAfterScroll(LOWORD(wParam), thumb, g_translate.topIndex, WordCount));
    return 0;
}

LRESULT OnRightButton(HWND window, LPARAM lParam) {
    TrackLanguageMenu(window, lParam);
    return 0;
}

LRESULT OnActivate(WPARAM wParam) {
    if (LOWORD(wParam) != WA_INACTIVE && g_translate.focusTarget) SetFocus(g_translate.focusTarget);
    return 0;
}

LRESULT OnPaint(HWND window) {
    LayoutPaint paint(window);
    PaintTranslateHeader(paint.Dc(), paint.Client());
    return 0;
}

// The wheel over the rows moves them as the arrow keys do; the text scrolls itself.
LRESULT OnMouseWheel(WPARAM wParam) {
    MoveIfChanged(TopAfterWheel(g_translate.topIndex, WheelEntries(wParam, kTranslateRows), WordCount, kTranslateRows));
    return 0;
}

LRESULT CALLBACK TranslateWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: return OnCreate(window);
    case WM_COMMAND: return OnCommand(window, wParam, lParam);
    case WM_VSCROLL: return OnScroll(wParam, lParam);
    case WM_MOUSEWHEEL: return OnMouseWheel(wParam);
    case WM_RBUTTONDOWN: return OnRightButton(window, lParam);
    case WM_ACTIVATE: return OnActivate(wParam);
    case WM_PAINT: return OnPaint(window);
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

constexpr ACCEL kTranslateKeys[] = {{FCONTROL | FVIRTKEY, kCaptureKey, kTranslateCapture}};

const ToolWindowTraits kTranslateWindowTraits{
    .className = kTranslateWindowClass,
    .caption = Ui::TranslateCaption,
    .width = kWidth,
    .height = kClientHeight,
    .makeMenu = CreateTranslateMenu,
    .savedPosition = &AppSettings.translate,
    .procedure = TranslateWindowProc,
    .clearState = [] { g_translate = {}; },
    .accelerators = kTranslateKeys,
};

}  // namespace

int LoadTextFile(HWND pane, const std::wstring& path) {
    try {
        std::string bytes;
        if (!ReadFileBytes(path, bytes)) return 0;
        return ShowText(pane, DecodeTextFile(bytes, CurrentWordList().firstCodePage)) ? 1 : 0;
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

void PaintTranslateHeader(HDC dc, const RECT& client) {
    DrawTopRule(dc, client);
    SetBkMode(dc, TRANSPARENT);
    SelectionScope font(dc, ArialBoldFont14);
    const WordListDescriptor& d = CurrentWordList();
    RECT first{20, 10, 235, 40};
    DrawShadowText(dc, first, d.firstName.c_str(), DT_CENTER | DT_SINGLELINE);
    RECT second{255, 10, 605, 40};
    DrawShadowText(dc, second, d.secondName.c_str(), DT_CENTER | DT_SINGLELINE);
}

HWND TranslateWindow() { return g_translate.window; }

HWND OpenTranslateWindow() {
    g_translate = {};
    return OpenToolWindowFrame(kTranslateWindowTraits);
}
