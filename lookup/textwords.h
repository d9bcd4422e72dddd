// Reading a text for look-ups: which characters separate words, the word at the
// caret, and how a text file's bytes become text.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

// Controls, the blank, digits and the ASCII punctuation below the small letters
// separate words; the apostrophe, the hyphen, the capitals, the small letters and
// everything above them belong to words.
bool IsWordDelimiter(wchar_t c);

// The longest word taken from a text; a longer run of word characters is cut.
inline constexpr std::size_t kMaxTextWordChars = 99;

// The word around a caret position: from just after the nearest delimiter at or
// before the caret to just before the first delimiter at or after it. Empty when the
// caret stands on a delimiter (after a word, or between words).
std::wstring WordAtCaret(std::wstring_view text, std::size_t caret);

// A text file's contents as text: UTF-8 or UTF-16 (either byte order) when the file
// starts with their byte order mark; otherwise up to its first zero byte, UTF-8 when
// those bytes are well-formed UTF-8 and not plain ASCII (current editors save UTF-8
// without a mark), else 8-bit text in the given code page.
std::wstring DecodeTextFile(std::string_view bytes, UINT codePage);
