#include "store/folders.h"

#include <windows.h>

#include "win/handles.h"

void MakeFolders(const std::wstring& path) {
    for (std::size_t pos = path.find_first_of(L"\\/"); pos != std::wstring::npos;
         pos = path.find_first_of(L"\\/", pos + 1))
        if (pos > 0) CreateDirectoryW(path.substr(0, pos).c_str(), nullptr);
    CreateDirectoryW(path.c_str(), nullptr);
}

void RemoveFolderTree(const std::wstring& path) {
    WIN32_FIND_DATAW found{};
    UniqueFind find(FindFirstFileW((path + L"\\*").c_str(), &found));
    if (find) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring child = path + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveFolderTree(child);
            else
                DeleteFileW(child.c_str());
        } while (FindNextFileW(find.Get(), &found));
    }
    RemoveDirectoryW(path.c_str());
}
