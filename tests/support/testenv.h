// Shared helpers for the tests: temporary working folders, files, and the shipped
// English UI strings.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A new, empty folder in the temporary folder, named after the prefix and this process.
std::wstring CreateUniqueTempFolder(const std::wstring& prefix);

// A fresh folder that is the current directory while the object lives; removed
// with everything in it afterwards.
class TempDirectory {
public:
    TempDirectory();
    ~TempDirectory();
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;

    const std::wstring& Path() const { return path_; }
    std::wstring Full(const std::wstring& relative) const { return path_ + L"\\" + relative; }

private:
    std::wstring path_;
    std::wstring previous_;
};

// Files relative to the current directory; folders on the way are created.
void WriteBytes(const std::wstring& path, std::string_view bytes);
std::string ReadBytes(const std::wstring& path);
bool FileExists(const std::wstring& path);
// Every file below the folder with its bytes, by path: shows what was written there.
std::map<std::wstring, std::string> FilesBelow(const std::wstring& folder);
void MakeDirectories(const std::wstring& path);
void RemoveTree(const std::wstring& path);

std::wstring EnvironmentValue(const wchar_t* name);
// The project's source folder (set by CTest), as a Windows path.
std::wstring SourceDirectory();

// The shipped English strings source, parsed.
std::string EnglishStringsSource();
// Installs the English UI texts, with some values replaced.
void InstallEnglishUiStrings(std::initializer_list<std::pair<std::string, std::string>> overrides = {});

// Appends key presses as a user makes a chord: every key down in order, then up in
// reverse order. SendKeyboardInputs sends them in one go; false when not all went out.
void AppendChord(std::vector<INPUT>& inputs, std::initializer_list<WORD> keys);
bool SendKeyboardInputs(std::vector<INPUT> inputs);

// Waits for a condition, pumping this thread's messages, up to the timeout.
template <typename Condition>
bool WaitFor(Condition condition, DWORD timeoutMs = 15000) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (GetTickCount() - start > timeoutMs) return condition();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}
