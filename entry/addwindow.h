// The Add window (class "toevoeg"): the user types a word of the first language and
// its translations, and the pair goes into both directions' word lists.
#pragma once

#include <windows.h>

inline constexpr wchar_t kAddWindowClass[] = L"toevoeg";

// Control ids; the edits send their window a key notification for Enter and this one
// for every key release.
enum AddControl : int { kAddDone = 14, kAddHelp = 22, kAddFirstEdit = 30, kAddSecondEdit = 31 };
enum AddMenuCommand : int { kAddAddToPracticeList = 2, kAddShowPicker = 6, kAddHidePicker = 7, kAddImport = 70 };
inline constexpr WORD kKeyReleaseNotification = 0x0602;

// Opened by the main window's Add command, which hides itself meanwhile.
HWND OpenAddWindow();
HWND AddWindow();

// Paints the window's texts and counter into any device context.
void PaintAddWindow(HDC dc, const RECT& client, int addedCount);
