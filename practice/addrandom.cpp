#include "practice/addrandom.h"

#include <cwchar>

#include "app/controls.h"
#include "app/drawing.h"
#include "app/fonts.h"
#include "app/toolwindow.h"
#include "practice/maker.h"
#include "store/practicelists.h"
#include "store/records.h"
#include "text/uistrings.h"
#include "win/handles.h"
#include "win/subclass.h"

namespace {

constexpr int kWidth = 325;
constexpr int kHeight = 145;
constexpr std::size_t kNumberChars = 9;

struct AddRandomState {
    HWND window = nullptr;
    HWND number = nullptr;
    bool emptyFirst = true;
};
AddRandomState g_random;

// Enter accepts; unlike the other fields this one still lets the key through.
LRESULT CALLBACK NumberProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN && wParam == VK_RETURN) {
        NotifyParent(edit, kKeyNotification, wParam);
        // An accepted number has closed the window, this field with it.
        if (!IsWindow(edit)) return 0;
    }
    return CallPreviousProc(edit, message, wParam, lParam);
}

HWND CreateButton(HWND window, int id, const wchar_t* text, RECT place, DWORD style = 0) {
    return CreateChild(window,
                       {.kind = L"button", .text = text, .place = place, .id = id, .font = GuiFont, .style = style});
}

void Accept(HWND window) {
    const int count = AcceptedWordCount(EditText(g_random.number, kNumberChars), WordCount);
    if (count == 0) {
        SetWindowTextW(g_random.number, L"");
        return;
    }
    AppendRandomWords(count, g_random.emptyFirst);
    RefreshPracticeView();
    DestroyWindow(window);
}

void FlipEmptyFirst(HWND window) {
    g_random.emptyFirst = !g_random.emptyFirst;
    CheckDlgButton(window, kAddRandomEmptyFirst, g_random.emptyFirst ? BST_CHECKED : BST_UNCHECKED);
    SetFocus(g_random.number);
}

LRESULT OnCreate(HWND window) {
    g_random.window = window;
    HWND box =
        CreateButton(window, kAddRandomEmptyFirst, UiText(Ui::CreateListDelOldlist), {5, 5, 300, 30}, BS_CHECKBOX);
    SendMessageW(box, BM_SETCHECK, BST_CHECKED, 0);
    CreateButton(window, kAddRandomCancel, UiText(Ui::Cancel), {220, 80, 80, 25});
    CreateButton(window, kAddRandomOk, UiText(Ui::OK), {120, 80, 80, 25});
    g_random.number = CreateChild(window, {.kind = L"edit",
                                           .place = {5, 80, 90, 25},
                                           .id = kAddRandomNumber,
                                           .font = GuiFont,
                                           .style = WS_BORDER | ES_AUTOHSCROLL,
                                           .exStyle = WS_EX_CLIENTEDGE,
                                           .limit = kNumberChars});
    if (g_random.number) SubclassControl(g_random.number, NumberProc);
    SetFocus(g_random.number);
    return 0;
}

LRESULT OnCommand(HWND window, WPARAM wParam) {
    const WORD notification = HIWORD(wParam);
    switch (LOWORD(wParam)) {
    case kAddRandomCancel: if (notification == BN_CLICKED) DestroyWindow(window); break;
    case kAddRandomOk: if (notification == BN_CLICKED) Accept(window); break;
    case kAddRandomEmptyFirst: FlipEmptyFirst(window); break;
    case kAddRandomNumber: if (notification == kKeyNotification) Accept(window); break;
    default: break;
    }
    return 0;
}

LRESULT OnPaint(HWND window) {
    LayoutPaint paint(window);
    PaintAddRandom(paint.Dc(), WordCount);
    return 0;
}

LRESULT OnDestroy() {
    AddRandomWindowClosed();
    return 0;
}

LRESULT CALLBACK AddRandomProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: return OnCreate(window);
    case WM_COMMAND: return OnCommand(window, wParam);
    case WM_ACTIVATE: if (LOWORD(wParam) != WA_INACTIVE) SetFocus(g_random.number); return 0;
    case WM_PAINT: return OnPaint(window);
    case WM_DESTROY: return OnDestroy();
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

const ToolWindowTraits kAddRandomTraits{
    .className = kAddRandomClass,
    .caption = Ui::CreateListAddRandomNumber,
    .width = kWidth,
    .height = kHeight,
    .clientHeight = false,
    .style = WS_CAPTION | WS_SYSMENU,
    .procedure = AddRandomProc,
    .clearState = [] { g_random = {}; },
    .role = WindowRole::Helper,
};

}  // namespace

int AcceptedWordCount(const std::wstring& typed, int wordCount) {
    const long n = std::wcstol(typed.c_str(), nullptr, 10);
    return n > 0 && n <= wordCount ? static_cast<int>(n) : 0;
}

std::wstring AddRandomPrompt(int wordCount) {
    return std::wstring(UiText(Ui::CreateListNumberWords)) + L" " + std::to_wstring(wordCount) + L") ?";
}

void PaintAddRandom(HDC dc, int wordCount) {
    SelectionScope font(dc, GuiFont);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    const std::wstring prompt = AddRandomPrompt(wordCount);
    RECT rect{7, 43, 320, 60};
    DrawLabel(dc, prompt.c_str(), rect, DT_WORDBREAK);
}

HWND OpenAddRandom() {
    g_random = {};
    return OpenToolWindowFrame(kAddRandomTraits);
}

void CloseAddRandomWindow() {
    if (g_random.window) DestroyWindow(g_random.window);
}
