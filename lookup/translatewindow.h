// The Translate window (class "vertaal"), a reading aid: a text from a file or the
// clipboard in a read-only pane, and the word at the caret looked up in the current
// word list, three entries shown. It never changes the word list.
#pragma once

#include <windows.h>

#include <string>

inline constexpr wchar_t kTranslateWindowClass[] = L"vertaal";

enum TranslateControl : int {
    kTranslateOpenFile = 1,
    kTranslatePaste = 20,
    kTranslateDone = 14,
    kTranslateHelp = 21,
    kTranslateCapture = 22,
    kTranslatePane = 31,
    kTranslateScrollBar = 41,
    kTranslateFirstRow = 100,
    kTranslateSecondRow = 150,
};

// Opened by the main window's Translate command, which hides itself meanwhile.
HWND OpenTranslateWindow();
HWND TranslateWindow();

// Reads a text file into the pane (1), or leaves the previous text (0).
int LoadTextFile(HWND pane, const std::wstring& path);

void PaintTranslateHeader(HDC dc, const RECT& client);
