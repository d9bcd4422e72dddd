// Dots per inch of windows and screens. Every layout figure of the program is given
// at 96 DPI (a "layout pixel") and scaled to the DPI of the window it lands in, so a
// window is sharp and in proportion at any scaling of any monitor.
#pragma once

#include <windows.h>

inline constexpr UINT kLayoutDpi = 96;

// Declares the process aware of each monitor's DPI, as the manifest does; for systems
// that do not read that part of the manifest. Before the first window.
void DeclareDpiAwareness();

// The DPI of the screen the program started on.
UINT SystemDpi();

// The DPI of the window's top-level window: the one it was last told (a move to
// another monitor), else the one the system gives it.
UINT WindowDpi(HWND window);
// Records what WM_DPICHANGED told a top-level window.
void SetWindowDpi(HWND window, UINT dpi);

// Layout pixels to device pixels at a DPI, rounded to the nearest.
inline int Scaled(int layout, UINT dpi) { return MulDiv(layout, static_cast<int>(dpi), static_cast<int>(kLayoutDpi)); }
// Device pixels back to layout pixels.
inline int Unscaled(int device, UINT dpi) {
    return MulDiv(device, static_cast<int>(kLayoutDpi), static_cast<int>(dpi ? dpi : kLayoutDpi));
}
// A place given as left, top, width, height.
RECT ScaledPlace(const RECT& place, UINT dpi);
// A rectangle given by its edges.
RECT ScaledRect(const RECT& rect, UINT dpi);

// A system metric as it is at the DPI (caption and menu heights, say).
int SystemMetricForDpi(int index, UINT dpi);

// Painting in layout pixels: the device context maps figures given at 96 DPI to the
// window's DPI, so painting code, its fonts and its measurements are those of 96 DPI
// at every scaling. Nothing changes at 96 DPI.
class LayoutDc {
public:
    LayoutDc(HDC dc, UINT dpi);
    ~LayoutDc();
    LayoutDc(const LayoutDc&) = delete;
    LayoutDc& operator=(const LayoutDc&) = delete;

private:
    HDC dc_;
    int previousMode_ = 0;
    int previousStretch_ = 0;
};
