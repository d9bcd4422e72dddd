// The characters of the character picker and where its buttons go. Each language may
// have a character file of its own; without one a built-in set of accented letters
// is offered.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

#include "win/dpi.h"

inline constexpr std::size_t kMaxPickerCharacters = 254;
inline constexpr int kPickerButtonWidth = 19;
inline constexpr int kPickerButtonHeight = 23;
inline constexpr int kPickerHeight = 70;
inline constexpr int kBuiltInPickerWidth = 632;

struct PickerCharacters {
    std::string bytes;  // one character a byte, in the language's code page
    bool builtIn = false;
};

// charset\<language>.chs
std::wstring CharacterFilePath(const std::wstring& languageName);
// The first line of the file as a text reader returns it (at most 254 bytes, a line
// end included when it fits); the built-in set when the file cannot be opened.
PickerCharacters ReadPickerCharacters(const std::wstring& languageName);
// The bytes of a character file's beginning as the reader takes them.
std::string PickerLineFromBytes(std::string_view fileBytes);
std::string BuiltInPickerCharacters();

// The top row holds the first half (rounded down); the rest go below.
std::size_t PickerTopRowCount(std::size_t characters);
POINT PickerButtonPosition(std::size_t index, std::size_t characters);
int PickerWidth(const PickerCharacters& characters);
// The window's size: the width above and a height of 70, each grown where the
// system's caption and frame (the insets AdjustWindowRectEx adds to an empty client
// rectangle) would leave too little room for the whole of both rows. The figures are
// those of 96 DPI; at another DPI they are scaled, the frame is taken as it is.
SIZE PickerWindowSize(const PickerCharacters& characters, const RECT& frame, UINT dpi = kLayoutDpi);
// Centred above the host window, never off the screen's top or left.
POINT PickerPlacement(const RECT& host, SIZE picker);
// One byte of the language's code page as the character it shows.
wchar_t PickerCharacter(char byte, UINT codePage);
