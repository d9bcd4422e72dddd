// What the maker's files share: the one maker's state and the steps they call on
// each other.
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "practice/practiceentries.h"
#include "practice/rowscroll.h"
#include "win/handles.h"

// Where the rows stand, in layout pixels, and the strip between the columns that holds
// the marks of the words already in the practice list.
inline constexpr int kRowsTop = 40;
inline constexpr int kRowStep = 23;
inline constexpr int kRowHeight = 25;
inline constexpr RECT kMarkStrip{213, kRowsTop, 225, kRowsTop + kRowStep * (kMakerRows - 1) + kRowHeight};

struct MakerState {
    HWND window = nullptr;
    HWND search = nullptr;
    HWND addRandom = nullptr;
    std::array<HWND, kMakerRows> practiceRows{};
    std::array<HWND, kMakerRows> firstRows{};
    std::array<HWND, kMakerRows> secondRows{};
    HWND practiceBar = nullptr;
    HWND wordBar = nullptr;
    int wordTop = 0;
    int shownWordTop = 0;
    int practiceTop = 0;
    int shownPracticeTop = 0;
    bool updateNeeded = false;
    int listCount = 0;
    HMENU listsMenu = nullptr;
    UniqueFont firstFont;
    UniqueFont secondFont;
    PracticeEntrySet practiceEntries;
    // The word rows whose entry the practice list holds: each gets a mark beside it.
    std::array<bool, kMakerRows> heldRows{};
};

MakerState& Maker();

// Rows (makerrows.cpp).
void ShowWordRows(int top);
void ShowPracticeRows(int top);
void AddWordOfRow(int row);
void FlipMarkOfRow(int row);
void SearchTextChanged();
void SearchKey(WORD key);
void ScrollRows(HWND bar, int request, int thumbPosition);
// The mouse wheel over a column: `entries` towards the start (negative: towards the end).
void WheelRows(bool practiceColumn, int entries);

// The lists (makerlists.cpp).
void BuildListsMenu(HWND maker);
// "<caption>: <list> (<first language>-<second language>)"
std::wstring MakerCaption();
void SetMakerCaption();
void ChoosePracticeList(int command);
void NewPracticeList();
void DeleteCurrentPracticeList();
