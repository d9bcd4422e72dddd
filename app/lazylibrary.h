// Functions of system libraries that only one rarely used window needs. Loading them
// on first use, instead of with the program, keeps start-up short.
#pragma once

#include <windows.h>

// The library stays loaded for the rest of the run once it was needed.
FARPROC LazyLibraryFunction(const wchar_t* library, const char* function);

template <typename Function>
Function LazyFunction(const wchar_t* library, const char* function) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(LazyLibraryFunction(library, function)));
}
