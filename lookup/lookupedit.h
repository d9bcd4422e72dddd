// The look-up edit (id 30) of the look-up windows: Enter and the keys that move the
// table go to the window as a key notification instead of to the edit, so the
// window can move its rows while the caret stays in the edit.
#pragma once

#include <windows.h>

inline constexpr int kLookUpEditId = 30;
// WM_COMMAND's high word of wParam; the key is the high word of lParam.
inline constexpr WORD kKeyNotification = 0x0601;

// A client-edge edit with a border and no margins that does not scroll: typing stops
// when the text fills it. Created with the key forwarding in place.
HWND CreateLookUpEdit(HWND parent, int left, int top, int width, int height, HFONT font, bool visible);
// Puts the key forwarding in front of the edit's own procedure, which it keeps with
// the edit until the edit is destroyed.
bool ForwardLookUpKeys(HWND edit);
inline WPARAM NotifiedKey(LPARAM lParam) { return HIWORD(lParam); }
