#include "app/toolwindow.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>
#include <vector>

#include "app/controls.h"
#include "app/globals.h"
#include "text/uistrings.h"
#include "win/dpi.h"
#include "win/handles.h"
#include "win/session.h"
#include "win/windowclass.h"

namespace {

HWND g_toolWindow = nullptr;
// Every window of the frame that lives, tool and helper windows alike.
std::set<HWND> g_frameWindows;
// The window the Alt key last went down in.
HWND g_altDownIn = nullptr;

// One table per description, made when its window first needs it.
HACCEL AcceleratorsOf(const ToolWindowTraits& traits) {
    static std::map<const ToolWindowTraits*, UniqueAccelerators> tables;
    if (traits.accelerators.empty()) return nullptr;
    UniqueAccelerators& table = tables[&traits];
    if (!table) {
        std::vector<ACCEL> entries(traits.accelerators.begin(), traits.accelerators.end());
        table.Reset(CreateAcceleratorTableW(entries.data(), static_cast<int>(entries.size())));
    }
    return table.Get();
}

// The description rides in the window's user data: a property would cost a round trip
// to the window server under some systems on every message.
const ToolWindowTraits* TraitsOf(HWND window) {
    return reinterpret_cast<const ToolWindowTraits*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void Place(HWND window, const ToolWindowTraits& traits) {
    SortTabOrder(window);
    ApplyStayOnTop(window);
    if (traits.savedPosition) RestoreWindowPosition(window, *traits.savedPosition);
}

void End(HWND window, const ToolWindowTraits& traits) {
    if (traits.savedPosition) *traits.savedPosition = TakeWindowPosition(window);
    const bool replaced = traits.beingReplaced && traits.beingReplaced();
    if (g_toolWindow == window) g_toolWindow = nullptr;
    if (traits.clearState) traits.clearState();
    if (traits.role == WindowRole::Tool && !replaced) EndToolWindow();
}

// A move to a monitor of another DPI: the suggested rectangle, then every control at
// its place and with its fonts for the new DPI, then what the window does itself.
void ChangeDpi(HWND window, const ToolWindowTraits& traits, WPARAM wParam, LPARAM lParam) {
    ApplyDpiChange(window, wParam, lParam);
    if (traits.dpiChanged) traits.dpiChanged(window);
}

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        const auto* created = static_cast<const ToolWindowTraits*>(create->lpCreateParams);
        if (created && created->role == WindowRole::Tool) g_toolWindow = window;
        g_frameWindows.insert(window);
    }
    const ToolWindowTraits* traits = TraitsOf(window);
    if (!traits || !traits->procedure) return DefWindowProcW(window, message, wParam, lParam);
    const LRESULT result = traits->procedure(window, message, wParam, lParam);
    if (message == WM_CREATE && result == 0) Place(window, *traits);
    if (message == WM_DPICHANGED) ChangeDpi(window, *traits, wParam, lParam);
    if (message == WM_DESTROY) End(window, *traits);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        g_frameWindows.erase(window);
    }
    return result;
}

// --- keys ---------------------------------------------------------------------------

bool Pressed(int key) { return GetKeyState(key) < 0; }

bool MovesFocus(HWND frame, const MSG& message) {
    if (message.message != WM_KEYDOWN || message.wParam != VK_TAB || Pressed(VK_CONTROL) || Pressed(VK_MENU))
        return false;
    HWND focus = GetFocus();
    HWND next = GetNextDlgTabItem(frame, focus && IsChild(frame, focus) ? focus : nullptr, Pressed(VK_SHIFT));
    if (!next) return true;
    SetFocus(next);
    // As in a dialog: the text of an edit reached with Tab is selected, ready to be replaced.
    if (SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(next, EM_SETSEL, 0, -1);
    // The keyboard is in use: the focused control shows its focus rectangle.
    SendMessageW(frame, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    return true;
}

bool Closes(HWND frame, const ToolWindowTraits& traits, const MSG& message) {
    if (message.message != WM_KEYDOWN || message.wParam != VK_ESCAPE || traits.ownsEscape) return false;
    // An open drop-down list closes first, as Escape does everywhere.
    HWND focus = GetFocus();
    if (focus && (SendMessageW(focus, CB_GETDROPPEDSTATE, 0, 0) ||
                  SendMessageW(GetParent(focus), CB_GETDROPPEDSTATE, 0, 0)))
        return false;
    PostMessageW(frame, WM_CLOSE, 0, 0);
    return true;
}

// The Alt key released in a window it did not go down in (a shortcut in the main window
// opened this one) would put the new window's menu bar in menu mode. Released after
// another key went down with it, the Alt key comes as a plain key release, which the
// default handling of some systems still takes for the menu key: the shortcut's key
// went to the accelerators, never through that handling.
bool SwallowsAltRelease(HWND root, const MSG& message) {
    if (message.wParam != VK_MENU) return false;
    if (message.message == WM_SYSKEYDOWN) g_altDownIn = root;
    if (message.message != WM_SYSKEYUP && message.message != WM_KEYUP) return false;
    const bool elsewhere = g_altDownIn != root;
    g_altDownIn = nullptr;
    return elsewhere;
}

}  // namespace

HWND OpenedToolWindow() { return g_toolWindow; }

bool TranslateToolWindowMessage(MSG& message) {
    // Every message of the thread passes here; only keys concern the frame.
    if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST) return false;
    HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (!root) return false;
    if (SwallowsAltRelease(root, message)) return true;
    if (!g_frameWindows.count(root)) return false;
    const ToolWindowTraits* traits = TraitsOf(root);
    if (!traits) return false;
    HACCEL accelerators = AcceleratorsOf(*traits);
    if (accelerators && TranslateAcceleratorW(root, accelerators, &message)) return true;
    return MovesFocus(root, message) || Closes(root, *traits, message);
}

SIZE ToolWindowSize(const ToolWindowTraits& traits, UINT dpi) {
    if (!traits.clientHeight) return {Scaled(traits.width, dpi), Scaled(traits.height, dpi)};
    const int frame = dpi == SystemDpi() ? CaptionHeight + MenuHeight
                                         : SystemMetricForDpi(SM_CYCAPTION, dpi) + SystemMetricForDpi(SM_CYMENU, dpi);
    return {Scaled(traits.width, dpi), Scaled(traits.height, dpi) + frame};
}

void SortTabOrder(HWND window) {
    struct Child {
        HWND handle;
        RECT at;
    };
    std::vector<Child> children;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT at{};
        GetWindowRect(child, &at);
        children.push_back({child, at});
    }
    // Controls whose tops lie within a few pixels stand on one line.
    const int line = Scaled(8, WindowDpi(window));
    std::stable_sort(children.begin(), children.end(), [line](const Child& a, const Child& b) {
        if (std::abs(a.at.top - b.at.top) > line) return a.at.top < b.at.top;
        return a.at.left < b.at.left;
    });
    HWND after = HWND_TOP;
    for (const Child& child : children) {
        SetWindowPos(child.handle, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
        after = child.handle;
    }
}

HWND OpenToolWindowFrame(const ToolWindowTraits& traits) {
    RegisterProgramClass(traits.className, FrameProc);
    const UINT dpi = SystemDpi();
    const SIZE size = ToolWindowSize(traits, dpi);
    const std::wstring caption = traits.captionText ? traits.captionText() : std::wstring(UiText(traits.caption));
    UniqueMenu menu(traits.makeMenu ? traits.makeMenu() : nullptr);
    HWND window = CreateWindowExW(0, traits.className, caption.c_str(), traits.style, (ScreenWidth - size.cx) / 2,
                                  (ScreenHeight - size.cy) / 2, size.cx, size.cy, nullptr, menu.Get(),
                                  ModuleInstance, const_cast<ToolWindowTraits*>(&traits));
    if (!window) return nullptr;
    menu.Release();  // the window owns it now
    // Made on a monitor of another DPI than the one it was sized for.
    if (const UINT actual = WindowDpi(window); actual != dpi) {
        const SIZE resized = ToolWindowSize(traits, actual);
        SetWindowPos(window, nullptr, 0, 0, resized.cx, resized.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    return window;
}
