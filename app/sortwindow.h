// The small "sorting" window shown while a word list is sorted. The sort runs inside
// the handler that asked for it, so progress is painted straight into the window.
#pragma once

#include <windows.h>

#include "store/sort.h"

// Shows which list is being sorted and the progress.
HWND OpenSortingWindow();
void PaintSortingWindow(HDC dc);
void DrawSortProgress(HDC dc, SortPhase phase, long long count);

// Sorts the current word list with the sorting window shown; a failure is reported.
void SortAndReport();
