// The print file: the current practice list as plain text, one entry a line, which
// the printing loads into a rich edit control and prints.
#pragma once

#include <string>
#include <vector>

#include "store/records.h"

inline constexpr wchar_t kPrintFileName[] = L"list.prt";

// The whole text: the two language names as a header, an empty line, then every entry
// (deleted ones too) as "first   -   second", first words padded to 31 characters.
// Lines end in a single line feed.
std::wstring FormatPrintText(const std::wstring& firstName, const std::wstring& secondName,
                             const std::vector<WordEntry>& entries);

// The text as the file holds it: UTF-16 little-endian without a byte order mark.
std::string PrintFileBytes(const std::wstring& text);

// Writes the current practice list into the print file in the current directory.
// False when the list cannot be read or the file cannot be written whole; what is
// left of it then must not be printed.
bool WritePrintFile();
