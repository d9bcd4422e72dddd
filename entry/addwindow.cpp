#include "entry/addwindow.h"

#include <array>
#include <string>

#include "app/controls.h"
#include "app/drawing.h"
#include "app/fonts.h"
#include "app/globals.h"
#include "app/help.h"
#include "app/settings.h"
#include "app/toolwindow.h"
#include "entry/addwords.h"
#include "entry/importwords.h"
#include "entry/picker.h"
#include "store/catalogue.h"
#include "store/records.h"
#include "text/translations.h"
#include "text/uistrings.h"
#include "win/dpi.h"
#include "win/handles.h"
#include "win/messages.h"
#include "win/subclass.h"

namespace {

constexpr int kWidth = 630;
constexpr int kClientHeight = 205;
constexpr int kEditFontPoints = 17;
constexpr COLORREF kHintColour = RGB(30, 30, 230);
constexpr RECT kHintRect{15, 166, 400, 210};
constexpr RECT kCounterRect{15, 146, 400, 166};
constexpr RECT kFirstNameRect{15, 10, 620, 65};
constexpr RECT kSecondNameRect{15, 80, 620, 114};

struct AddWindowState {
    HWND window = nullptr;
    HWND firstEdit = nullptr;
    HWND secondEdit = nullptr;
    UniqueFont firstFont;
    UniqueFont secondFont;
    AddSession session;
    bool pickerShown = false;
};
AddWindowState g_add;

// --- the edits ---------------------------------------------------------------------

// Enter confirms instead of beeping; every key release is told too, for the comma rule.
LRESULT CALLBACK EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN && wParam == VK_RETURN) {
        NotifyParent(edit, kKeyNotification, wParam);
        return 0;
    }
    if (message >= WM_KEYFIRST && message <= WM_KEYLAST && wParam == VK_RETURN) return 0;
    if (message == WM_KEYUP) NotifyParent(edit, kKeyReleaseNotification, wParam);
    return CallPreviousProc(edit, message, wParam, lParam);
}

HWND CreateEdit(HWND window, int id, HFONT font, std::size_t limit, int top) {
    HWND edit = CreateChild(window, WordEdit({15, top, 595, 35}, id, font, limit));
    if (edit) SubclassControl(edit, EditProc);
    return edit;
}

void CreateButton(HWND window, int id, Ui text, int left) {
    CreateChild(window, {.kind = L"button", .text = UiText(text), .place = {left, 150, 100, 30}, .id = id, .font = GuiFont});
}

// --- the steps ---------------------------------------------------------------------

bool RefuseComma(const std::wstring& first) {
    if (first.find(L',') == std::wstring::npos) return false;
    ShowMessage(g_add.window, UiText(Ui::AddNocomma), UiText(Ui::Error), MB_ICONWARNING);
    return true;
}

PickerLanguage FirstLanguage() { return {CurrentWordList().firstName, CurrentWordList().firstCharset}; }
PickerLanguage SecondLanguage() { return {CurrentWordList().secondName, CurrentWordList().secondCharset}; }

// Runs on every change of the first edit, however it came (typed, pasted, picked from
// the character picker or an input method), so the second edit always shows what the
// list holds for the word: Enter never replaces translations the user did not see.
void LiveLookUp() {
    const std::wstring typed = EditText(g_add.firstEdit, kFirstWordChars);
    CurrentEntry.first = typed;
    if (typed.empty() || typed.find(L',') != std::wstring::npos) return;
    const std::optional<std::wstring> translation = LookUpTranslation(g_add.session, typed);
    SetWindowTextW(g_add.secondEdit, translation ? translation->c_str() : L"");
}

void ConfirmFirstWord() {
    std::wstring first = EditText(g_add.firstEdit, kFirstWordChars);
    if (first.empty()) return;
    first = TrimSpaces(first);
    SetWindowTextW(g_add.firstEdit, first.c_str());
    CurrentEntry.first = first;
    if (RefuseComma(first) || first.empty()) return;
    SetFocus(g_add.secondEdit);
}

void RedrawCounter() {
    WindowDc dc(g_add.window);
    if (!dc) return;
    LayoutDc layout(dc.Get(), WindowDpi(g_add.window));
    RECT rect = kCounterRect;
    FillRect(dc.Get(), &rect, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
    PaintAddWindow(dc.Get(), LayoutClientRect(g_add.window), g_add.session.addedCount);
}

void StoreThePair() {
    const std::wstring first = TrimSpaces(EditText(g_add.firstEdit, kFirstWordChars));
    if (first.empty()) return;
    const std::wstring second = TrimSpaces(EditText(g_add.secondEdit, kSecondWordChars));
    if (second.empty()) return;
    SetWindowTextW(g_add.secondEdit, second.c_str());
    if (first.find(L',') != std::wstring::npos) {
        SetFocus(g_add.firstEdit);
        RefuseComma(first);
        return;
    }
    SetWindowTextW(g_add.firstEdit, L"");
    SetWindowTextW(g_add.secondEdit, L"");
    if (StorePair(g_add.session, first, second) == StoreOutcome::Nothing) return;
    SetFocus(g_add.firstEdit);
    RedrawCounter();
}

void FirstEditFocused() { PickerFollowsEdit(g_add.firstEdit, FirstLanguage(), g_add.pickerShown); }

void SecondEditFocused() {
    const std::wstring first = EditText(g_add.firstEdit, kFirstWordChars);
    if (first.find(L',') != std::wstring::npos) {
        // The focus goes back first, so closing the message does not land here again.
        SetFocus(g_add.firstEdit);
        RefuseComma(first);
        return;
    }
    const int length = GetWindowTextLengthW(g_add.secondEdit);
    SendMessageW(g_add.secondEdit, EM_SETSEL, length, length);
    PickerFollowsEdit(g_add.secondEdit, SecondLanguage(), g_add.pickerShown);
}

void ShowPicker(HWND window, bool show) {
    g_add.pickerShown = show;
    ShowPickerFromMenu(window, kAddShowPicker, kAddHidePicker, show);
}

void ToggleAddToPracticeList(HWND window) {
    HMENU menu = GetMenu(window);
    const bool checked = (GetMenuState(menu, kAddAddToPracticeList, MF_BYCOMMAND) & MF_CHECKED) != 0;
    CheckMenuItem(menu, kAddAddToPracticeList, MF_BYCOMMAND | (checked ? MF_UNCHECKED : MF_CHECKED));
    AppSettings.addNewWordsToList = checked ? 0 : 1;
    g_add.session.addToPracticeList = !checked;
}

// The import rewrites both lists sorted: what this window appended is sorted first, so
// a cancelled import leaves nothing unsorted behind, and the window starts afresh after it.
void Import(HWND window) {
    SortChangedLists(g_add.session);
    ImportWords(window);
    const int added = g_add.session.addedCount;
    g_add.session = BeginAddSession(g_add.session.addToPracticeList);
    g_add.session.addedCount = added;
    g_add.session.messageOwner = window;
    LiveLookUp();
}

void Close(HWND window) {
    SortChangedLists(g_add.session);
    DestroyWindow(window);
}

// --- messages ----------------------------------------------------------------------

LRESULT OnCreate(HWND window) {
    g_add.window = window;
    const WordListDescriptor& d = CurrentWordList();
    g_add.firstFont.Reset(CreateScaledFont(kEditFontPoints, FW_NORMAL, kDefaultWordFace, d.firstCharset));
    g_add.secondFont.Reset(CreateScaledFont(kEditFontPoints, FW_NORMAL, kDefaultWordFace, d.secondCharset));
    CreateButton(window, kAddDone, Ui::Done, 510);
    CreateButton(window, kAddHelp, Ui::Help, 400);
    g_add.firstEdit = CreateEdit(window, kAddFirstEdit, g_add.firstFont.Get(), kFirstWordChars, 35);
    g_add.secondEdit = CreateEdit(window, kAddSecondEdit, g_add.secondFont.Get(), kSecondWordChars, 105);
    g_add.session.messageOwner = window;
    SetPickerHost(window);
    SetPickerTarget(g_add.firstEdit);
    SetPickerLanguage(FirstLanguage());
    SetFocus(g_add.firstEdit);
    return 0;
}

void OnEditCommand(int id, WORD notification) {
    if (id == kAddFirstEdit) {
        if (notification == EN_CHANGE) LiveLookUp();
        if (notification == kKeyReleaseNotification) RefuseComma(EditText(g_add.firstEdit, kFirstWordChars));
        if (notification == kKeyNotification) ConfirmFirstWord();
        if (notification == EN_SETFOCUS) FirstEditFocused();
    } else if (id == kAddSecondEdit) {
        if (notification == kKeyNotification) StoreThePair();
        if (notification == EN_SETFOCUS) SecondEditFocused();
    }
}

LRESULT OnCommand(HWND window, WPARAM wParam) {
    const int id = LOWORD(wParam);
    const WORD notification = HIWORD(wParam);
    switch (id) {
    case kAddDone: if (notification == BN_CLICKED) Close(window); break;
    case kAddHelp: if (notification == BN_CLICKED) ShowHelp(window, UiText(Ui::AddHelpkey)); break;
    case kAddShowPicker: ShowPicker(window, true); break;
    case kAddHidePicker: ShowPicker(window, false); break;
    case kAddAddToPracticeList: ToggleAddToPracticeList(window); break;
    case kAddImport: Import(window); break;
    default: OnEditCommand(id, notification); break;
    }
    return 0;
}

LRESULT OnActivate(WPARAM wParam) {
    if (LOWORD(wParam) != WA_INACTIVE) FocusPickerTarget();
    return 0;
}

LRESULT OnPaint(HWND window) {
    LayoutPaint paint(window);
    PaintAddWindow(paint.Dc(), paint.Client(), g_add.session.addedCount);
    return 0;
}

LRESULT OnDestroy() {
    LeavePickerHost();
    return 0;
}

LRESULT CALLBACK AddWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: return OnCreate(window);
    case WM_COMMAND: return OnCommand(window, wParam);
    case WM_ACTIVATE: return OnActivate(wParam);
    case WM_PAINT: return OnPaint(window);
    case WM_CLOSE: Close(window); return 0;
    case WM_DESTROY: return OnDestroy();
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

HMENU CreateAddMenu() {
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, kAddImport, UiText(Ui::MainMenuImport));
    AppendMenuW(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(file), UiText(Ui::MainMenuFile0));
    HMENU picker = CreatePopupMenu();
    AppendMenuW(picker, MF_STRING, kAddShowPicker, UiText(Ui::AddMenuCharset1));
    AppendMenuW(picker, MF_STRING | MF_CHECKED, kAddHidePicker, UiText(Ui::AddMenuCharset2));
    HMENU options = CreatePopupMenu();
    AppendMenuW(options, MF_STRING | (AppSettings.addNewWordsToList == 1 ? MF_CHECKED : MF_UNCHECKED),
                kAddAddToPracticeList, UiText(Ui::AddMenuOptions1));
    AppendMenuW(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(picker), UiText(Ui::AddMenuCharset0));
    AppendMenuW(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(options), UiText(Ui::AddMenuOptions0));
    return bar;
}

const ToolWindowTraits kAddWindowTraits{
    .className = kAddWindowClass,
    .caption = Ui::AddCaption,
    .width = kWidth,
    .height = kClientHeight,
    .makeMenu = CreateAddMenu,
    .savedPosition = &AppSettings.add,
    .procedure = AddWindowProc,
    .clearState = [] { g_add = {}; },
};

}  // namespace

void PaintAddWindow(HDC dc, const RECT& client, int addedCount) {
    DrawTopRule(dc, client);
    SetBkMode(dc, TRANSPARENT);
    SelectionScope font(dc, GuiFont);
    SetTextColor(dc, kHintColour);
    RECT hint = kHintRect;
    // Two lines where a translation needs them, never under the buttons.
    DrawLabel(dc, UiText(Ui::AddConfirm), hint, DT_WORDBREAK);

    SelectObject(dc, ArialBoldFont15);
    const WordListDescriptor& d = CurrentWordList();
    RECT firstName = kFirstNameRect;
    DrawShadowText(dc, firstName, d.firstName.c_str(), DT_SINGLELINE);
    RECT secondName = kSecondNameRect;
    DrawShadowText(dc, secondName, d.secondName.c_str(), DT_SINGLELINE);

    SelectObject(dc, GuiFont);
    SetTextColor(dc, RGB(0, 0, 0));
    const std::wstring counter = std::wstring(UiText(Ui::AddNewentries)) + L": " + std::to_wstring(addedCount);
    RECT counterRect = kCounterRect;
    DrawLabel(dc, counter.c_str(), counterRect, DT_SINGLELINE);
}

HWND AddWindow() { return g_add.window; }

HWND OpenAddWindow() {
    g_add = {};
    g_add.session = BeginAddSession(AppSettings.addNewWordsToList == 1);
    return OpenToolWindowFrame(kAddWindowTraits);
}
