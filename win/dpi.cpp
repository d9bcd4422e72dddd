#include "win/dpi.h"

#include "win/handles.h"
#include "win/properties.h"

namespace {

const LPCWSTR kDpiProperty = PropertyKey(L"LingorixDpi");

// The functions came with Windows 10; the program also starts where they are missing.
template <typename Function>
Function User32Function(const char* name) {
    static HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

}  // namespace

void DeclareDpiAwareness() {
    using ContextFunction = BOOL(WINAPI*)(HANDLE);
    if (const auto setContext = User32Function<ContextFunction>("SetProcessDpiAwarenessContext")) {
        // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2, then the first per-monitor version.
        if (setContext(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4))) ||
            setContext(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-3))))
            return;
        if (GetLastError() == ERROR_ACCESS_DENIED) return;  // set already, by the manifest
    }
    using AwareFunction = BOOL(WINAPI*)();
    if (const auto setAware = User32Function<AwareFunction>("SetProcessDPIAware")) setAware();
}

UINT SystemDpi() {
    static const UINT dpi = [] {
        using GetDpiForSystemFunction = UINT(WINAPI*)();
        if (const auto forSystem = User32Function<GetDpiForSystemFunction>("GetDpiForSystem")) return forSystem();
        WindowDc screen(nullptr);
        const int logPixels = screen ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
        return logPixels > 0 ? static_cast<UINT>(logPixels) : kLayoutDpi;
    }();
    return dpi;
}

UINT WindowDpi(HWND window) {
    HWND top = window ? GetAncestor(window, GA_ROOT) : nullptr;
    if (!top) return SystemDpi();
    if (const auto told = static_cast<UINT>(reinterpret_cast<UINT_PTR>(GetPropW(top, kDpiProperty)))) return told;
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static const auto forWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    const UINT dpi = forWindow ? forWindow(top) : 0;
    return dpi ? dpi : SystemDpi();
}

void SetWindowDpi(HWND window, UINT dpi) {
    HWND top = GetAncestor(window, GA_ROOT);
    if (top) SetPropW(top, kDpiProperty, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(dpi)));
}

RECT ScaledPlace(const RECT& place, UINT dpi) {
    // Edges are scaled, not sizes, so neighbours that touch at 96 DPI still touch.
    const RECT edges = ScaledRect({place.left, place.top, place.left + place.right, place.top + place.bottom}, dpi);
    return {edges.left, edges.top, edges.right - edges.left, edges.bottom - edges.top};
}

RECT ScaledRect(const RECT& rect, UINT dpi) {
    return {Scaled(rect.left, dpi), Scaled(rect.top, dpi), Scaled(rect.right, dpi), Scaled(rect.bottom, dpi)};
}

int SystemMetricForDpi(int index, UINT dpi) {
    using ForDpiFunction = int(WINAPI*)(int, UINT);
    static const auto forDpi = User32Function<ForDpiFunction>("GetSystemMetricsForDpi");
    if (forDpi) return forDpi(index, dpi);
    return MulDiv(GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(SystemDpi()));
}

LayoutDc::LayoutDc(HDC dc, UINT dpi) : dc_(dpi != kLayoutDpi ? dc : nullptr) {
    if (!dc_) return;
    previousMode_ = SetMapMode(dc_, MM_ANISOTROPIC);
    SetWindowExtEx(dc_, static_cast<int>(kLayoutDpi), static_cast<int>(kLayoutDpi), nullptr);
    SetViewportExtEx(dc_, static_cast<int>(dpi), static_cast<int>(dpi), nullptr);
    // Bitmaps drawn at a size of their own are filtered, not repeated pixel by pixel.
    previousStretch_ = SetStretchBltMode(dc_, HALFTONE);
    SetBrushOrgEx(dc_, 0, 0, nullptr);
}

LayoutDc::~LayoutDc() {
    if (!dc_) return;
    SetStretchBltMode(dc_, previousStretch_);
    SetMapMode(dc_, previousMode_);
}
