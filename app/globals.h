// Process-wide state of the application shell that every window shares.
#pragma once

#include <windows.h>

#include "win/session.h"

extern HWND MainWindow;

// Sent to the main window when the current word list changed, so it shows the new
// list's names and icons.
inline constexpr UINT kWordListChangedMessage = WM_APP + 1;

extern int ToolWindowOpen;  // 1 while a tool window is open
extern int PracticeMode;    // 0 flash cards, 1 typed answers
extern int CurrentListId;   // practice list maker's current list id

// A tool window's last act: the main window comes back and another tool may open.
void EndToolWindow();
