#include "app/settingsfile.h"

#include <windows.h>

#include <utility>
#include <vector>

#include "app/settings.h"
#include "store/atomicfile.h"
#include "win/handles.h"

std::wstring LegacyProfileFile;

namespace {

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

std::vector<wchar_t> ReadProfileSection(const std::wstring& profile) {
    std::vector<wchar_t> buffer(4096);
    for (;;) {
        const DWORD n = GetPrivateProfileSectionW(kProfileSection, buffer.data(), static_cast<DWORD>(buffer.size()),
                                                  profile.c_str());
        if (n + 2 < buffer.size() || buffer.size() >= (1u << 20)) {
            buffer.resize(n + 2);
            buffer[n] = buffer[n + 1] = L'\0';
            return buffer;
        }
        buffer.resize(buffer.size() * 4);
    }
}

std::wstring SettingsFilePath() {
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD n = GetFullPathNameW(kSettingsFileName, static_cast<DWORD>(path.size()), path.data(), nullptr);
        if (n == 0) return std::wstring(L".\\") + kSettingsFileName;
        if (n < path.size()) return std::wstring(path.data(), n);
        path.resize(n + 1);
    }
}

std::wstring ProfileReadSource(const std::wstring& profile) {
    if (LegacyProfileFile.empty() || Exists(profile)) return profile;
    return LegacyProfileFile;
}

ProfileUpdate::ProfileUpdate(std::wstring profile) : profile_(std::move(profile)), temp_(profile_ + L".tmp") {
    if (Exists(profile_)) {
        // The copy takes a read-only mark along; the replacement refuses a read-only
        // settings file anyway, and the copy must stay removable.
        ok_ = CopyFileW(profile_.c_str(), temp_.c_str(), FALSE) != FALSE &&
              SetFileAttributesW(temp_.c_str(), FILE_ATTRIBUTE_NORMAL) != FALSE;
    } else {
        ok_ = StartFromLegacySection();
    }
}

ProfileUpdate::~ProfileUpdate() {
    if (!committed_) DeleteFileW(temp_.c_str());
}

bool ProfileUpdate::StartFromLegacySection() {
    UniqueFile empty(CreateFileW(temp_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                 nullptr));
    if (!empty.Valid()) return false;
    empty.Reset();
    if (LegacyProfileFile.empty()) return true;
    const std::vector<wchar_t> section = ReadProfileSection(LegacyProfileFile);
    if (section[0] == L'\0') return true;
    return WritePrivateProfileSectionW(kProfileSection, section.data(), temp_.c_str()) != FALSE;
}

void ProfileUpdate::Text(const wchar_t* key, const std::wstring& value) {
    if (ok_) ok_ = WritePrivateProfileStringW(kProfileSection, key, value.c_str(), temp_.c_str()) != FALSE;
}

bool ProfileUpdate::Commit() {
    if (!ok_ || committed_) return false;
    {
        UniqueFile file(CreateFileW(temp_.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.Valid() || !FlushFileBuffers(file.Get())) return ok_ = false;
    }
    if (!ReplaceFileAtomically(temp_, profile_)) return ok_ = false;
    committed_ = true;
    return true;
}
