#include "app/controls.h"

#include <commctrl.h>

#include <vector>

#include "app/fonts.h"
#include "win/dpi.h"
#include "win/properties.h"
#include "win/session.h"

namespace {

// A control's 96-DPI place and font ride in properties of plain numbers, which go with
// the control.
const LPCWSTR kPlaceTopLeft = PropertyKey(L"LingorixPlace0");
const LPCWSTR kPlaceSize = PropertyKey(L"LingorixPlace1");
const LPCWSTR kLayoutFont = PropertyKey(L"LingorixFont");
// An edit whose text runs from border to border: a new font would bring margins back.
const LPCWSTR kNoMargins = PropertyKey(L"LingorixNoMargins");

HANDLE Pack(int low, int high) {
    return reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(static_cast<DWORD>(MAKELONG(low, high))));
}
int Low(HANDLE packed) { return static_cast<short>(LOWORD(static_cast<DWORD>(reinterpret_cast<UINT_PTR>(packed)))); }
int High(HANDLE packed) { return static_cast<short>(HIWORD(static_cast<DWORD>(reinterpret_cast<UINT_PTR>(packed)))); }

void RememberPlace(HWND child, const RECT& place) {
    SetPropW(child, kPlaceTopLeft, Pack(place.left, place.top));
    SetPropW(child, kPlaceSize, Pack(place.right, place.bottom));
}

bool Is(const wchar_t* kind, const wchar_t* name) { return CompareStringOrdinal(kind, -1, name, -1, TRUE) == CSTR_EQUAL; }

bool TakesFocus(const ChildControl& c) {
    if (Is(c.kind, L"button")) {
        const DWORD type = c.style & BS_TYPEMASK;
        return type != BS_GROUPBOX && type != BS_OWNERDRAW;
    }
    return Is(c.kind, L"edit") || Is(c.kind, L"combobox") || Is(c.kind, WC_LISTVIEWW) ||
           Is(c.kind, TRACKBAR_CLASSW) || Is(c.kind, L"RichEdit20W") || Is(c.kind, L"RICHEDIT");
}

}  // namespace

int WheelEntries(WPARAM wParam, int page) {
    static int remainder = 0;  // in 1/WHEEL_DELTA of an entry
    UINT lines = 3;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    const int perNotch = lines == WHEEL_PAGESCROLL ? page : static_cast<int>(lines);
    remainder += GET_WHEEL_DELTA_WPARAM(wParam) * perNotch;
    const int entries = remainder / WHEEL_DELTA;
    remainder -= entries * WHEEL_DELTA;
    return entries;
}

ChildControl WordEdit(RECT place, int id, HFONT font, std::size_t limit, DWORD style) {
    return {.kind = L"edit",
            .place = place,
            .id = id,
            .font = font,
            .style = WS_BORDER | style,
            .exStyle = WS_EX_CLIENTEDGE,
            .noMargins = true,
            .limit = limit};
}

HWND CreateChild(HWND parent, const ChildControl& c) {
    const DWORD style = WS_CHILD | (c.hidden ? 0 : WS_VISIBLE) | (c.tabStop && TakesFocus(c) ? WS_TABSTOP : 0) | c.style;
    const RECT at = ScaledPlace(c.place, WindowDpi(parent));
    HWND child = CreateWindowExW(c.exStyle, c.kind, c.text, style, at.left, at.top, at.right, at.bottom, parent,
                                 MenuId(c.id), ModuleInstance, nullptr);
    if (!child) return nullptr;
    RememberPlace(child, c.place);
    if (c.font) SetChildFont(child, c.font, false);
    if (c.noMargins) {
        SetPropW(child, kNoMargins, reinterpret_cast<HANDLE>(1));
        SendMessageW(child, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    }
    if (c.limit) SendMessageW(child, EM_SETLIMITTEXT, c.limit, 0);
    return child;
}

void PlaceChild(HWND child, const RECT& place) {
    RememberPlace(child, place);
    const RECT at = ScaledPlace(place, WindowDpi(child));
    MoveWindow(child, at.left, at.top, at.right, at.bottom, TRUE);
}

void SetChildFont(HWND child, HFONT layoutFont, bool redraw) {
    SetPropW(child, kLayoutFont, layoutFont);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(FontForDpi(layoutFont, WindowDpi(child))), redraw);
    if (GetPropW(child, kNoMargins)) SendMessageW(child, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
}

void RelayoutChildren(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    for (HWND child : children) {
        if (GetPropW(child, kPlaceSize)) {
            const HANDLE topLeft = GetPropW(child, kPlaceTopLeft);
            const HANDLE size = GetPropW(child, kPlaceSize);
            PlaceChild(child, {Low(topLeft), High(topLeft), Low(size), High(size)});
        }
        if (const auto font = static_cast<HFONT>(GetPropW(child, kLayoutFont))) SetChildFont(child, font);
    }
}

void ApplyDpiChange(HWND window, WPARAM wParam, LPARAM lParam) {
    SetWindowDpi(window, LOWORD(wParam));
    if (const auto* suggested = reinterpret_cast<const RECT*>(lParam))
        SetWindowPos(window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    RelayoutChildren(window);
    InvalidateRect(window, nullptr, TRUE);
}
