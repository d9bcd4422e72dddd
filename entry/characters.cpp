#include "entry/characters.h"

#include <algorithm>

#include "store/catalogue.h"

std::wstring CharacterFilePath(const std::wstring& languageName) { return L"charset\\" + languageName + L".chs"; }

std::string PickerLineFromBytes(std::string_view fileBytes) {
    std::string line;
    for (std::size_t i = 0; i < fileBytes.size() && line.size() < kMaxPickerCharacters; ++i) {
        const char c = fileBytes[i];
        // Text mode: a CR LF pair reads as one line feed, and a zero ends the text.
        if (c == '\r' && i + 1 < fileBytes.size() && fileBytes[i + 1] == '\n') continue;
        if (c == '\0') break;
        line.push_back(c);
        if (c == '\n') break;
    }
    return line;
}

std::string BuiltInPickerCharacters() {
    std::string set;
    for (int c = 0xC0; c <= 0xDF; ++c) set.push_back(static_cast<char>(c));
    set.push_back(static_cast<char>(0xBF));
    for (int c = 0xE0; c <= 0xFF; ++c) set.push_back(static_cast<char>(c));
    set.push_back(static_cast<char>(0x3F));
    return set;
}

PickerCharacters ReadPickerCharacters(const std::wstring& languageName) {
    std::string bytes;
    if (!ReadFileBytes(CharacterFilePath(languageName), bytes)) return {BuiltInPickerCharacters(), true};
    return {PickerLineFromBytes(bytes), false};
}

std::size_t PickerTopRowCount(std::size_t characters) { return characters / 2; }

POINT PickerButtonPosition(std::size_t index, std::size_t characters) {
    const std::size_t top = PickerTopRowCount(characters);
    const bool secondRow = index >= top;
    const std::size_t column = secondRow ? index - top : index;
    return {static_cast<LONG>(column) * kPickerButtonWidth, secondRow ? kPickerButtonHeight : 0};
}

int PickerWidth(const PickerCharacters& characters) {
    if (characters.builtIn) return kBuiltInPickerWidth;
    return kPickerButtonWidth * static_cast<int>(PickerTopRowCount(characters.bytes.size())) + 5;
}

SIZE PickerWindowSize(const PickerCharacters& characters, const RECT& frame, UINT dpi) {
    const std::size_t columns = PickerTopRowCount(characters.bytes.size());
    const std::size_t widest = characters.builtIn ? characters.bytes.size() - columns : columns;
    const LONG clientWidth = Scaled(static_cast<int>(widest) * kPickerButtonWidth, dpi);
    const LONG clientHeight = Scaled(2 * kPickerButtonHeight, dpi);
    const LONG width = clientWidth + (frame.right - frame.left);
    const LONG height = clientHeight + (frame.bottom - frame.top);
    return {std::max<LONG>(Scaled(PickerWidth(characters), dpi), width), std::max<LONG>(Scaled(kPickerHeight, dpi), height)};
}

POINT PickerPlacement(const RECT& host, SIZE picker) {
    const LONG hostWidth = host.right - host.left;
    LONG x = host.left + (hostWidth - picker.cx) / 2;
    LONG y = host.top - picker.cy;
    return {x < 0 ? 0 : x, y < 0 ? 0 : y};
}

wchar_t PickerCharacter(char byte, UINT codePage) {
    wchar_t wide = L'?';
    MultiByteToWideChar(codePage, 0, &byte, 1, &wide, 1);
    return wide;
}
