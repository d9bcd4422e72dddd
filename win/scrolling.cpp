#include "win/scrolling.h"

int ThumbPosition(HWND bar, WPARAM wParam) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_TRACKPOS;
    // The tracked position belongs to this message only while its low 16 bits agree.
    if (bar && GetScrollInfo(bar, SB_CTL, &info) && (info.nTrackPos & 0xFFFF) == HIWORD(wParam))
        return info.nTrackPos;
    return HIWORD(wParam);
}
