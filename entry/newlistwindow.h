// The New word list window (class "createnew"): the name, collation locale and
// character set of a foreign language the user adds.
#pragma once

#include <windows.h>

inline constexpr wchar_t kNewWordListClass[] = L"createnew";

// A tool window: opened by the main window, which it shows again when it is destroyed.
HWND OpenNewWordListWindow();
