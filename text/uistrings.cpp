#include "text/uistrings.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <vector>

#include "text/codepage.h"
#include "text/scramble.h"
#include "win/handles.h"

namespace {

constexpr int kMaxForeignFonts = 100;
constexpr std::size_t kNoText = static_cast<std::size_t>(-1);

struct UiState {
    std::string narrow;  // unscrambled file, freed after start
    std::wstring wide;   // the texts point into it for the whole run
    // Offsets into `wide`, so the state can move without re-pointing anything.
    std::array<std::size_t, kUiKeyCount> texts{};
    // Offsets of the later keys' texts; kNoText where the file has none.
    std::array<std::size_t, kUiLaterKeyCount> laterTexts{};
    std::array<std::size_t, kMaxForeignFonts> foreignFonts{};
    int foreignFontCount = 0;
    int charset = 0;
    UINT codePage = 1252;
};

UiState g_ui;

template <typename Ch>
Ch Fold(Ch c) {
    return (c >= Ch('A') && c <= Ch('Z')) ? static_cast<Ch>(c - Ch('A') + Ch('a')) : c;
}

// Walks the entries of the text (each ends in a zero; the list ends at an empty
// entry or at the end of the data) and returns the value of the first entry whose
// key, with "=", matches.
template <typename Ch>
const Ch* FindValue(const std::basic_string<Ch>& text, std::basic_string_view<Ch> pattern) {
    std::size_t pos = 0;
    while (pos < text.size() && text[pos] != Ch(0)) {
        std::size_t end = pos;
        while (end < text.size() && text[end] != Ch(0)) ++end;
        if (end - pos >= pattern.size()) {
            bool same = true;
            for (std::size_t i = 0; i < pattern.size() && same; ++i)
                same = Fold(text[pos + i]) == Fold(pattern[i]);
            if (same) return text.data() + pos + pattern.size();
        }
        pos = end + 1;
    }
    return nullptr;
}

long LeadingNumber(const wchar_t* text) { return text ? std::wcstol(text, nullptr, 10) : 0; }

}  // namespace

std::wstring UiStringsPath() {
    std::array<wchar_t, MAX_PATH> dir{};
    GetCurrentDirectoryW(static_cast<DWORD>(dir.size()), dir.data());
    const std::wstring iniPath = std::wstring(dir.data()) + L"\\language.ini";
    std::array<wchar_t, 149> language{};
    GetPrivateProfileStringW(L"Lingorix", L"Language", L"", language.data(), static_cast<DWORD>(language.size()),
                             iniPath.c_str());
    return std::wstring(dir.data()) + L"\\strings\\" + language.data() + L".str";
}

UiLoadResult InstallUiStrings(std::string plain) {
    UiState next;
    next.narrow = std::move(plain);
    // The wide text always ends in a zero, so a file without its final empty entry
    // still stops the scan at the end of the data.
    next.narrow.push_back('\0');

    const char* charsetText = FindValue<char>(next.narrow, "CharactersetCode=");
    if (!charsetText) return {UiLoadResult::Status::KeyMissing, "CharactersetCode"};
    next.charset = std::atoi(charsetText);
    next.codePage = CharsetToCodePage(next.charset);

    next.wide = ToWideCounted(next.narrow.data(), next.narrow.size(), next.codePage);
    next.wide.push_back(L'\0');

    auto find = [&](std::string_view key) -> const wchar_t* {
        const std::wstring pattern = ToWide(key, next.codePage) + L"=";
        return FindValue<wchar_t>(next.wide, pattern);
    };
    auto offset = [&](const wchar_t* p) { return static_cast<std::size_t>(p - next.wide.data()); };
    for (int i = 0; i < static_cast<int>(Ui::Count); ++i) {
        const char* key = UiKeyName(static_cast<Ui>(i));
        const wchar_t* value = find(key);
        if (!value) return {UiLoadResult::Status::KeyMissing, key};
        next.texts[static_cast<std::size_t>(i)] = offset(value);
    }
    for (std::size_t i = 0; i < kUiLaterKeyCount; ++i) {
        const wchar_t* value = find(kUiLaterKeys[i].name);
        next.laterTexts[i] = value ? offset(value) : kNoText;
    }
    const long count = LeadingNumber(next.wide.data() + next.texts[static_cast<std::size_t>(Ui::ForeignFonts)]);
    next.foreignFontCount = static_cast<int>(count < 0 ? 0 : (count > kMaxForeignFonts ? kMaxForeignFonts : count));
    for (int i = 0; i < next.foreignFontCount; ++i) {
        char key[16];
        std::snprintf(key, sizeof key, "Font%03d", kCharsetForeignFontBase + i);
        const wchar_t* face = find(key);
        if (!face) return {UiLoadResult::Status::KeyMissing, key};
        next.foreignFonts[static_cast<std::size_t>(i)] = offset(face);
    }
    g_ui = std::move(next);
    return {};
}

UiLoadResult LoadUiStringsFile(const std::wstring& path) {
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return {UiLoadResult::Status::FileMissing, {}};
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart > (64 << 20))
        return {UiLoadResult::Status::FileMissing, {}};
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() && (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
                           read != bytes.size()))
        return {UiLoadResult::Status::FileMissing, {}};
    UnscrambleUiBytes(bytes);
    return InstallUiStrings(std::move(bytes));
}

std::wstring StringNotFoundMessage(const std::string& key) {
    std::wstring message = kStringNotFoundFormat;
    // Keys are ASCII names from the program itself.
    message.replace(message.find(L"%s"), 2, std::wstring(key.begin(), key.end()));
    return message;
}

void LoadUiStrings() {
    const UiLoadResult result = LoadUiStringsFile(UiStringsPath());
    if (result.Ok()) return;
    if (result.status == UiLoadResult::Status::FileMissing) {
        MessageBoxW(nullptr, kNoStringsFileMessage, kFixedCaption, MB_ICONWARNING);
    } else {
        MessageBoxW(nullptr, StringNotFoundMessage(result.missingKey).c_str(), kFixedCaption, MB_ICONWARNING);
    }
    ExitProcess(1);
}

const wchar_t* LookUpUiText(std::string_view key) {
    if (g_ui.wide.empty()) return nullptr;
    const std::wstring pattern = ToWide(key, g_ui.codePage) + L"=";
    return FindValue<wchar_t>(g_ui.wide, pattern);
}

const wchar_t* UiText(Ui key) {
    const int later = UiLaterIndex(key);
    if (later >= 0) {
        const std::size_t at = g_ui.wide.empty() ? kNoText : g_ui.laterTexts[static_cast<std::size_t>(later)];
        return at == kNoText ? kUiLaterKeys[later].fallback : g_ui.wide.data() + at;
    }
    if (g_ui.wide.empty() || static_cast<std::size_t>(key) >= kUiKeyCount) return L"";
    return g_ui.wide.data() + g_ui.texts[static_cast<std::size_t>(key)];
}

int UiTextInt(Ui key) { return static_cast<int>(LeadingNumber(UiText(key))); }

int UiCharset() { return g_ui.charset; }
UINT UiCodePage() { return g_ui.codePage; }

const wchar_t* ForeignFontFace(int charset) {
    const int index = charset - kCharsetForeignFontBase;
    if (index < 0 || index >= g_ui.foreignFontCount) return nullptr;
    return g_ui.wide.data() + g_ui.foreignFonts[static_cast<std::size_t>(index)];
}

void FreeUiNarrowText() { std::string().swap(g_ui.narrow); }
