#include "app/controls.h"

#include "win/session.h"

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
    const DWORD style = WS_CHILD | (c.hidden ? 0 : WS_VISIBLE) | c.style;
    HWND child = CreateWindowExW(c.exStyle, c.kind, c.text, style, c.place.left, c.place.top, c.place.right,
                                 c.place.bottom, parent, MenuId(c.id), ModuleInstance, nullptr);
    if (!child) return nullptr;
    if (c.font) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(c.font), FALSE);
    if (c.noMargins) SendMessageW(child, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    if (c.limit) SendMessageW(child, EM_SETLIMITTEXT, c.limit, 0);
    return child;
}
