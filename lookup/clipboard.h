// Words on the clipboard. The clipboard gets both the Unicode text and the 8-bit text
// in the word list's code page, so a Greek or Russian word arrives whole in programs
// of either kind; reading prefers the Unicode text for the same reason.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

bool ClipboardHasText();
// The clipboard's text cut to at most maxChars characters (never a lone half of a
// surrogate pair); nothing when the clipboard holds no text or cannot be opened.
// 8-bit text is read in the given code page.
std::optional<std::wstring> ReadClipboardText(HWND owner, UINT codePage, std::size_t maxChars);
// Replaces the clipboard's contents with the text; false when nothing was put there.
bool WriteClipboardText(HWND owner, std::wstring_view text, UINT codePage);

// The text of a clipboard block, never read past its size: up to its first zero.
std::wstring WideTextOfBlock(const void* data, std::size_t bytes, std::size_t maxChars);
std::wstring NarrowTextOfBlock(const void* data, std::size_t bytes, UINT codePage, std::size_t maxChars);
