#include "win/subclass.h"

// The previous procedure rides in the control's user data, which the system's controls
// leave to their owner: a window property would cost a round trip to the window server
// under some systems on every message the control gets.
void SubclassControl(HWND control, WNDPROC replacement) {
    const LONG_PTR previous = SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(replacement));
    SetWindowLongPtrW(control, GWLP_USERDATA, previous);
}

LRESULT CallPreviousProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(control, GWLP_USERDATA));
    if (!previous) return DefWindowProcW(control, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(control, GWLP_USERDATA, 0);
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    }
    return CallWindowProcW(previous, control, message, wParam, lParam);
}

void NotifyParent(HWND control, WORD code, WPARAM key) {
    const LPARAM lParam = MAKELPARAM(LOWORD(reinterpret_cast<UINT_PTR>(control)), LOWORD(key));
    SendMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code), lParam);
}
