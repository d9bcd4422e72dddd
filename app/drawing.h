// Small drawing and text helpers every window uses.
#pragma once

#include <windows.h>

#include <string>

// Light grey text with a green copy one pixel up and left; moves the rectangle's
// left and top edges by that pixel. The caller selects the font and a transparent
// background.
void DrawShadowText(HDC dc, RECT& rect, const wchar_t* text, UINT format);

// The light rule along the top of a tool window's client area, under its menu bar.
void DrawTopRule(HDC dc, const RECT& client);

// The text of an edit, at most maxChars characters of it.
std::wstring EditText(HWND edit, std::size_t maxChars);
