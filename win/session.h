// Win32 state of the running program that windows of every layer share: the module,
// the screen and frame metrics read at start, the stay-on-top choice and the window
// that owns messages shown on the program's behalf.
#pragma once

#include <windows.h>

extern HINSTANCE ModuleInstance;

// Read once at start; every tool window adds caption and menu height to its client height.
extern int ScreenWidth;
extern int ScreenHeight;
extern int CaptionHeight;
extern int MenuHeight;

extern int StayOnTop;  // main and tool windows topmost

void ReadSystemMetrics();

// The class of a tool window, registered each time one opens: redrawn whole on a size
// change, light grey, arrow cursor, the program's icon.
void RegisterToolWindowClass(const wchar_t* className, WNDPROC procedure);

// Topmost when StayOnTop is 1, else not; neither moves nor sizes the window.
void ApplyStayOnTop(HWND window);

// Owner of messages that code without a window of its own shows (store warnings, the
// fatal word list message); none during start-up.
void SetMessageOwner(HWND owner);
HWND MessageOwner();
