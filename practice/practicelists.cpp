#include "practice/practicelists.h"

#include <windows.h>

#include <cwchar>
#include <functional>

#include "text/uistrings.h"
#include "win/handles.h"

namespace {

std::wstring ListRootPattern() {
    std::wstring pattern = UiText(Ui::PathNameList);
    if (!pattern.empty() && pattern.back() != L'\\' && pattern.back() != L'/') pattern += L'\\';
    return pattern + L"*.*";
}

// Calls `visit` with every folder entry of the root; false when the root cannot be read.
bool ForEachRootFolder(const std::function<bool(const wchar_t* name)>& visit) {
    WIN32_FIND_DATAW found{};
    UniqueFind find(FindFirstFileW(ListRootPattern().c_str(), &found));
    if (!find) return false;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !visit(found.cFileName)) break;
    } while (FindNextFileW(find.Get(), &found));
    return true;
}

}  // namespace

int CountPracticeLists() {
    int count = 0;
    ForEachRootFolder([&count](const wchar_t*) {
        ++count;
        return true;
    });
    return count;
}

bool PracticeListExists(const std::wstring& name) {
    bool exists = false;
    ForEachRootFolder([&](const wchar_t* folder) {
        exists = folder[0] != L'.' && _wcsicmp(folder, name.c_str()) == 0;
        return !exists;
    });
    return exists;
}
