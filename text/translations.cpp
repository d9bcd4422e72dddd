#include "text/translations.h"

#include <algorithm>
#include <cwchar>

wchar_t* TrimSpaces(wchar_t* text) {
    if (!text || *text == L'\0') return text;
    while (*text == L' ') ++text;
    std::size_t length = std::wcslen(text);
    while (length > 0 && text[length - 1] == L' ') text[--length] = L'\0';
    return text;
}

std::wstring TrimSpaces(const std::wstring& text) {
    const std::size_t start = text.find_first_not_of(L' ');
    if (start == std::wstring::npos) return {};
    const std::size_t end = text.find_last_not_of(L' ');
    return text.substr(start, end - start + 1);
}

std::vector<std::wstring> SplitTranslations(const std::wstring& text) {
    std::vector<std::wstring> pieces;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t comma = std::min(text.find(L',', pos), text.size());
        if (comma > pos) pieces.push_back(TrimSpaces(text.substr(pos, comma - pos)));
        pos = comma + 1;
    }
    return pieces;
}
