// The Search window's menu bar, its row menus and its header painting.
#pragma once

#include <windows.h>

// Command ids of the Search window and of its row edits' menus.
enum SearchCommand : int {
    kSearchShowPicker = 6,
    kSearchHidePicker = 7,
    kSearchDone = 14,
    kSearchDeleteOrRestore = 50,
    kSearchCopy = 53,
    kSearchPaste = 54,
    kSearchFollowClipboard = 56,
    kSearchIgnoreClipboard = 57,
    kSearchPlay = 58,
    kSearchCapture = 59,
    kSearchMinimalSize = 600,  // 600 + R: R rows; 600 itself: the minimal layout
    kSearchLargestSize = 625,
};

// Check marks from the layout and the clipboard setting.
HMENU CreateSearchMenuBar(int rows, bool minimal, bool followClipboard);
// Delete (or Restore, for marked entries), Copy, Paste, Play, Add to practice list.
HMENU CreateRowMenu(bool markedEntry);

// The rule along the top and the two language names above their columns.
void PaintSearchWindow(HDC dc, const RECT& client, int rows);
