// Where the maker's eight rows start after a scroll, a search or a key: the arithmetic
// of both of its columns, apart from any window.
#pragma once

#include <windows.h>

inline constexpr int kMakerRows = 8;

// The first shown entry never lies before the list's start, nor so far down that rows
// stay empty while the list has entries enough to fill them.
int ClampRowTop(int top, int count);

// The top after a scroll bar request (SB_LINEUP, SB_PAGEDOWN, SB_THUMBPOSITION, ...):
// lines move one entry, pages eight, and a thumb position counts `thumbScale` entries
// (the word column's bar moves in steps of eight words). Requests that move nothing
// (tracking, end of scroll) keep the top.
int ScrolledTop(int request, int top, int count, int thumbPosition, int thumbScale);

// The word column's scroll bar: its range's end for a list, and a top's thumb position.
int WordScrollRange(int count);
inline int WordThumb(int top) { return top / kMakerRows; }
