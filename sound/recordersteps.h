// Which entry the recorder shows: the walk through the word list, the rows that
// follow it and the position kept between openings, apart from any window.
#pragma once

#include <windows.h>

#include <string>

inline constexpr int kRecorderRows = 6;

// The entry to start at from the saved one: a real entry of the list (the last one
// when the list became shorter, the first for a damaged negative value); 0 for an
// empty list, which has none.
int StartIndex(int saved, int count);

struct RecorderStep {
    int index = 0;
    bool endOfList = false;  // there was no entry after: the last entry stays current
};
// The entry after the current one.
RecorderStep StepForward(int current, int count);
// The entry before the current one; the first stays first.
int StepBack(int current);

// The first row's entry after a key in the look-up edit (Up, Down; other keys keep it)
// or a scroll bar action; always an entry of the list, the current one in the first row.
int TopAfterRecorderKey(int top, WPARAM key, int count);
int TopAfterRecorderScroll(int top, int code, int thumbPosition, int count);
// After the mouse wheel turned `entries` towards the list's start (negative: its end).
int TopAfterRecorderWheel(int top, int entries, int count);
// The scroll bar's highest position: a unit is ten entries.
int RecorderScrollMax(int count);
inline int RecorderScrollPosition(int top) { return top / 10; }

// "<Word> 5 <of> 120" for the fifth of 120 entries; nothing of an empty list.
std::wstring ProgressText(const std::wstring& word, const std::wstring& of, int current, int count);
