#include "win/subclass.h"

namespace {
constexpr wchar_t kPreviousProcedure[] = L"LingorixPreviousProc";
}

void SubclassControl(HWND control, WNDPROC replacement) {
    const LONG_PTR previous = SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(replacement));
    SetPropW(control, kPreviousProcedure, reinterpret_cast<HANDLE>(previous));
}

LRESULT CallPreviousProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto previous = reinterpret_cast<WNDPROC>(GetPropW(control, kPreviousProcedure));
    if (!previous) return DefWindowProcW(control, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        RemovePropW(control, kPreviousProcedure);
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    }
    return CallWindowProcW(previous, control, message, wParam, lParam);
}

void NotifyParent(HWND control, WORD code, WPARAM key) {
    const LPARAM lParam = MAKELPARAM(LOWORD(reinterpret_cast<UINT_PTR>(control)), LOWORD(key));
    SendMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code), lParam);
}
