// Whether the texts of a window fit: each child control's text measured with the
// control's own font against its rectangle, and each label the window paints measured
// against its place and the controls beside it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct TextMisfit {
    std::wstring text;
    std::wstring why;
};

// The window is painted once for the labels; it must be visible.
std::vector<TextMisfit> TextMisfits(HWND window);

// The window told it moved to a monitor of another DPI, with the rectangle the system
// would suggest, as it happens when it is dragged there.
void SimulateDpiChange(HWND window, UINT dpi);

// Each child control's place in its window's client area and the height of its font.
struct ChildLayout {
    HWND child;
    RECT place;
    LONG fontHeight;
};
std::vector<ChildLayout> ChildLayouts(HWND window);
// The children whose place or font did not follow a change from 96 DPI to `dpi` (edges
// and font heights scaled), one line each; empty when every one did.
std::string UnscaledChildren(const std::vector<ChildLayout>& at96, const std::vector<ChildLayout>& now, UINT dpi);

// One line per misfit, for a test's failure message.
std::string DescribeMisfits(const std::vector<TextMisfit>& misfits);
