#include "entry/picker.h"

#include <vector>

#include "app/controls.h"
#include "app/fonts.h"
#include "app/toolwindow.h"
#include "entry/characters.h"
#include "text/codepage.h"
#include "text/uistrings.h"
#include "win/dpi.h"
#include "win/handles.h"
#include "win/session.h"

namespace {

constexpr int kFirstWidth = 535;
constexpr int kFirstClientHeight = 26;
constexpr int kFontPoints = 11;

struct PickerState {
    HWND host = nullptr;
    HWND target = nullptr;
    PickerLanguage language;
    HWND window = nullptr;
    PickerCharacters characters;
    UniqueFont font;
};
PickerState g_picker;

UINT PickerCodePage() { return CharsetToCodePage(g_picker.language.charset); }

void CreateButtons(HWND window) {
    const std::string& bytes = g_picker.characters.bytes;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const wchar_t text[2] = {PickerCharacter(bytes[i], PickerCodePage()), L'\0'};
        const POINT at = PickerButtonPosition(i, bytes.size());
        CreateChild(window, {.kind = L"button",
                             .text = text,
                             .place = {at.x, at.y, kPickerButtonWidth, kPickerButtonHeight},
                             .id = static_cast<int>(i),
                             .font = g_picker.font.Get()});
    }
}

// The caption and borders as the window has them at its DPI, which the system's
// figures for an empty client rectangle know only for the DPI the program started at.
RECT FrameInsets(HWND window) {
    RECT outer{};
    RECT client{};
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    return {outer.left - client.left, outer.top - client.top, outer.right - client.right, outer.bottom - client.bottom};
}

void PlaceAboveHost(HWND window) {
    const SIZE size = PickerWindowSize(g_picker.characters, FrameInsets(window), WindowDpi(window));
    RECT host{};
    if (!g_picker.host || !GetWindowRect(g_picker.host, &host)) host = {0, size.cy, size.cx, size.cy};
    const POINT at = PickerPlacement(host, size);
    MoveWindow(window, at.x, at.y, size.cx, size.cy, TRUE);
}

LRESULT OnCreate(HWND window) {
    g_picker.font.Reset(CreateScaledFont(kFontPoints, FW_NORMAL, kDefaultWordFace, g_picker.language.charset));
    g_picker.characters = ReadPickerCharacters(g_picker.language.name);
    CreateButtons(window);
    PlaceAboveHost(window);
    return 0;
}

void OnCommand(WPARAM wParam) {
    if (HIWORD(wParam) != BN_CLICKED) return;
    const std::size_t index = LOWORD(wParam);
    if (index >= g_picker.characters.bytes.size() || !g_picker.target) return;
    SetFocus(g_picker.target);
    const wchar_t c = PickerCharacter(g_picker.characters.bytes[index], PickerCodePage());
    // Typed through the edit's own handling, so its text limit and subclassing apply.
    SendMessageW(g_picker.target, WM_CHAR, c, 1);
}

void OnDestroy(HWND window) {
    g_picker.font.Reset();
    if (g_picker.window == window) g_picker.window = nullptr;
    if (g_picker.target && IsWindow(g_picker.target)) SetFocus(g_picker.target);
}

LRESULT CALLBACK PickerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: return OnCreate(window);
    case WM_COMMAND: OnCommand(wParam); return 0;
    case WM_DESTROY: OnDestroy(window); return 0;
    // The strip comes and goes with its host's menu, which would not know of another
    // way out: Escape or Alt+F4 hand the keyboard back to the edit it types into.
    case WM_CLOSE: FocusPickerTarget(); return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

const ToolWindowTraits kPickerTraits{
    .className = kPickerClass,
    .caption = Ui::CharacterSet,
    .width = kFirstWidth,
    .height = kFirstClientHeight,
    .style = WS_CAPTION,
    .procedure = PickerProc,
    .role = WindowRole::Helper,
    .dpiChanged = PlaceAboveHost,
};

}  // namespace

void SetPickerHost(HWND host) {
    g_picker.host = host;
    g_picker.window = nullptr;
}
void SetPickerTarget(HWND edit) { g_picker.target = edit; }
HWND PickerTarget() { return g_picker.target; }

void FocusPickerTarget() {
    if (PickerTarget() && IsWindow(PickerTarget())) SetFocus(PickerTarget());
}
void SetPickerLanguage(const PickerLanguage& language) { g_picker.language = language; }
const PickerLanguage& CurrentPickerLanguage() { return g_picker.language; }
HWND PickerWindow() { return g_picker.window; }

HWND OpenCharacterPicker() {
    g_picker.window = OpenToolWindowFrame(kPickerTraits);
    return g_picker.window;
}

void CloseCharacterPicker() {
    if (g_picker.window && IsWindow(g_picker.window)) DestroyWindow(g_picker.window);
    g_picker.window = nullptr;
}

void RecreateCharacterPicker() {
    CloseCharacterPicker();
    OpenCharacterPicker();
    if (g_picker.target && IsWindow(g_picker.target)) SetFocus(g_picker.target);
}

void ShowPickerFromMenu(HWND host, int showCommand, int hideCommand, bool show) {
    HMENU menu = GetMenu(host);
    CheckMenuItem(menu, showCommand, MF_BYCOMMAND | (show ? MF_CHECKED : MF_UNCHECKED));
    CheckMenuItem(menu, hideCommand, MF_BYCOMMAND | (show ? MF_UNCHECKED : MF_CHECKED));
    if (show)
        RecreateCharacterPicker();
    else
        CloseCharacterPicker();
}

void LeavePickerHost() {
    SetPickerTarget(nullptr);
    CloseCharacterPicker();
    SetPickerHost(nullptr);
}

void PickerFollowsEdit(HWND edit, const PickerLanguage& language, bool pickerShown) {
    g_picker.target = edit;
    if (g_picker.language.charset == language.charset) return;
    g_picker.language = language;
    if (pickerShown) RecreateCharacterPicker();
}
