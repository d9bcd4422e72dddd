// The program's start: strings, single instance, catalogue, selection, store, main
// window and the message loop.
#pragma once

#include <windows.h>

int RunLingorix(HINSTANCE instance, const wchar_t* commandLine, int showCommand);
