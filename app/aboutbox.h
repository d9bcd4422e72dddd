// The About box: an animation that plays in a loop beside the version and the
// program's credits.
#pragma once

#include <windows.h>

inline constexpr wchar_t kVersionText[] = L"Version = Lingorix 3.7.4 Vista BETA";

void ShowAboutBox(HWND owner);
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
