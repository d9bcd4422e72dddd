// The Search window (class "zoeken"): the current word list as a table of rows that
// follows the look-up edit as the user types, with corrections in place, deleted
// marks, the clipboard and recorded pronunciations.
#pragma once

#include <windows.h>

inline constexpr wchar_t kSearchWindowClass[] = L"zoeken";

// Control ids: row i's edits are 100 + i and 150 + i.
enum SearchControl : int { kSearchScrollBar = 41, kSearchFirstRowEdit = 100, kSearchSecondRowEdit = 150 };

// Opened by the main window's Search command, which hides itself meanwhile.
HWND OpenSearchWindow();
HWND SearchWindow();
