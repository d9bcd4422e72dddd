// Small drawing and text helpers every window uses.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Light grey text with a green copy one pixel up and left; moves the rectangle's
// left and top edges by that pixel. The caller selects the font and a transparent
// background.
void DrawShadowText(HDC dc, RECT& rect, const wchar_t* text, UINT format);

// The light rule along the top of a tool window's client area, under its menu bar.
void DrawTopRule(HDC dc, const RECT& client);

// Skips leading blanks and cuts trailing ones (U+0020 only; tabs stay). Returns a
// pointer into the same text.
wchar_t* TrimSpaces(wchar_t* text);
std::wstring TrimSpaces(const std::wstring& text);

// Pieces between commas (a run of commas is one separator), each trimmed; a piece
// of blanks stays as an empty piece.
std::vector<std::wstring> SplitTranslations(const std::wstring& text);

// The text of an edit, at most maxChars characters of it.
std::wstring EditText(HWND edit, std::size_t maxChars);
