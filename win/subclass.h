// Filters on controls: a replacement window procedure that handles a few messages and
// passes the rest to the control's own procedure, kept with the control. Every
// subclassed control of the program goes through here, so each gets its own procedure
// back at its end, whatever its window's state has become by then.
#pragma once

#include <windows.h>

// The notification code a filtered control sends its parent for a key it takes over:
// WM_COMMAND with the control's id in the low word and this code in the high word of
// the first parameter; the key in the high word of the second (its low word: the low
// 16 bits of the control's handle).
inline constexpr WORD kKeyNotification = 0x0601;

// Replaces the control's window procedure; the previous one stays with the control.
void SubclassControl(HWND control, WNDPROC replacement);
// Hands a message to the procedure the control had before; at WM_NCDESTROY that one is
// put back, so nothing of the filter outlives the control.
LRESULT CallPreviousProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam);

// Sends the control's parent a notification in the form described above.
void NotifyParent(HWND control, WORD code, WPARAM key);
// The key a key notification carries.
inline WORD NotifiedKey(LPARAM lParam) { return HIWORD(lParam); }
