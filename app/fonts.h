// The fonts every window shares, and the one rule by which the program makes fonts.
#pragma once

#include <windows.h>

#include <string>

// Point size at a fixed 96 dpi; the character-set number picks face and character
// set (600 and up: the strings file's foreign faces; 500: the Sud-Euro face).
HFONT CreateScaledFont(int pointSize, int weight, const wchar_t* face, int charset);
// The LOGFONT CreateScaledFont would use, for tests and callers that need the metrics.
LOGFONTW ScaledFontDescription(int pointSize, int weight, const wchar_t* face, int charset);

inline constexpr wchar_t kDefaultWordFace[] = L"Times New Roman";
inline constexpr wchar_t kDefaultArialFace[] = L"Arial";
inline constexpr wchar_t kSudEuroFace[] = L"Times SudEuro";

struct SharedFontSettings {
    std::wstring languageFace = kDefaultWordFace;
    std::wstring guiFace = kDefaultArialFace;
    int guiSize = 9;
    int languageSize = 30;
};

extern HFONT TitleFont;
extern HFONT LanguageFont;
extern HFONT ArialFont15;
extern HFONT ArialBoldFont14;
extern HFONT ArialBoldFont12;
extern HFONT ArialBoldFont15;
extern HFONT ArialFont10;
extern HFONT GuiFont;

void CreateSharedFonts(const SharedFontSettings& settings, int uiCharset);

// The program holds every font at 96 DPI, the size painting and layout are given in.
// A control shows text in device pixels: this is the same font for a DPI, made once
// and kept for the rest of the run (the font itself at 96 DPI).
HFONT FontForDpi(HFONT layoutFont, UINT dpi);
void DeleteSharedFonts();
