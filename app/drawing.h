// Small drawing and text helpers every window uses.
#pragma once

#include <windows.h>

#include <string>

#include "win/dpi.h"
#include "win/handles.h"

// Light grey text with a green copy one pixel up and left; moves the rectangle's
// left and top edges by that pixel. The caller selects the font and a transparent
// background.
void DrawShadowText(HDC dc, RECT& rect, const wchar_t* text, UINT format);

// BeginPaint and EndPaint of a window, painting in layout pixels.
class LayoutPaint {
public:
    explicit LayoutPaint(HWND window);
    LayoutPaint(const LayoutPaint&) = delete;
    LayoutPaint& operator=(const LayoutPaint&) = delete;
    HDC Dc() const { return paint_.Dc(); }
    // The client area in layout pixels.
    const RECT& Client() const { return client_; }

private:
    PaintScope paint_;
    LayoutDc layout_;
    RECT client_{};
};

// The client area in layout pixels.
RECT LayoutClientRect(HWND window);
// The point of a mouse message in layout pixels of the window's client area.
POINT LayoutPoint(HWND window, LPARAM lParam);

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
