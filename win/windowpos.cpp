#include "win/windowpos.h"

WindowPosition TakeWindowPosition(HWND window) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(window, &placement)) return {};
    return {placement.rcNormalPosition.left, placement.rcNormalPosition.top};
}

POINT ScreenFromWorkspace(POINT workspace, POINT placementNow, POINT screenNow) {
    return {workspace.x + screenNow.x - placementNow.x, workspace.y + screenNow.y - placementNow.y};
}

void RestoreWindowPosition(HWND window, const WindowPosition& position) {
    if (!position.Saved()) return;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    RECT screen{};
    if (!GetWindowPlacement(window, &placement) || !GetWindowRect(window, &screen)) return;
    if (IsIconic(window) || IsZoomed(window)) {
        OffsetRect(&placement.rcNormalPosition, position.left - placement.rcNormalPosition.left,
                   position.top - placement.rcNormalPosition.top);
        SetWindowPlacement(window, &placement);
        return;
    }
    // The window's own placement and screen rectangle tell how far apart the two kinds
    // of coordinates lie here (the work area's offset on Windows, none under some
    // emulations), so the position comes back exactly where it was taken.
    const POINT at = ScreenFromWorkspace({position.left, position.top},
                                         {placement.rcNormalPosition.left, placement.rcNormalPosition.top},
                                         {screen.left, screen.top});
    SetWindowPos(window, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
