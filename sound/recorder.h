// The pronunciation recorder (class "record"): walks through the current word list
// and records how each first word is spoken, one wave file per word.
#pragma once

#include <windows.h>

inline constexpr wchar_t kRecorderWindowClass[] = L"record";

// Creates and shows the window; null when it cannot be created.
HWND OpenRecorderWindow();
