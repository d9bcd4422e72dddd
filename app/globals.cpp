#include "app/globals.h"

HINSTANCE ModuleInstance = nullptr;
HWND MainWindow = nullptr;
int ScreenWidth = 0;
int ScreenHeight = 0;
int CaptionHeight = 0;
int MenuHeight = 0;
int ToolWindowOpen = 0;
int PracticeMode = 0;
int StayOnTop = 0;
int CurrentListId = 800;

void ReadSystemMetrics() {
    ScreenWidth = GetSystemMetrics(SM_CXSCREEN);
    ScreenHeight = GetSystemMetrics(SM_CYSCREEN);
    CaptionHeight = GetSystemMetrics(SM_CYCAPTION);
    MenuHeight = GetSystemMetrics(SM_CYMENU);
}
