// The blanks and commas of word text: a second word holds its translations separated
// by commas, and blanks around a word never count.
#pragma once

#include <string>
#include <vector>

// Skips leading blanks and cuts trailing ones (U+0020 only; tabs stay). Returns a
// pointer into the same text.
wchar_t* TrimSpaces(wchar_t* text);
std::wstring TrimSpaces(const std::wstring& text);

// Pieces between commas (a run of commas is one separator), each trimmed; a piece
// of blanks stays as an empty piece.
std::vector<std::wstring> SplitTranslations(const std::wstring& text);
