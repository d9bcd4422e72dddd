#include "entry/newlistwindow.h"

#include <algorithm>
#include <array>
#include <string>

#include "app/controls.h"
#include "app/fonts.h"
#include "app/globals.h"
#include "app/toolwindow.h"
#include "entry/newlist.h"
#include "text/charsetnames.h"
#include "text/codepage.h"
#include "text/uistrings.h"
#include "win/dpi.h"
#include "win/messages.h"
#include "win/session.h"

namespace {

constexpr int kWidth = 265;
constexpr int kHeight = 220;
// The buttons end at 185; a wider frame than the one the window was laid out for
// (Windows 10 and later) would cut them off, so the window grows to keep this much.
constexpr int kLeastClientHeight = 193;
constexpr int kMaxNameChars = 99;

constexpr int kLabelId = 45;
constexpr int kNameEditId = 30;
constexpr int kListId = 300;
constexpr int kCreateId = 18;
constexpr int kCancelId = 14;

struct NewListState {
    HWND nameEdit = nullptr;
    HWND localeList = nullptr;
    HWND charsetList = nullptr;
};
NewListState g_newList;

HWND AddControl(HWND window, const wchar_t* kind, const wchar_t* text, DWORD style, DWORD exStyle, RECT place,
                int id) {
    return CreateChild(window, {.kind = kind, .text = text, .place = place, .id = id, .font = GuiFont, .style = style,
                                .exStyle = exStyle});
}

HWND AddList(HWND window, DWORD sorted, int top) {
    return AddControl(window, L"combobox", L"", WS_VSCROLL | CBS_DROPDOWNLIST | sorted, WS_EX_CLIENTEDGE,
                      {20, top, 220, 250}, kListId);
}

void FillLocaleList(HWND list) {
    for (const wchar_t* locale : kNewLanguageLocales)
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(locale));
    const LRESULT chosen = SendMessageW(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                        reinterpret_cast<LPARAM>(kDefaultNewLanguageLocale));
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(chosen), 0);
}

// In the order of the choices: the position picks the character-set number.
void FillCharsetList(HWND list) {
    for (const CharsetName& charset : kOfferedCharsets) {
        const std::wstring name = ToWide(charset.choiceName, UiCodePage());
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
    SendMessageW(list, CB_SETCURSEL, 0, 0);
}

std::wstring NameText() {
    std::array<wchar_t, kMaxNameChars + 1> buffer{};
    GetWindowTextW(g_newList.nameEdit, buffer.data(), static_cast<int>(buffer.size()));
    return buffer.data();
}

std::wstring SelectedLocale() {
    const LRESULT index = SendMessageW(g_newList.localeList, CB_GETCURSEL, 0, 0);
    const LRESULT length = SendMessageW(g_newList.localeList, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (index == CB_ERR || length == CB_ERR) return kDefaultNewLanguageLocale;
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(g_newList.localeList, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

int SelectedCharset() {
    const int charset = CharsetOfChoice(static_cast<int>(SendMessageW(g_newList.charsetList, CB_GETCURSEL, 0, 0)));
    return charset < 0 ? 0 : charset;
}

void Tell(HWND window, const std::wstring& text, UINT icon = MB_ICONWARNING) {
    ShowMessage(window, text.c_str(), UiText(Ui::Lingorix), MB_OK | icon);
}

// The window stays open with the name to correct.
void Refuse(HWND window, const std::wstring& text) {
    Tell(window, text);
    SetFocus(g_newList.nameEdit);
}

const wchar_t* RefusalText(NewLanguageOutcome outcome) {
    switch (outcome) {
    case NewLanguageOutcome::EmptyName: return UiText(Ui::CreateEmptyEnterName);
    case NewLanguageOutcome::NotAllowed: return UiText(Ui::CreateEmptyNotAllowed);
    case NewLanguageOutcome::Exists: return UiText(Ui::CreateEmptyExists);
    case NewLanguageOutcome::LanguageFileFailed: return UiText(Ui::CreateEmptyErrorIni);
    case NewLanguageOutcome::TempFileFailed: return UiText(Ui::CreateEmptyErrorTmp);
    case NewLanguageOutcome::Created: break;
    }
    return L"";
}

void CreateLanguage(HWND window) {
    const NewLanguageReport report = CreateNewLanguage(NameText(), SelectedLocale(), SelectedCharset());
    if (report.outcome == NewLanguageOutcome::Exists) {
        Refuse(window, report.existingName + L"\n\n" + RefusalText(report.outcome));
        return;
    }
    if (report.outcome != NewLanguageOutcome::Created) {
        Refuse(window, RefusalText(report.outcome));
        return;
    }
    for (int i = 0; i < report.wordListsNotCreated; ++i) Tell(window, UiText(Ui::CreateEmptyErrorDatabase));
    if (!report.iconWritten) Tell(window, UiText(Ui::CreateEmptyIcon));
    Tell(window, UiText(Ui::CreateEmptyCreated), MB_ICONINFORMATION);
    DestroyWindow(window);
}

void OnCreate(HWND window) {
    AddControl(window, L"static", UiText(Ui::CreateEmptyName), 0, 0, {20, 10, 200, 15}, kLabelId);
    g_newList.nameEdit = AddControl(window, L"edit", L"", WS_BORDER, WS_EX_CLIENTEDGE, {20, 25, 220, 25}, kNameEditId);
    SendMessageW(g_newList.nameEdit, EM_LIMITTEXT, kMaxNameChars, 0);
    AddControl(window, L"static", UiText(Ui::CreateEmptyLocale), 0, 0, {20, 60, 300, 15}, kLabelId);
    g_newList.localeList = AddList(window, CBS_SORT, 75);
    FillLocaleList(g_newList.localeList);
    AddControl(window, L"static", UiText(Ui::CreateEmptyCharset), 0, 0, {20, 110, 300, 15}, kLabelId);
    g_newList.charsetList = AddList(window, 0, 125);
    FillCharsetList(g_newList.charsetList);
    AddControl(window, L"button", UiText(Ui::CreateEmptyCreate), 0, 0, {20, 160, 80, 25}, kCreateId);
    AddControl(window, L"button", UiText(Ui::Cancel), 0, 0, {160, 160, 80, 25}, kCancelId);
}

void OnCommand(HWND window, WPARAM wParam) {
    if (HIWORD(wParam) != BN_CLICKED) return;
    if (LOWORD(wParam) == kCreateId) CreateLanguage(window);
    if (LOWORD(wParam) == kCancelId) DestroyWindow(window);
}

// The labels stand on the window's grey, not in boxes of the system's button colour,
// which is lighter than it on Windows since version 6.
LRESULT OnStaticColour(HWND window, WPARAM wParam, LPARAM lParam) {
    if (GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) != kLabelId)
        return DefWindowProcW(window, WM_CTLCOLORSTATIC, wParam, lParam);
    SetBkColor(reinterpret_cast<HDC>(wParam), RGB(192, 192, 192));
    return reinterpret_cast<LRESULT>(GetStockObject(LTGRAY_BRUSH));
}

LRESULT CALLBACK NewWordListWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: OnCreate(window); return 0;
    case WM_COMMAND: OnCommand(window, wParam); return 0;
    case WM_CTLCOLORSTATIC: return OnStaticColour(window, wParam, lParam);
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

// In layout pixels, for the frame the system draws at the DPI the program started at.
int WindowHeight() {
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
    const UINT dpi = SystemDpi();
    const int frameHeight = MulDiv(frame.bottom - frame.top, static_cast<int>(kLayoutDpi), static_cast<int>(dpi));
    // Rounded up, so the scaled window never falls a pixel short.
    const int roundedUp = frameHeight + (Scaled(frameHeight, dpi) < frame.bottom - frame.top ? 1 : 0);
    return std::max(kHeight, kLeastClientHeight + roundedUp);
}

// At another DPI the frame is drawn at another size than the one the height was made
// for: the window grows where its client area would cut the buttons off.
void KeepRoomForTheButtons(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    const int missing = Scaled(kLeastClientHeight, WindowDpi(window)) - client.bottom;
    if (missing <= 0) return;
    RECT outer{};
    GetWindowRect(window, &outer);
    SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top + missing,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

HWND OpenNewWordListWindow() {
    // Made at opening: the frame's size depends on the system's metrics.
    static ToolWindowTraits traits;
    traits = {.className = kNewWordListClass,
            .caption = Ui::CreateEmptyCaption,
            .width = kWidth,
            .height = WindowHeight(),
            .clientHeight = false,
            .style = WS_OVERLAPPEDWINDOW,
            .procedure = NewWordListWindowProc,
            .clearState = [] { g_newList = {}; },
            .dpiChanged = KeepRoomForTheButtons};
    g_newList = {};
    HWND window = OpenToolWindowFrame(traits);
    if (window) SetFocus(g_newList.nameEdit);
    return window;
}
