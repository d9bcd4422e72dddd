// Where the settings section lives. The profile functions would put it in the
// system's "win.ini", which a standard user cannot write on a current Windows, so the
// section is kept in "lingorix.ini" in the data folder; an earlier installation's
// section in "win.ini" is read until that file exists, and carried over whole by the
// first write.
#pragma once

#include <string>
#include <vector>

inline constexpr wchar_t kSettingsFileName[] = L"lingorix.ini";
inline constexpr wchar_t kLegacyProfileFile[] = L"win.ini";

// lingorix.ini in the current directory, as a full path: the profile functions take a
// name without a folder for one in the Windows folder.
std::wstring SettingsFilePath();

// The settings section of an earlier installation, read while the settings file does
// not exist; empty when there is none to carry over.
extern std::wstring LegacyProfileFile;

// The file to read the section from: the settings file once it exists.
std::wstring ProfileReadSource(const std::wstring& profile);
// The section as the profile functions hand it over: "key=value" strings, each ended
// by a zero, the whole ended by another.
std::vector<wchar_t> ReadProfileSection(const std::wstring& profile);

// Changes to the section, made on a copy of the file that replaces it in one step, so
// a failure half-way (a full disk, a crash) leaves the old settings whole. A settings
// file that cannot be written keeps what it had; the program goes on without it.
class ProfileUpdate {
public:
    explicit ProfileUpdate(std::wstring profile);
    ~ProfileUpdate();
    ProfileUpdate(const ProfileUpdate&) = delete;
    ProfileUpdate& operator=(const ProfileUpdate&) = delete;

    void Text(const wchar_t* key, const std::wstring& value);
    void Int(const wchar_t* key, int value) { Text(key, std::to_wstring(value)); }
    // False when the settings file was left as it was.
    bool Commit();

private:
    bool StartFromLegacySection();

    std::wstring profile_;
    std::wstring temp_;
    bool ok_ = false;
    bool committed_ = false;
};
