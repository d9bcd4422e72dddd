// Every window class of the program looks the same to the system: redrawn whole on
// resizing, the program's icon, the arrow cursor and a light grey background.
#pragma once

#include <windows.h>

// Registers the class in ModuleInstance; true when it is registered (also from before).
bool RegisterProgramClass(const wchar_t* name, WNDPROC procedure);
