// The look-up edit that the Search, Translate and recorder windows share: Enter, the
// page keys and the arrow keys go to its window as a key notification instead of
// moving the caret, and the Enter character never makes it beep. The mouse wheel goes
// to its window too.
#pragma once

#include <windows.h>

#include "win/subclass.h"

inline constexpr int kLookUpEditId = 30;

// A client-edge edit with a border and no margins that does not scroll: typing stops
// when the text fills it. Created with the key forwarding in place.
HWND CreateLookUpEdit(HWND parent, int left, int top, int width, int height, HFONT font, bool visible);
// Replaces the edit's window procedure; the previous one is kept with the edit.
void ForwardLookUpKeys(HWND edit);
