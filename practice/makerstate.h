// What the maker's files share: the one maker's state and the steps they call on
// each other.
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "win/handles.h"

struct MakerState {
    HWND window = nullptr;
    HWND search = nullptr;
    HWND addRandom = nullptr;
    std::array<HWND, 8> practiceRows{};
    std::array<HWND, 8> firstRows{};
    std::array<HWND, 8> secondRows{};
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

// The lists (makerlists.cpp).
void BuildListsMenu(HWND maker);
// "<caption>: <list> (<first language>-<second language>)"
std::wstring MakerCaption();
void SetMakerCaption();
void ChoosePracticeList(int command);
void NewPracticeList();
void DeleteCurrentPracticeList();
