// Where a window was left, kept between runs. Positions are kept in workspace
// coordinates, as the window placement gives them, and restored in the same
// coordinates: a taskbar at the top or left of the screen then no longer moves a
// window by its own size at every start.
#pragma once

#include <windows.h>

// A saved top of this value means the window has no saved position.
inline constexpr int kNoSavedPosition = 9999;

struct WindowPosition {
    int left = kNoSavedPosition;
    int top = kNoSavedPosition;
    bool Saved() const { return top != kNoSavedPosition; }
};

// The window's normal (restored) position, also while it is minimised or maximised;
// unsaved when the placement cannot be read.
WindowPosition TakeWindowPosition(HWND window);
// Moves the window (no resize, no z-order change) to a saved position; an unsaved
// one leaves it where it is.
void RestoreWindowPosition(HWND window, const WindowPosition& position);

// A workspace point in screen coordinates, given where a normal window's placement and
// its screen rectangle put its corner now.
POINT ScreenFromWorkspace(POINT workspace, POINT placementNow, POINT screenNow);
