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

void ApplyStayOnTop(HWND window) {
    SetWindowPos(window, StayOnTop == 1 ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void SetMessageOwner(HWND owner) { g_messageOwner = owner; }
HWND MessageOwner() { return g_messageOwner; }
