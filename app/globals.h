// Process-wide state of the application shell that every window shares.
#pragma once

#include <windows.h>

extern HINSTANCE ModuleInstance;
extern HWND MainWindow;

// Read once at start; every tool window adds caption and menu height to its client height.
extern int ScreenWidth;
extern int ScreenHeight;
extern int CaptionHeight;
extern int MenuHeight;

extern int ToolWindowOpen;  // 1 while a tool window is open
extern int PracticeMode;    // 0 flash cards, 1 typed answers
extern int StayOnTop;       // main and tool windows topmost
extern int CurrentListId;   // practice list maker's current list id

void ReadSystemMetrics();
