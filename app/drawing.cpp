#include "app/drawing.h"

#include <algorithm>
#include <cwchar>

#include "win/handles.h"

void DrawShadowText(HDC dc, RECT& rect, const wchar_t* text, UINT format) {
    SetTextColor(dc, RGB(224, 224, 224));
    DrawTextW(dc, text, -1, &rect, format);
    SetTextColor(dc, RGB(0, 128, 0));
    rect.left -= 1;
    rect.top -= 1;
    DrawTextW(dc, text, -1, &rect, format);
}

void DrawTopRule(HDC dc, const RECT& client) {
    UniquePen pen(CreatePen(PS_SOLID, 1, RGB(224, 224, 224)));
    SelectionScope selected(dc, pen.Get());
    MoveToEx(dc, client.left, client.top, nullptr);
    LineTo(dc, client.right, client.top);
}

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

std::wstring EditText(HWND edit, std::size_t maxChars) {
    std::wstring text(maxChars + 1, L'\0');
    const int n = GetWindowTextW(edit, text.data(), static_cast<int>(text.size()));
    text.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return text;
}
