#include "app/lazylibrary.h"

FARPROC LazyLibraryFunction(const wchar_t* library, const char* function) {
    HMODULE module = GetModuleHandleW(library);
    if (!module) module = LoadLibraryW(library);
    return module ? GetProcAddress(module, function) : nullptr;
}
