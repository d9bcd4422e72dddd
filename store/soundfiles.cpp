#include "store/soundfiles.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <string_view>

namespace {

bool IsForbidden(wchar_t c) { return c < 32 || std::wstring_view(L"<>:\"/\\|?*").find(c) != std::wstring_view::npos; }

// The system takes these for devices whatever follows a dot, and trailing blanks
// before the dot do not count: "aux.wav" or "con .wav" would be the device, not a file.
bool IsDeviceName(std::wstring_view stem) {
    static constexpr std::array<std::wstring_view, 4> kPlain = {L"CON", L"PRN", L"AUX", L"NUL"};
    for (std::wstring_view name : kPlain)
        if (CompareStringOrdinal(stem.data(), static_cast<int>(stem.size()), name.data(), static_cast<int>(name.size()),
                                 TRUE) == CSTR_EQUAL)
            return true;
    if (stem.size() != 4) return false;
    const std::wstring_view prefix = stem.substr(0, 3);
    const bool port = CompareStringOrdinal(prefix.data(), 3, L"COM", 3, TRUE) == CSTR_EQUAL ||
                      CompareStringOrdinal(prefix.data(), 3, L"LPT", 3, TRUE) == CSTR_EQUAL;
    const wchar_t digit = stem[3];
    return port && ((digit >= L'1' && digit <= L'9') || digit == L'\x00B9' || digit == L'\x00B2' || digit == L'\x00B3');
}

}  // namespace

std::wstring SoundFolder(const std::wstring& language) { return L"sound\\" + language; }

std::wstring SoundFileName(const std::wstring& word) {
    std::wstring name = word;
    for (wchar_t& c : name)
        if (IsForbidden(c)) c = L'_';
    std::size_t stemEnd = std::min(name.find(L'.'), name.size());
    while (stemEnd > 0 && name[stemEnd - 1] == L' ') --stemEnd;
    if (IsDeviceName(std::wstring_view(name).substr(0, stemEnd))) name.insert(stemEnd, 1, L'_');
    return name;
}

std::wstring SoundFilePath(const std::wstring& language, const std::wstring& word) {
    return SoundFolder(language) + L"\\" + SoundFileName(word) + L".wav";
}
