// The main window's background gradient and its logo with a transparent colour.
#pragma once

#include <windows.h>

#include <array>

inline constexpr int kGradientPens = 64;

// Top colour and the step subtracted per pen; only the low 8 bits of each count.
struct GradientColours {
    int r = 0, g = 200, b = 0;
    int ri = 0, gi = 3, bi = 0;
};

// Pen i is base - i * step in each component, wrapping modulo 256.
std::array<COLORREF, kGradientPens> GradientPenColours(const GradientColours& colours);
// The pen of row y: 0 at the top to 62 at the bottom; a display with fewer than
// 24 bits a pixel gets one flat colour.
int GradientPenForRow(int y, int height, int colourDepth);

void PaintGradient(HDC dc, const RECT& rect, const GradientColours& colours, int colourDepth);

// A monochrome mask of the logo (white where the logo has the transparent colour);
// the transparent pixels of the logo itself become black.
HBITMAP BuildLogoMask(HBITMAP logo, COLORREF transparent);
// Centres the logo on the main window's width in the band at the top.
void DrawLogo(HDC dc, HBITMAP logo, HBITMAP mask);

// The logo for another DPI: 32 bits a pixel with premultiplied alpha, clear where the
// logo has its transparent colour, each pixel the average of the area of the logo it
// covers, so it stays smooth at any scaling.
HBITMAP BuildScaledLogo(HBITMAP logo, COLORREF transparent, UINT dpi);
// Draws it where DrawLogo puts the logo, in a device context that paints in layout pixels.
void DrawScaledLogo(HDC dc, HBITMAP logo, HBITMAP scaled);
