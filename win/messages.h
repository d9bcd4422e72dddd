// Every message box of the program goes through here, so tests can answer them.
#pragma once

#include <windows.h>

#include <functional>

int ShowMessage(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type);

using MessageHook = std::function<int(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type)>;
// Replaces the message box (for tests); an empty hook restores it.
void SetMessageHook(MessageHook hook);
