#include "practice/addrandom.h"

#include <cwchar>

#include "app/drawing.h"
#include "app/fonts.h"
#include "lookup/lookupedit.h"
#include "practice/maker.h"
#include "store/practicelists.h"
#include "store/records.h"
#include "text/uistrings.h"
#include "win/handles.h"
#include "win/session.h"
#include "win/subclass.h"
#include "win/windowclass.h"

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

HMENU MenuId(int id) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)); }

// Enter accepts; unlike the other fields this one still lets the key through.
LRESULT CALLBACK NumberProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN && wParam == VK_RETURN) {
        SendMessageW(GetParent(edit), WM_COMMAND, MAKEWPARAM(kAddRandomNumber, kKeyNotification),
                     MAKELPARAM(LOWORD(reinterpret_cast<UINT_PTR>(edit)), VK_RETURN));
        // An accepted number has closed the window, this field with it.
        if (!IsWindow(edit)) return 0;
    }
    return CallPreviousProc(edit, message, wParam, lParam);
}

HWND CreateControl(HWND window, const wchar_t* cls, DWORD exStyle, DWORD style, const wchar_t* text, int id,
                   RECT box) {
    HWND control = CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, box.left, box.top, box.right,
                                   box.bottom, window, MenuId(id), ModuleInstance, nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(GuiFont), FALSE);
    return control;
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
    HWND box = CreateControl(window, L"button", 0, BS_CHECKBOX, UiText(Ui::CreateListDelOldlist),
                             kAddRandomEmptyFirst, {5, 5, 300, 30});
    SendMessageW(box, BM_SETCHECK, BST_CHECKED, 0);
    CreateControl(window, L"button", 0, 0, UiText(Ui::Cancel), kAddRandomCancel, {220, 80, 80, 25});
    CreateControl(window, L"button", 0, 0, UiText(Ui::OK), kAddRandomOk, {120, 80, 80, 25});
    g_random.number = CreateControl(window, L"edit", WS_EX_CLIENTEDGE, WS_BORDER | ES_AUTOHSCROLL, L"",
                                    kAddRandomNumber, {5, 80, 90, 25});
    SendMessageW(g_random.number, EM_SETLIMITTEXT, kNumberChars, 0);
    SubclassControl(g_random.number, NumberProc);
    SetFocus(g_random.number);
    ApplyStayOnTop(window);
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
    PaintScope paint(window);
    PaintAddRandom(paint.Dc(), WordCount);
    return 0;
}

LRESULT OnDestroy() {
    g_random = {};
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
    DrawTextW(dc, prompt.c_str(), -1, &rect, DT_WORDBREAK);
}

HWND OpenAddRandom() {
    RegisterProgramClass(kAddRandomClass, AddRandomProc);
    g_random = {};
    HWND window = CreateWindowExW(0, kAddRandomClass, UiText(Ui::CreateListAddRandomNumber), WS_CAPTION | WS_SYSMENU,
                                  (ScreenWidth - kWidth) / 2, (ScreenHeight - kHeight) / 2, kWidth, kHeight, nullptr,
                                  nullptr, ModuleInstance, nullptr);
    if (!window) return nullptr;
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    return window;
}

void CloseAddRandomWindow() {
    if (g_random.window) DestroyWindow(g_random.window);
}
