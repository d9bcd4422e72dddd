// Child controls of the program's windows, made one way: a description with named
// fields instead of a private factory in every window.
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
};

// An edit that shows a word of a list: a sunken border and no margins, so the word
// uses the whole field; `style` adds to the border (ES_AUTOHSCROLL, ES_READONLY, ...).
ChildControl WordEdit(RECT place, int id, HFONT font, std::size_t limit = 0, DWORD style = ES_AUTOHSCROLL);

// nullptr when the control could not be made.
HWND CreateChild(HWND parent, const ChildControl& control);
