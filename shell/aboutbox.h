// The About box: an animation that plays in a loop beside the version and the
// program's credits.
#pragma once

#include <windows.h>

#include "version.h"

inline constexpr wchar_t kVersionText[] = L"Version = Lingorix " LINGORIX_VERSION_WTEXT L" Vista BETA";

void ShowAboutBox(HWND owner);
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
