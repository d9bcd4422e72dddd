// Small drawing and text helpers every window uses.
#pragma once

#include <windows.h>

#include <string>

// Light grey text with a green copy one pixel up and left; moves the rectangle's
// left and top edges by that pixel. The caller selects the font and a transparent
// background.
void DrawShadowText(HDC dc, RECT& rect, const wchar_t* text, UINT format);

// A text painted into a client area: DrawTextW, seen by the label observer first.
// Every label of the program's windows goes through here, so a test can measure each
// one against its place and the controls around it, in every edition.
void DrawLabel(HDC dc, const wchar_t* text, RECT rect, UINT format);

// Called with the device context (its font selected), the text, its place and format
// before a label is drawn; none by default.
using LabelObserver = void (*)(HDC dc, const wchar_t* text, const RECT& rect, UINT format);
void SetLabelObserver(LabelObserver observer);

// The light rule along the top of a tool window's client area, under its menu bar.
void DrawTopRule(HDC dc, const RECT& client);

// The text of an edit, at most maxChars characters of it.
std::wstring EditText(HWND edit, std::size_t maxChars);
