// The UI strings file: every text the program shows, and the names of its folders
// and files, come from one scrambled strings file chosen in language.ini.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "text/uikeys.h"

struct UiLoadResult {
    enum class Status { Ok, FileMissing, KeyMissing };
    Status status = Status::Ok;
    std::string missingKey;  // the first key not found, for KeyMissing
    bool Ok() const { return status == Status::Ok; }
};

// Path of the strings file selected by language.ini in the current directory:
// <current dir>\strings\<Language>.str
std::wstring UiStringsPath();

// Reads, unscrambles and installs a strings file as the process-wide UI texts.
UiLoadResult LoadUiStringsFile(const std::wstring& path);
// Installs already unscrambled entries ("key=value\0...\0").
UiLoadResult InstallUiStrings(std::string plain);

// Start-up: loads the selected file; on failure shows the fixed message and ends the
// process with exit code 1.
void LoadUiStrings();

// Looks a key up in the installed texts (A-Z folded); nullptr when absent.
const wchar_t* LookUpUiText(std::string_view key);

// The text of a key that start-up checked; valid once loading succeeded. A later key
// the file lacks gives its English text.
const wchar_t* UiText(Ui key);
int UiTextInt(Ui key);  // leading decimal digits of the text, 0 without any

int UiCharset();
UINT UiCodePage();

// Faces for the program's own character-set numbers 600 and up; nullptr when the
// strings file announced none for that number.
const wchar_t* ForeignFontFace(int charset);

// The 8-bit copy is only needed while loading; the main window frees it at the end.
void FreeUiNarrowText();

// Fixed texts shown before any UI text exists.
inline constexpr wchar_t kNoStringsFileMessage[] = L"No strings file found.   ";
inline constexpr wchar_t kStringNotFoundFormat[] = L"String: %s not found.   ";
inline constexpr wchar_t kFixedCaption[] = L"Lingorix";
std::wstring StringNotFoundMessage(const std::string& key);
