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

// One line per misfit, for a test's failure message.
std::string DescribeMisfits(const std::vector<TextMisfit>& misfits);
