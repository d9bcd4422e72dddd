// The arithmetic of a look-up table: which entry the first row shows after a look-up,
// a key or a scroll, and the scroll bar that moves in units of ten entries.
#pragma once

#include <windows.h>

inline constexpr int kMaxSearchRows = 25;
inline constexpr int kDefaultSearchRows = 10;
inline constexpr int kEntriesPerScrollUnit = 10;

// A row count from the profile brought into the 1 ... 25 the table holds.
int ClampRowCount(int rows);
// Near the end of the list the last rows are filled instead of leaving them empty;
// a list shorter than the table always starts at its first entry.
int EndClamp(int top, int count, int rows);
// The scroll bar's highest position (never below 0) and the position of a top.
int ScrollRangeMax(int count, int rows);
inline int ScrollPosition(int top) { return top / kEntriesPerScrollUnit; }

// The top after Page Up, Page Down, Up or Down (end clamp applied); other keys keep it.
int TopAfterKey(int top, WPARAM key, int count, int rows);
// The top after the mouse wheel moved the table by `entries` (positive: towards the
// start), end clamp applied.
int TopAfterWheel(int top, int entries, int count, int rows);
// The top after a scroll bar action (end clamp applied); thumb tracking keeps it.
int TopAfterScroll(int top, int code, int thumbPosition, int count, int rows);
