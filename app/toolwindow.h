// The frame every window of an activity shares. A tool window is one top-level window
// of its own class, opened from the main window, which hides while it lives; a helper
// window (the character picker, the add-random window) is opened by a tool window.
// The frame registers the class, centres the window on the screen, gives it its menu
// and shows it; once the window has made its controls it becomes topmost when the
// stay-on-top flag says so and moves to its saved position; at its end the frame keeps
// that position, clears the window's state and brings the main window back.
#pragma once

#include <windows.h>

#include <span>
#include <string>

#include "text/uikeys.h"
#include "win/windowpos.h"

enum class WindowRole { Tool, Helper };

struct ToolWindowTraits {
    const wchar_t* className = nullptr;
    Ui caption = Ui::Lingorix;
    std::wstring (*captionText)() = nullptr;  // made at opening, instead of `caption`
    int width = 0;
    int height = 0;
    // `height` is the client area's: caption and menu height are added (also without a
    // menu, the rule of the program's tool windows).
    bool clientHeight = true;
    DWORD style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    HMENU (*makeMenu)() = nullptr;
    WindowPosition* savedPosition = nullptr;  // none: opens centred every time
    // The window's own procedure; the frame sees every message after it.
    WNDPROC procedure = nullptr;
    // Called once the window and its children are gone from the window's point of view
    // (after its WM_DESTROY), so a later opening starts from nothing.
    void (*clearState)() = nullptr;
    WindowRole role = WindowRole::Tool;
    // True while the window is being replaced by a new one of its kind (the Search
    // window changing its size): then its end does not bring the main window back.
    bool (*beingReplaced)() = nullptr;
    // Keyboard shortcuts of the window's own commands, wherever its focus is.
    std::span<const ACCEL> accelerators{};
    // Escape closes the window, as its close box does, unless it means something of its
    // own there (showing the answer, say).
    bool ownsEscape = false;
    // After a move to a monitor of another DPI the frame has moved the controls and given
    // them their fonts again; a window with more to do (fonts it paints with are already
    // right) does it here.
    void (*dpiChanged)(HWND window) = nullptr;
};

// Opens the window described; the description must outlive the window. nullptr when
// it could not be created.
HWND OpenToolWindowFrame(const ToolWindowTraits& traits);

// The tool window that is open; nullptr when none is (helper windows do not count).
HWND OpenedToolWindow();

// The message loop hands every message here first. In the program's windows Tab and
// Shift+Tab move between the controls, Escape closes, a shortcut of the window becomes
// its command, and the Alt key released after a shortcut opened a window does not put
// that window's menu bar in menu mode. True when the message was used up.
bool TranslateToolWindowMessage(MSG& message);

// The outer size the frame gives the window at a DPI.
SIZE ToolWindowSize(const ToolWindowTraits& traits, UINT dpi);

// Puts the window's controls in reading order (top to bottom, left to right) for Tab.
void SortTabOrder(HWND window);
