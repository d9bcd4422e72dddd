#include "lookup/lookupedit.h"

#include "app/controls.h"
#include "win/subclass.h"

namespace {

bool IsForwardedKey(WPARAM key) {
    return key == VK_RETURN || key == VK_PRIOR || key == VK_NEXT || key == VK_UP || key == VK_DOWN;
}

LRESULT CALLBACK LookUpEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN && IsForwardedKey(wParam)) {
        NotifyParent(edit, kKeyNotification, wParam);
        return 0;
    }
    // Keyboard messages only: other messages may carry 13 as a size or an index.
    if (message >= WM_KEYFIRST && message <= WM_KEYLAST && wParam == VK_RETURN) return 0;
    // The wheel moves the table the edit looks up in, as the keys do.
    if (message == WM_MOUSEWHEEL) return SendMessageW(GetParent(edit), message, wParam, lParam);
    return CallPreviousProc(edit, message, wParam, lParam);
}

}  // namespace

void ForwardLookUpKeys(HWND edit) { SubclassControl(edit, LookUpEditProc); }

HWND CreateLookUpEdit(HWND parent, int left, int top, int width, int height, HFONT font, bool visible) {
    ChildControl control = WordEdit({left, top, width, height}, kLookUpEditId, font, 0, 0);
    control.hidden = !visible;
    HWND edit = CreateChild(parent, control);
    if (edit) ForwardLookUpKeys(edit);
    return edit;
}
