// A word met while reading goes into the current practice list: the Search and
// Translate windows' "Add to practice list" item and its key (Ctrl+D).
#pragma once

#include <windows.h>

inline constexpr WORD kCaptureKey = 'D';

// The entry at this index of the current word list into the current practice list in
// both directions. A beep tells it was added; a message tells why it was not.
void CaptureEntry(HWND window, int index);
