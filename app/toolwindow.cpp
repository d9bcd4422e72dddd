#include "app/toolwindow.h"

#include <map>
#include <vector>

#include "app/globals.h"
#include "text/uistrings.h"
#include "win/handles.h"
#include "win/session.h"
#include "win/windowclass.h"

namespace {

HWND g_toolWindow = nullptr;

// One table per description, made when its window first needs it.
HACCEL AcceleratorsOf(const ToolWindowSpec& spec) {
    static std::map<const ToolWindowSpec*, UniqueAccelerators> tables;
    if (spec.accelerators.empty()) return nullptr;
    UniqueAccelerators& table = tables[&spec];
    if (!table) {
        std::vector<ACCEL> entries(spec.accelerators.begin(), spec.accelerators.end());
        table.Reset(CreateAcceleratorTableW(entries.data(), static_cast<int>(entries.size())));
    }
    return table.Get();
}

// The description rides in the window's user data: a property would cost a round trip
// to the window server under some systems on every message.
const ToolWindowSpec* SpecOf(HWND window) {
    return reinterpret_cast<const ToolWindowSpec*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void Place(HWND window, const ToolWindowSpec& spec) {
    ApplyStayOnTop(window);
    if (spec.savedPosition) RestoreWindowPosition(window, *spec.savedPosition);
}

void End(HWND window, const ToolWindowSpec& spec) {
    if (spec.savedPosition) *spec.savedPosition = TakeWindowPosition(window);
    const bool replaced = spec.beingReplaced && spec.beingReplaced();
    if (g_toolWindow == window) g_toolWindow = nullptr;
    if (spec.clearState) spec.clearState();
    if (spec.role == WindowRole::Tool && !replaced) EndToolWindow();
}

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        const auto* created = static_cast<const ToolWindowSpec*>(create->lpCreateParams);
        if (created && created->role == WindowRole::Tool) g_toolWindow = window;
    }
    const ToolWindowSpec* spec = SpecOf(window);
    if (!spec || !spec->procedure) return DefWindowProcW(window, message, wParam, lParam);
    const LRESULT result = spec->procedure(window, message, wParam, lParam);
    if (message == WM_CREATE && result == 0) Place(window, *spec);
    if (message == WM_DESTROY) End(window, *spec);
    if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    return result;
}

}  // namespace

HWND OpenedToolWindow() { return g_toolWindow; }

bool TranslateToolWindowMessage(MSG& message) {
    HWND tool = g_toolWindow;
    if (!tool || (message.hwnd != tool && !IsChild(tool, message.hwnd))) return false;
    const ToolWindowSpec* spec = SpecOf(tool);
    HACCEL accelerators = spec ? AcceleratorsOf(*spec) : nullptr;
    return accelerators && TranslateAcceleratorW(tool, accelerators, &message);
}

SIZE ToolWindowSize(const ToolWindowSpec& spec) {
    const int height = spec.clientHeight ? spec.height + CaptionHeight + MenuHeight : spec.height;
    return {spec.width, height};
}

HWND OpenToolWindowFrame(const ToolWindowSpec& spec) {
    RegisterProgramClass(spec.className, FrameProc);
    const SIZE size = ToolWindowSize(spec);
    const std::wstring caption = spec.captionText ? spec.captionText() : std::wstring(UiText(spec.caption));
    UniqueMenu menu(spec.makeMenu ? spec.makeMenu() : nullptr);
    HWND window = CreateWindowExW(0, spec.className, caption.c_str(), spec.style, (ScreenWidth - size.cx) / 2,
                                  (ScreenHeight - size.cy) / 2, size.cx, size.cy, nullptr, menu.Get(),
                                  ModuleInstance, const_cast<ToolWindowSpec*>(&spec));
    if (!window) return nullptr;
    menu.Release();  // the window owns it now
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    return window;
}
