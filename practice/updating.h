// The update that takes the entries marked in the maker out of the practice list,
// behind the small "updating" window.
#pragma once

#include <windows.h>

// Runs inside the maker's closing: the window is painted before the work, which
// blocks the thread until it is done.
void UpdatePracticeList();

void PaintUpdatingWindow(HDC dc);
