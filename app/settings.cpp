#include "app/settings.h"

#include <windows.h>

#include <array>

#include "text/uistrings.h"

Settings AppSettings;
std::wstring ProfileFile = kProfileFile;

namespace {

constexpr std::size_t kFaceNameChars = 48;
constexpr std::size_t kPracticeListChars = 148;

int ReadInt(const wchar_t* key, int fallback, const std::wstring& profile) {
    return static_cast<int>(GetPrivateProfileIntW(kProfileSection, key, fallback, profile.c_str()));
}

template <std::size_t Chars>
std::wstring ReadText(const wchar_t* key, const wchar_t* fallback, const std::wstring& profile) {
    std::array<wchar_t, Chars + 1> buffer{};
    GetPrivateProfileStringW(kProfileSection, key, fallback, buffer.data(), static_cast<DWORD>(buffer.size()),
                             profile.c_str());
    return buffer.data();
}

// The wide writer keeps the file's own encoding, so a practice list name comes
// back exactly as it was written whatever the code page of the interface.
void WriteText(const wchar_t* key, const std::wstring& value, const std::wstring& profile) {
    WritePrivateProfileStringW(kProfileSection, key, value.c_str(), profile.c_str());
}

void WriteInt(const wchar_t* key, int value, const std::wstring& profile) {
    WriteText(key, std::to_wstring(value), profile);
}

void ReadPosition(const wchar_t* leftKey, const wchar_t* topKey, WindowPosition& position,
                  const std::wstring& profile) {
    position.left = ReadInt(leftKey, kNoSavedPosition, profile);
    position.top = ReadInt(topKey, kNoSavedPosition, profile);
}

void WriteSavedPosition(const wchar_t* leftKey, const wchar_t* topKey, const WindowPosition& position,
                        const std::wstring& profile) {
    if (!position.Saved()) return;
    WriteInt(leftKey, position.left, profile);
    WriteInt(topKey, position.top, profile);
}

}  // namespace

void ReadStartSettings(Settings& s, const std::wstring& profile) {
    s.languageFont = ReadText<kFaceNameChars>(L"languagefont", L"Times New Roman", profile);
    s.guiFont = ReadText<kFaceNameChars>(L"guifont", L"Arial", profile);
    s.guiFontSize = ReadInt(L"guifontsize", 9, profile);
    s.languageFontSize = ReadInt(L"languagefontsize", 30, profile);
    s.searchWindowSize = ReadInt(L"searchwindowsize", 10, profile);
    s.searchWindowMinimal = ReadInt(L"searchwindowminimal", 0, profile);
}

void ReadPracticeListSettings(Settings& s, const std::wstring& profile) {
    s.practiceList = ReadText<kPracticeListChars>(L"PracticeList", L"", profile);
    s.listId = ReadInt(L"ListID", 800, profile);
}

void ReadWindowSettings(Settings& s, const std::wstring& profile) {
    s.colorR = ReadInt(L"colorR", 0, profile);
    s.colorG = ReadInt(L"colorG", 200, profile);
    s.colorB = ReadInt(L"colorB", 0, profile);
    s.colorRi = ReadInt(L"colorRi", 0, profile);
    s.colorGi = ReadInt(L"colorGi", 3, profile);
    s.colorBi = ReadInt(L"colorBi", 0, profile);
    s.aboutPause = ReadInt(UiText(Ui::AviDelay), 0, profile);
    s.practiceMode = ReadInt(L"PracticeMode", 0, profile);
    s.stayOnTop = ReadInt(L"StayOnTop", 0, profile);
    ReadPosition(L"WinPosLeftMain", L"WinPosTopMain", s.mainWindow, profile);
    ReadPosition(L"WinPosLeftPractise", L"WinPosTopPractise", s.practise, profile);
    ReadPosition(L"WinPosLeftMakelist", L"WinPosTopMakelist", s.makelist, profile);
    ReadPosition(L"WinPosLeftAdd", L"WinPosTopAdd", s.add, profile);
    ReadPosition(L"WinPosLeftTranslate", L"WinPosTopTranslate", s.translate, profile);
    ReadPosition(L"WinPosLeftSearch", L"WinPosTopSearch", s.search, profile);
    s.clipSearch = ReadInt(L"ClipSearch", 0, profile);
    s.addNewWordsToList = ReadInt(L"AddNewWordsToList", 1, profile);
    s.practiceSound = ReadInt(L"PracticeSound", 1, profile);
}

void WriteSettings(const Settings& s, const std::wstring& profile) {
    WriteInt(L"searchwindowsize", s.searchWindowSize, profile);
    WriteInt(L"searchwindowminimal", s.searchWindowMinimal, profile);
    WriteInt(L"PracticeMode", s.practiceMode, profile);
    WriteInt(L"PracticeSound", s.practiceSound, profile);
    WriteInt(L"StayOnTop", s.stayOnTop, profile);
    WriteInt(L"WinPosLeftMain", s.mainWindow.left, profile);
    WriteInt(L"WinPosTopMain", s.mainWindow.top, profile);
    WriteSavedPosition(L"WinPosLeftPractise", L"WinPosTopPractise", s.practise, profile);
    WriteSavedPosition(L"WinPosLeftMakelist", L"WinPosTopMakelist", s.makelist, profile);
    WriteSavedPosition(L"WinPosLeftAdd", L"WinPosTopAdd", s.add, profile);
    WriteSavedPosition(L"WinPosLeftTranslate", L"WinPosTopTranslate", s.translate, profile);
    WriteSavedPosition(L"WinPosLeftSearch", L"WinPosTopSearch", s.search, profile);
    WriteInt(L"ClipSearch", s.clipSearch, profile);
    WriteInt(L"AddNewWordsToList", s.addNewWordsToList, profile);
    if (!s.practiceList.empty()) {
        WriteText(L"PracticeList", s.practiceList, profile);
        WriteInt(L"ListID", s.listId, profile);
    }
}
