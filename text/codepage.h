// Character-set numbers, their code pages, and 8-bit <-> wide conversion.
// Words live on disk as 8-bit text in their language's code page; inside the
// program everything is wide text.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

// The program's own character-set numbers beside the GDI ones.
inline constexpr int kCharsetSudEuro = 500;
inline constexpr int kCharsetForeignFontBase = 600;

UINT CharsetToCodePage(int charset);

// The flags 8-bit to wide conversions use: precomposed characters, except for the code
// pages that refuse every flag (UTF-8, UTF-7, GB18030, the ISO-2022 family, ...), which
// would otherwise convert nothing.
DWORD MultiByteFlags(UINT codePage);
// One byte a character (no lead bytes, no UTF-8).
bool IsSingleByteCodePage(UINT codePage);

// Converts 8-bit text up to its first zero byte (or its end).
std::wstring ToWide(std::string_view text, UINT codePage);
// Converts exactly `count` bytes, zero bytes included (one zero character each).
std::wstring ToWideCounted(const char* data, std::size_t count, UINT codePage);
// Characters the code page lacks become its default character.
std::string ToNarrow(std::wstring_view text, UINT codePage);

// Like ToNarrow, but never longer than maxBytes: the text is cut at the last whole
// character that fits, so a double-byte character is never split.
std::string ToNarrowLimited(std::wstring_view text, UINT codePage, std::size_t maxBytes);

// Length of the longest prefix of data[0, count) of at most maxBytes bytes that ends
// on a character boundary of the code page (double-byte characters, UTF-8 sequences).
std::size_t CharacterBoundaryPrefix(const char* data, std::size_t count, std::size_t maxBytes, UINT codePage);

// One shared result buffer of each kind for the whole process (1000 units with the
// terminator). Each call overwrites the previous result; text that does not fit
// gives the empty text.
inline constexpr std::size_t kSharedBufferSize = 1000;
const wchar_t* ToWideShared(const char* text, UINT codePage);
const char* ToNarrowShared(const wchar_t* text, UINT codePage);

// Folds only A-Z, as every case-blind comparison of the program's own texts does.
bool EqualsIgnoreAsciiCase(std::wstring_view a, std::wstring_view b);
bool StartsWithIgnoreAsciiCase(std::wstring_view text, std::wstring_view prefix);
bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b);
