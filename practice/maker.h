// The practice list maker (class "lijst"): eight rows of the word list beside eight
// rows of the current practice list. A click on a word adds it, a click on a practice
// entry marks it for removal (or takes the mark back); the marked entries leave the
// file when the maker closes.
#pragma once

#include <windows.h>

inline constexpr wchar_t kMakerClass[] = L"lijst";

enum MakerControl : int {
    kMakerDone = 14,
    kMakerAddAll = 15,
    kMakerRemoveAll = 16,
    kMakerAddRandom = 17,
    kMakerPrint = 23,
    kMakerSearch = 30,
    kMakerPracticeBar = 41,
    kMakerWordBar = 42,
    kMakerFirstPracticeRow = 500,
    kMakerFirstWordRow = 550,
};
enum MakerMenuCommand : int { kMakerNewList = 59, kMakerDeleteList = 60, kMakerAddFirstWord = 61 };

// Opened by the main window's make-practice-list command (and its practise command
// when the practice list is empty), which hides itself meanwhile.
HWND OpenPracticeListMaker();
HWND PracticeListMaker();

// The practice column shows the list's end, its scroll bar follows.
void RefreshPracticeView();
void FocusMakerSearch();
// The add-random window tells the maker that it has gone.
void AddRandomWindowClosed();

// Paints the maker's rules and texts into any device context.
void PaintMaker(HDC dc, const RECT& client);
