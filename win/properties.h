// Window properties named by atoms added once. A property named by a string adds a
// reference to the string's global atom each time it is set, and a property a window
// still holds when it is destroyed keeps that reference for good: controls made and
// destroyed all day would keep adding them.
#pragma once

#include <windows.h>

// The name to give SetPropW, GetPropW and RemovePropW for `name` (the string itself when
// no atom can be added).
LPCWSTR PropertyKey(const wchar_t* name);
