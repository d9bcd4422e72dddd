#include "support/testenv.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>

#include "store/folders.h"
#include "win/handles.h"
#include "text/stringsource.h"
#include "text/uistrings.h"

namespace {

std::wstring CurrentDirectory() {
    std::array<wchar_t, MAX_PATH> buffer{};
    GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
    return buffer.data();
}

}  // namespace

std::wstring CreateUniqueTempFolder(const std::wstring& prefix) {
    std::array<wchar_t, MAX_PATH> base{};
    GetTempPathW(static_cast<DWORD>(base.size()), base.data());
    static unsigned counter = 0;
    for (;;) {
        const std::wstring path = std::wstring(base.data()) + prefix + std::to_wstring(GetCurrentProcessId()) + L"_" +
                                  std::to_wstring(++counter);
        if (CreateDirectoryW(path.c_str(), nullptr)) return path;
    }
}

TempDirectory::TempDirectory() : path_(CreateUniqueTempFolder(L"lgx")), previous_(CurrentDirectory()) {
    SetCurrentDirectoryW(path_.c_str());
}

TempDirectory::~TempDirectory() {
    SetCurrentDirectoryW(previous_.c_str());
    RemoveTree(path_);
}

void MakeDirectories(const std::wstring& path) { MakeFolders(path); }

void WriteBytes(const std::wstring& path, std::string_view bytes) {
    const std::size_t slash = path.find_last_of(L"\\/");
    if (slash != std::wstring::npos) MakeDirectories(path.substr(0, slash));
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << "cannot create test file";
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_EQ(written, bytes.size());
}

std::string ReadBytes(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    LARGE_INTEGER size{};
    GetFileSizeEx(file, &size);
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty()) ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::map<std::wstring, std::string> FilesBelow(const std::wstring& folder) {
    std::map<std::wstring, std::string> files;
    WIN32_FIND_DATAW found{};
    UniqueFind find(FindFirstFileW((folder + L"\\*").c_str(), &found));
    for (bool more = find.Valid(); more; more = FindNextFileW(find.Get(), &found)) {
        const std::wstring name = found.cFileName, path = folder + L"\\" + name;
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            files[path] = ReadBytes(path);
        else if (name != L"." && name != L"..")
            files.merge(FilesBelow(path));
    }
    return files;
}

void RemoveTree(const std::wstring& path) { RemoveFolderTree(path); }

std::wstring EnvironmentValue(const wchar_t* name) {
    std::array<wchar_t, 4096> buffer{};
    const DWORD n = GetEnvironmentVariableW(name, buffer.data(), static_cast<DWORD>(buffer.size()));
    return n > 0 && n < buffer.size() ? std::wstring(buffer.data(), n) : std::wstring();
}

std::wstring SourceDirectory() {
    // CTest passes a Unix path; Wine maps the root of the Unix file system to Z:.
    std::wstring dir = EnvironmentValue(L"LINGORIX_SOURCE_DIR");
    if (!dir.empty() && dir[0] == L'/') dir = L"Z:" + dir;
    for (wchar_t& c : dir)
        if (c == L'/') c = L'\\';
    return dir;
}

std::string EnglishStringsSource() { return ReadBytes(SourceDirectory() + L"\\data\\strings\\english.txt"); }

void InstallEnglishUiStrings(std::initializer_list<std::pair<std::string, std::string>> overrides) {
    StringSource source = ParseStringSource(EnglishStringsSource());
    ASSERT_TRUE(source.Ok()) << "english.txt line " << source.errorLine << ": " << source.error;
    for (const auto& [key, value] : overrides) {
        bool replaced = false;
        for (StringEntry& entry : source.entries)
            if (entry.key == key) {
                entry.value = value;
                replaced = true;
            }
        if (!replaced) source.entries.push_back({key, value});
    }
    const UiLoadResult result = InstallUiStrings(EntriesToPlain(source.entries));
    ASSERT_TRUE(result.Ok()) << "missing key " << result.missingKey;
}

void AppendChord(std::vector<INPUT>& inputs, std::initializer_list<WORD> keys) {
    for (WORD key : keys) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        inputs.push_back(input);
    }
    for (auto it = keys.end(); it != keys.begin();) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = *--it;
        input.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
}

bool SendKeyboardInputs(std::vector<INPUT> inputs) {
    return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}
