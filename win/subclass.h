// Filters on controls: a replacement window procedure that handles a few messages and
// passes the rest to the control's own procedure, kept with the control.
#pragma once

#include <windows.h>

// Replaces the control's window procedure; the previous one stays with the control.
void SubclassControl(HWND control, WNDPROC replacement);
// Hands a message to the procedure the control had before; at WM_NCDESTROY that one is
// put back, so nothing of the filter outlives the control.
LRESULT CallPreviousProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
