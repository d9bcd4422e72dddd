#include "win/windowclass.h"

#include "win/dpi.h"
#include "win/handles.h"
#include "win/session.h"

namespace {

using PaintFunction = void (*)(HDC);

LRESULT CALLBACK BusyWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCREATE:
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_CREATE: ApplyStayOnTop(window); return 0;
    case WM_PAINT: {
        PaintScope paint(window);
        // The painting is given in layout pixels (96 DPI); the DC maps them to the window's.
        LayoutDc layout(paint.Dc(), WindowDpi(window));
        if (const auto painter = reinterpret_cast<PaintFunction>(GetWindowLongPtrW(window, GWLP_USERDATA)))
            painter(paint.Dc());
        return 0;
    }
    case WM_DPICHANGED: {
        SetWindowDpi(window, LOWORD(wParam));
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        InvalidateRect(window, nullptr, TRUE);
        return 0;
    }
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

bool RegisterProgramClass(const wchar_t* name, WNDPROC procedure) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = procedure;
    wc.hInstance = ModuleInstance;
    wc.hIcon = LoadIconW(ModuleInstance, L"tavokicon");
    wc.hIconSm = wc.hIcon;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    wc.lpszClassName = name;
    return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND OpenBusyWindow(const wchar_t* className, const wchar_t* caption, int width, int height, void (*paint)(HDC)) {
    RegisterProgramClass(className, BusyWindowProc);
    const UINT dpi = SystemDpi();
    width = Scaled(width, dpi);
    height = Scaled(height, dpi);
    HWND window = CreateWindowExW(0, className, caption, WS_CAPTION | WS_SYSMENU, (ScreenWidth - width) / 2,
                                  (ScreenHeight - height) / 2, width, height, nullptr, nullptr, ModuleInstance,
                                  reinterpret_cast<void*>(paint));
    if (window) {
        ShowWindow(window, SW_SHOWNORMAL);
        UpdateWindow(window);
    }
    return window;
}
