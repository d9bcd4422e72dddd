// Child controls of the program's windows, made one way: a description with named
// fields instead of a private factory in every window. Places and fonts are given at
// 96 DPI; each control is made, and later moved and given fonts, for its window's DPI,
// and keeps its 96-DPI place and font so a change of DPI can lay it out again.
#pragma once

#include <windows.h>

#include <cstddef>

// The id of a child control, as CreateWindowEx takes it.
inline HMENU MenuId(int id) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)); }

struct ChildControl {
    const wchar_t* kind = L"static";  // the window class: L"button", L"edit", L"scrollbar", ...
    const wchar_t* text = L"";
    RECT place{};                      // left, top, width, height in the parent's client area
    int id = 0;
    HFONT font = nullptr;              // none: the system's
    DWORD style = 0;                   // besides WS_CHILD, and WS_VISIBLE unless hidden
    DWORD exStyle = 0;
    bool hidden = false;
    bool noMargins = false;            // edits: the text runs from border to border
    std::size_t limit = 0;             // edits: the most characters; 0 keeps the edit's own
    // Controls the user can work with are reached with Tab; statics and scroll bars are not.
    bool tabStop = true;
};

// An edit that shows a word of a list: a sunken border and no margins, so the word
// uses the whole field; `style` adds to the border (ES_AUTOHSCROLL, ES_READONLY, ...).
ChildControl WordEdit(RECT place, int id, HFONT font, std::size_t limit = 0, DWORD style = ES_AUTOHSCROLL);

// nullptr when the control could not be made.
HWND CreateChild(HWND parent, const ChildControl& control);

// The entries a mouse wheel message scrolls a table by: the system's lines per notch
// (three unless the user chose otherwise), or `page` where the user chose a page per
// notch; the small steps of fine wheels add up. Positive scrolls towards the start.
int WheelEntries(WPARAM wParam, int page);

// Moves a control to a place given at 96 DPI (left, top, width, height).
void PlaceChild(HWND child, const RECT& place);
// Gives a control a font held at 96 DPI.
void SetChildFont(HWND child, HFONT layoutFont, bool redraw = true);
// Every control made or placed here back to its place and font, at the window's DPI
// now (after a move to a monitor of another DPI).
void RelayoutChildren(HWND parent);
// WM_DPICHANGED of a top-level window: the new DPI, the suggested rectangle, the
// controls laid out again and the window repainted.
void ApplyDpiChange(HWND window, WPARAM wParam, LPARAM lParam);
