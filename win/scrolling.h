// Scroll bars of long lists.
#pragma once

#include <windows.h>

// The thumb position of a WM_VSCROLL (or WM_HSCROLL) from a scroll bar control. The
// message carries only 16 bits of it, which a long list's range exceeds (a list past
// 32 767 units would read negative and jump to the start), so the tracked 32-bit
// position is read from the bar itself.
int ThumbPosition(HWND bar, WPARAM wParam);
