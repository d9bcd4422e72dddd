#include "support/classspy.h"

#include <map>

namespace {

HWND g_sample = nullptr;
WNDPROC g_classProcedure = nullptr;
std::map<UINT, int> g_counts;

LRESULT CALLBACK SpyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ++g_counts[message];
    return CallWindowProcW(g_classProcedure, window, message, wParam, lParam);
}

}  // namespace

ClassProcedureSpy::ClassProcedureSpy(const wchar_t* className) {
    g_counts.clear();
    g_sample = CreateWindowExW(0, className, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, GetModuleHandleW(nullptr),
                               nullptr);
    g_classProcedure = reinterpret_cast<WNDPROC>(
        SetClassLongPtrW(g_sample, GCLP_WNDPROC, reinterpret_cast<LONG_PTR>(SpyProc)));
}

ClassProcedureSpy::~ClassProcedureSpy() {
    SetClassLongPtrW(g_sample, GCLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_classProcedure));
    DestroyWindow(g_sample);
    g_sample = nullptr;
}

int ClassProcedureSpy::Count(UINT message) const {
    const auto it = g_counts.find(message);
    return it == g_counts.end() ? 0 : it->second;
}
