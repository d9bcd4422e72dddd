// The three rows of the Translate window: which entry stands at the top after a
// look-up, a key or a scroll. The words themselves come from the word list file.
#pragma once

#include <windows.h>

#include "lookup/searchrows.h"

inline constexpr int kTranslateRows = 3;

// Up and Down move by one entry; other keys leave the top where it is.
int TranslateTopAfterKey(WORD key, int top, int wordCount);
// Lines move by one entry, pages by three, the thumb by tens of entries.
int TranslateTopAfterScroll(int code, int thumb, int top, int wordCount);
