// Every window class of the program looks the same to the system: redrawn whole on
// resizing, the program's icon, the arrow cursor and a light grey background.
#pragma once

#include <windows.h>

// Registers the class in ModuleInstance; true when it is registered (also from before).
bool RegisterProgramClass(const wchar_t* name, WNDPROC procedure);

// A small window that shows the program is busy while work runs inside the handler that
// started it: centred, a caption and system menu, topmost when StayOnTop says so, shown
// and painted (by `paint`) before it returns. It takes no input; the caller destroys it.
// Its size and its painting are given at 96 DPI and scaled to the screen's.
HWND OpenBusyWindow(const wchar_t* className, const wchar_t* caption, int width, int height, void (*paint)(HDC));
