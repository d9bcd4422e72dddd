// Typed practice (class "leren2"): the first word of every practice list entry once,
// in random order; the user types the second. Wrong and shown answers make the score,
// and a finished run that beats the best one is kept.
#pragma once

#include <windows.h>

inline constexpr wchar_t kTypedPracticeClass[] = L"leren2";

enum TypedPracticeControl : int {
    kPracticeQuit = 14,
    kPracticeShow = 27,
    kPracticeAnswer = 30,
    kPracticeProgress = 40,
    kPracticeText = 45,
    kPracticeFrame = 47,
};
enum TypedPracticeCommand : int { kPracticePickerOn = 6, kPracticePickerOff = 7, kPracticeSoundOn = 66, kPracticeSoundOff = 67 };

// Opened by the main window's practise command in typed mode, with a practice list
// that holds entries; the main window hides itself meanwhile.
HWND OpenTypedPractice();

// Paints the language names into any device context.
void PaintTypedPractice(HDC dc, const RECT& client, POINT origin);
