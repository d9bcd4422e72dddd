// A window of the shared frame run like a modal dialog: owned by the window that asked
// for it, which is disabled until it is gone, with the keyboard of a dialog (Tab, Enter
// for the IDOK button, Escape for IDCANCEL).
#pragma once

#include <windows.h>

// Runs until `window` is destroyed. The window enables the owner again before it
// destroys itself (EndOwnedModal), so the activation goes back to the owner. False when
// the program was asked to quit meanwhile (the quit is passed on).
bool RunOwnedModal(HWND owner, HWND window);
void EndOwnedModal(HWND owner, HWND window);
