#include "app/settings.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <utility>
#include <vector>

#include "app/settingsfile.h"
#include "text/uistrings.h"

Settings AppSettings;
std::wstring ProfileFile = SettingsFilePath();

namespace {

constexpr std::size_t kFaceNameChars = 48;
constexpr std::size_t kPracticeListChars = 148;

// The whole section in one read: the profile functions open and parse the file on
// every call, and start-up asks for some thirty keys.
class ProfileSection {
public:
    explicit ProfileSection(const std::wstring& profile) {
        const std::vector<wchar_t> section = ReadProfileSection(ProfileReadSource(profile));
        Parse(section.data(), static_cast<DWORD>(section.size()));
    }

    // As GetPrivateProfileIntW: an absent or empty value gives the default; otherwise
    // leading blanks, a sign and the digits that follow (none: 0).
    int Int(const wchar_t* key, int fallback) const {
        const std::wstring* found = Find(key);
        if (!found) return fallback;
        const std::wstring value = Unquoted(*found);
        if (value.empty()) return fallback;
        std::size_t i = value.find_first_not_of(L" \t");
        if (i == std::wstring::npos) return 0;
        bool negative = false;
        if (value[i] == L'-' || value[i] == L'+') negative = value[i++] == L'-';
        long long number = 0;
        for (; i < value.size() && value[i] >= L'0' && value[i] <= L'9'; ++i)
            number = std::min<long long>(number * 10 + (value[i] - L'0'), 0xFFFFFFFFll);
        return static_cast<int>(static_cast<unsigned>(negative ? -number : number));
    }

    std::wstring Text(const wchar_t* key, const wchar_t* fallback, std::size_t maxChars) const {
        const std::wstring* value = Find(key);
        std::wstring text = value ? Unquoted(*value) : std::wstring(fallback);
        if (text.size() > maxChars) text.resize(maxChars);
        return text;
    }

private:
    void Parse(const wchar_t* data, DWORD length) {
        const wchar_t* end = data + length;
        for (const wchar_t* line = data; line < end && *line; line += std::wcslen(line) + 1) {
            const wchar_t* equals = std::wcschr(line, L'=');
            if (!equals) continue;
            entries_.emplace_back(Trim(std::wstring(line, equals)), Trim(std::wstring(equals + 1)));
        }
    }
    // The single-key functions drop one pair of matching quotes around a value; the
    // section comes with them on, numbers included.
    static std::wstring Unquoted(const std::wstring& text) {
        if (text.size() >= 2 && (text.front() == L'"' || text.front() == L'\'') && text.back() == text.front())
            return text.substr(1, text.size() - 2);
        return text;
    }
    static std::wstring Trim(const std::wstring& text) {
        const std::size_t first = text.find_first_not_of(L" \t");
        if (first == std::wstring::npos) return {};
        return text.substr(first, text.find_last_not_of(L" \t") - first + 1);
    }
    const std::wstring* Find(const wchar_t* key) const {
        for (const auto& [name, value] : entries_)
            if (CompareStringOrdinal(name.c_str(), -1, key, -1, TRUE) == CSTR_EQUAL) return &value;
        return nullptr;
    }

    std::vector<std::pair<std::wstring, std::wstring>> entries_;
};

void ReadPosition(const wchar_t* leftKey, const wchar_t* topKey, WindowPosition& position,
                  const ProfileSection& section) {
    position.left = section.Int(leftKey, kNoSavedPosition);
    position.top = section.Int(topKey, kNoSavedPosition);
}

void WriteSavedPosition(const wchar_t* leftKey, const wchar_t* topKey, const WindowPosition& position,
                        ProfileUpdate& update) {
    if (!position.Saved()) return;
    update.Int(leftKey, position.left);
    update.Int(topKey, position.top);
}

}  // namespace

void ReadStartSettings(Settings& s, const std::wstring& profile) {
    const ProfileSection section(profile);
    s.languageFont = section.Text(L"languagefont", L"Times New Roman", kFaceNameChars);
    s.guiFont = section.Text(L"guifont", L"Arial", kFaceNameChars);
    s.guiFontSize = section.Int(L"guifontsize", 9);
    s.languageFontSize = section.Int(L"languagefontsize", 30);
    s.searchWindowSize = section.Int(L"searchwindowsize", 10);
    s.searchWindowMinimal = section.Int(L"searchwindowminimal", 0);
}

void ReadPracticeListSettings(Settings& s, const std::wstring& profile) {
    const ProfileSection section(profile);
    s.practiceList = section.Text(L"PracticeList", L"", kPracticeListChars);
    s.listId = section.Int(L"ListID", 800);
}

void ReadWindowSettings(Settings& s, const std::wstring& profile) {
    const ProfileSection section(profile);
    s.colorR = section.Int(L"colorR", 0);
    s.colorG = section.Int(L"colorG", 200);
    s.colorB = section.Int(L"colorB", 0);
    s.colorRi = section.Int(L"colorRi", 0);
    s.colorGi = section.Int(L"colorGi", 3);
    s.colorBi = section.Int(L"colorBi", 0);
    s.aboutPause = section.Int(UiText(Ui::AviDelay), 0);
    s.practiceMode = section.Int(L"PracticeMode", 0);
    s.stayOnTop = section.Int(L"StayOnTop", 0);
    ReadPosition(L"WinPosLeftMain", L"WinPosTopMain", s.mainWindow, section);
    ReadPosition(L"WinPosLeftPractise", L"WinPosTopPractise", s.practise, section);
    ReadPosition(L"WinPosLeftMakelist", L"WinPosTopMakelist", s.makelist, section);
    ReadPosition(L"WinPosLeftAdd", L"WinPosTopAdd", s.add, section);
    ReadPosition(L"WinPosLeftTranslate", L"WinPosTopTranslate", s.translate, section);
    ReadPosition(L"WinPosLeftSearch", L"WinPosTopSearch", s.search, section);
    s.clipSearch = section.Int(L"ClipSearch", 0);
    s.addNewWordsToList = section.Int(L"AddNewWordsToList", 1);
    s.practiceSound = section.Int(L"PracticeSound", 1);
    s.reviewNewPerDay = std::clamp(section.Int(L"ReviewNewCards", 20), 0, kMostReviewsPerDay);
    s.reviewsPerDay = std::clamp(section.Int(L"ReviewMaxReviews", 200), 0, kMostReviewsPerDay);
    s.reviewRetention = std::clamp(section.Int(L"ReviewRetention", 90), kLowestReviewRetention, kHighestReviewRetention);
    s.reviewClock = std::max(0ll, std::wcstoll(section.Text(L"ReviewClock", L"0", 20).c_str(), nullptr, 10));
}

// The wide writer keeps the file's own encoding, so a practice list name comes back
// exactly as it was written whatever the code page of the interface.
void WriteSettings(const Settings& s, const std::wstring& profile) {
    ProfileUpdate update(profile);
    update.Int(L"searchwindowsize", s.searchWindowSize);
    update.Int(L"searchwindowminimal", s.searchWindowMinimal);
    update.Int(L"PracticeMode", s.practiceMode);
    update.Int(L"PracticeSound", s.practiceSound);
    update.Int(L"StayOnTop", s.stayOnTop);
    update.Int(L"WinPosLeftMain", s.mainWindow.left);
    update.Int(L"WinPosTopMain", s.mainWindow.top);
    WriteSavedPosition(L"WinPosLeftPractise", L"WinPosTopPractise", s.practise, update);
    WriteSavedPosition(L"WinPosLeftMakelist", L"WinPosTopMakelist", s.makelist, update);
    WriteSavedPosition(L"WinPosLeftAdd", L"WinPosTopAdd", s.add, update);
    WriteSavedPosition(L"WinPosLeftTranslate", L"WinPosTopTranslate", s.translate, update);
    WriteSavedPosition(L"WinPosLeftSearch", L"WinPosTopSearch", s.search, update);
    update.Int(L"ClipSearch", s.clipSearch);
    update.Int(L"AddNewWordsToList", s.addNewWordsToList);
    update.Int(L"ReviewNewCards", s.reviewNewPerDay);
    update.Int(L"ReviewMaxReviews", s.reviewsPerDay);
    update.Int(L"ReviewRetention", s.reviewRetention);
    if (!s.practiceList.empty()) {
        update.Text(L"PracticeList", s.practiceList);
        update.Int(L"ListID", s.listId);
    }
    update.Commit();
}

int ReadLastRecorded(const std::wstring& firstLanguage, const std::wstring& profile) {
    const std::wstring key = L"lastrecord_" + firstLanguage;
    return ProfileSection(profile).Int(key.c_str(), 0);
}

void WriteLastRecorded(const std::wstring& firstLanguage, int index, const std::wstring& profile) {
    const std::wstring key = L"lastrecord_" + firstLanguage;
    ProfileUpdate update(profile);
    update.Int(key.c_str(), index);
    update.Commit();
}
