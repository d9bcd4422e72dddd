// The add-random window ("addrandom"): how many words to draw from the word list into
// the practice list, and whether to empty the practice list first.
#pragma once

#include <windows.h>

#include <string>

inline constexpr wchar_t kAddRandomClass[] = L"addrandom";
enum AddRandomControl : int { kAddRandomCancel = 14, kAddRandomOk = 18, kAddRandomEmptyFirst = 19, kAddRandomNumber = 30 };

// At most one: the maker brings an open one to the top instead.
HWND OpenAddRandom();
void CloseAddRandomWindow();

// The number a typed text asks for, or 0 when it asks for none that the word list can
// give: text that does not start with a number, 0 or less, more than the list holds.
int AcceptedWordCount(const std::wstring& typed, int wordCount);

// "<question> <word count>) ?"
std::wstring AddRandomPrompt(int wordCount);
void PaintAddRandom(HDC dc, int wordCount);
