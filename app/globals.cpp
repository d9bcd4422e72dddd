#include "app/globals.h"

HWND MainWindow = nullptr;
int ToolWindowOpen = 0;
int PracticeMode = 0;
int CurrentListId = 800;

void EndToolWindow() {
    if (MainWindow) ShowWindow(MainWindow, SW_SHOW);
    ToolWindowOpen = 0;
}
