#include "app/globals.h"

HWND MainWindow = nullptr;
int ToolWindowOpen = 0;
int PracticeMode = 0;
int CurrentListId = 800;
