// Flash-card practice (class "leren"): every entry of the current practice list once,
// in random order, first word and then second word, on a timer the slider speeds up
// or slows down; a key or a click moves on at once.
#pragma once

#include <windows.h>

#include <string>

inline constexpr wchar_t kFlashCardsClass[] = L"leren";

enum FlashControl : int {
    kFlashQuit = 14,
    kFlashProgress = 40,
    kFlashQuestion = 45,
    kFlashAnswer = 46,
    kFlashFrame = 47,
    kFlashSlider = 50,
};

// Opened by the main window's practise command in flash-card mode when the practice
// list has entries; the main window hides itself meanwhile.
HWND OpenFlashCards();

// Where a word is drawn, in the window's client coordinates, for the layout at origin.
RECT FlashWordRect(POINT origin, bool answer);

// The window's own drawing (slider labels and language names) for the layout at origin.
void PaintFlashCards(HDC dc, POINT origin, const std::wstring& firstName, const std::wstring& secondName);
// A word panel: its background, then the word (navy, one line, centred vertically) in
// wordRect, both in the panel's coordinates.
void PaintFlashWord(HDC dc, const RECT& panel, const RECT& wordRect, const std::wstring& word, HFONT font);
