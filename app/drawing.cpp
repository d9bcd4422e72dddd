#include "app/drawing.h"

#include "win/dpi.h"
#include "win/handles.h"

namespace {
LabelObserver g_labelObserver = nullptr;
}

LayoutPaint::LayoutPaint(HWND window) : paint_(window), layout_(paint_.Dc(), WindowDpi(window)) {
    client_ = LayoutClientRect(window);
}

RECT LayoutClientRect(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    const UINT dpi = WindowDpi(window);
    return {0, 0, Unscaled(client.right, dpi), Unscaled(client.bottom, dpi)};
}

POINT LayoutPoint(HWND window, LPARAM lParam) {
    const UINT dpi = WindowDpi(window);
    return {Unscaled(static_cast<short>(LOWORD(lParam)), dpi), Unscaled(static_cast<short>(HIWORD(lParam)), dpi)};
}

void SetLabelObserver(LabelObserver observer) { g_labelObserver = observer; }

void DrawLabel(HDC dc, const wchar_t* text, RECT rect, UINT format) {
    if (g_labelObserver) g_labelObserver(dc, text, rect, format);
    DrawTextW(dc, text, -1, &rect, format);
}

void DrawShadowText(HDC dc, RECT& rect, const wchar_t* text, UINT format) {
    SetTextColor(dc, RGB(224, 224, 224));
    DrawLabel(dc, text, rect, format);
    SetTextColor(dc, RGB(0, 128, 0));
    rect.left -= 1;
    rect.top -= 1;
    DrawTextW(dc, text, -1, &rect, format);
}

void DrawTopRule(HDC dc, const RECT& client) {
    UniquePen pen(CreatePen(PS_SOLID, 1, RGB(224, 224, 224)));
    SelectionScope selected(dc, pen.Get());
    MoveToEx(dc, client.left, client.top, nullptr);
    LineTo(dc, client.right, client.top);
}

std::wstring EditText(HWND edit, std::size_t maxChars) {
    std::wstring text(maxChars + 1, L'\0');
    const int n = GetWindowTextW(edit, text.data(), static_cast<int>(text.size()));
    text.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return text;
}
