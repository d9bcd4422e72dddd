// The main window (class "tavok"): the home screen from which every tool window
// is opened, and whose end ends the program.
#pragma once

#include <windows.h>

#include <string>

#include "app/settings.h"
#include "win/dpi.h"

inline constexpr wchar_t kMainWindowClass[] = L"tavok";
inline constexpr int kMainWindowWidth = 565;
inline constexpr int kMainClientHeight = 332;

bool RegisterMainWindowClass(HINSTANCE instance);
// Centred on the screen, not yet shown; its creation reads the window settings.
HWND CreateMainWindow(HINSTANCE instance);


// Opens a tool window unless one is open: the main window hides while it lives.
// A command whose window is not part of the program (no opening operation) does
// nothing, and so does one whose window could not be created.
using OpenToolWindowFunction = HWND (*)();
void OpenToolWindow(OpenToolWindowFunction open);

// "<empty1> (<first>-<second>) <empty2>": asked when the practice list has no words.
std::wstring PractiseQuestionText();
// The two language icons, which swap the direction of the word list when clicked.
bool IsOnLanguageIcon(int x, int y);

// Everything the end of the run writes: AppSettings with the live values of the
// practice mode, stay on top, the practice list and the main window's position.
Settings SettingsToSave(HWND mainWindow);

// In layout pixels; the logo is drawn smooth for the DPI.
void PaintMainWindow(HDC dc, const RECT& client, UINT dpi = kLayoutDpi);
