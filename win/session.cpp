#include "win/session.h"

HINSTANCE ModuleInstance = nullptr;
int ScreenWidth = 0;
int ScreenHeight = 0;
int CaptionHeight = 0;
int MenuHeight = 0;
int StayOnTop = 0;

namespace {
HWND g_messageOwner = nullptr;
}

void ReadSystemMetrics() {
    ScreenWidth = GetSystemMetrics(SM_CXSCREEN);
    ScreenHeight = GetSystemMetrics(SM_CYSCREEN);
    CaptionHeight = GetSystemMetrics(SM_CYCAPTION);
    MenuHeight = GetSystemMetrics(SM_CYMENU);
}

void RegisterToolWindowClass(const wchar_t* className, WNDPROC procedure) {
    WNDCLASSW wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = procedure;
    wc.hInstance = ModuleInstance;
    wc.hIcon = LoadIconW(ModuleInstance, L"tavokicon");
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    wc.lpszClassName = className;
    RegisterClassW(&wc);
}

void ApplyStayOnTop(HWND window) {
    SetWindowPos(window, StayOnTop == 1 ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void SetMessageOwner(HWND owner) { g_messageOwner = owner; }
HWND MessageOwner() { return g_messageOwner; }
