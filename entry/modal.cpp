#include "entry/modal.h"

bool RunOwnedModal(HWND owner, HWND window) {
    if (!window) return false;
    if (owner) {
        // Owned, it stays above the window that asked for it and goes with it.
        SetWindowLongPtrW(window, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
        EnableWindow(owner, FALSE);
    }
    MSG msg{};
    bool quit = false;
    while (IsWindow(window)) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            quit = true;
            break;
        }
        if (!IsDialogMessageW(window, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    if (owner) EnableWindow(owner, TRUE);
    if (!quit) return true;
    if (IsWindow(window)) DestroyWindow(window);
    PostQuitMessage(static_cast<int>(msg.wParam));
    return false;
}

void EndOwnedModal(HWND owner, HWND window) {
    if (owner) EnableWindow(owner, TRUE);
    DestroyWindow(window);
}
