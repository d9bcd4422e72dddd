#include "lookup/lookupedit.h"

#include "app/globals.h"
#include "lookup/searchrows.h"

namespace {

constexpr wchar_t kPreviousProcProperty[] = L"LingorixLookUpEditProc";

WNDPROC PreviousProc(HWND edit) { return reinterpret_cast<WNDPROC>(GetPropW(edit, kPreviousProcProperty)); }

LRESULT CALLBACK LookUpEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    const WNDPROC previous = PreviousProc(edit);
    if (message == WM_KEYDOWN && IsTableKey(wParam)) {
        const LPARAM notifyParam = MAKELPARAM(LOWORD(reinterpret_cast<UINT_PTR>(edit)), LOWORD(wParam));
        SendMessageW(GetParent(edit), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(edit), kKeyNotification), notifyParam);
        return 0;
    }
    // The Enter character would only make the edit beep. Only key messages: a text
    // request for 13 characters is no key.
    if (wParam == VK_RETURN && message >= WM_KEYFIRST && message <= WM_KEYLAST) return 0;
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        RemovePropW(edit, kPreviousProcProperty);
    }
    return previous ? CallWindowProcW(previous, edit, message, wParam, lParam)
                    : DefWindowProcW(edit, message, wParam, lParam);
}

}  // namespace

bool ForwardLookUpKeys(HWND edit) {
    const LONG_PTR previous = GetWindowLongPtrW(edit, GWLP_WNDPROC);
    if (!previous || !SetPropW(edit, kPreviousProcProperty, reinterpret_cast<HANDLE>(previous))) return false;
    SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LookUpEditProc));
    return true;
}

HWND CreateLookUpEdit(HWND parent, int left, int top, int width, int height, HFONT font, bool visible) {
    HWND edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"edit", L"", WS_CHILD | WS_BORDER | (visible ? WS_VISIBLE : 0),
                                left, top, width, height, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kLookUpEditId)), ModuleInstance, nullptr);
    if (!edit) return nullptr;
    SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageW(edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    ForwardLookUpKeys(edit);
    return edit;
}
