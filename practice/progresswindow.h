// The Progress window (class "voortgang"): the figures of the current practice list's
// review, painted. Opened from the main window's Help menu as a tool window of its
// own, or from the review window's menu over it.
#pragma once

#include <windows.h>

#include <string>

class ReviewSession;

inline constexpr wchar_t kProgressWindowClass[] = L"voortgang";

HWND OpenProgressWindow();
// Over the review window, with the figures of its session as they stand.
HWND OpenProgressOver(const ReviewSession& session);

// "<practice list> (<first language>-<second language>)"
std::wstring ProgressTitle();
