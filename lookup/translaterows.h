// The three rows of the Translate window: which entry stands at the top after a
// look-up, a key or a scroll. The words themselves come from the word list file.
#pragma once

#include <windows.h>

inline constexpr int kTranslateRows = 3;

// Near the end of the list the last rows stay filled: never fewer than `rows`
// entries below the top, and never above the first entry.
int EndClamp(int top, int wordCount, int rows = kTranslateRows);
// Up and Down move by one entry; other keys leave the top where it is.
int TranslateTopAfterKey(WORD key, int top, int wordCount);
// Lines move by one entry, pages by three, the thumb by tens of entries.
int TranslateTopAfterScroll(int code, int thumb, int top, int wordCount);
// The scroll bar counts in tens of entries.
int ScrollRangeMax(int wordCount, int rows = kTranslateRows);
