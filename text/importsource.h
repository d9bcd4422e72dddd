// A file of word pairs from elsewhere, read with the choices of the import dialog:
// encoding, delimiter, whether the first row names the columns, and which two columns
// hold the word and its translation.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "text/delimited.h"
#include "text/textencoding.h"

// Larger files are refused before anything is read into the lists.
inline constexpr std::size_t kLargestImportFile = 64u << 20;

struct ImportSettings {
    TextEncoding encoding;                 // Automatic or one chosen
    wchar_t delimiter = 0;                 // 0: detected
    int headerRow = -1;                    // -1: detected, 0 no, 1 yes
    std::size_t firstColumn = SIZE_MAX;    // 0-based; SIZE_MAX: the first data column
    std::size_t secondColumn = SIZE_MAX;   // SIZE_MAX: the data column after it
};

// One data row as the columns chosen give it: the word and the translations as the
// file holds them (markup stripped), before any of the rules of the word lists.
struct ImportPair {
    std::size_t line = 0;
    std::wstring first;
    std::wstring second;
    bool tooLong = false;  // the row was too long to be read
};

struct ImportSource {
    TextProblem problem = TextProblem::None;
    std::size_t unclosedQuoteLine = 0;
    TextEncoding encoding;  // as used (never Automatic)
    wchar_t delimiter = L',';
    bool headerRow = false;
    std::vector<std::wstring> columnNames;  // one per column: the header's, or empty
    std::size_t firstColumn = 0;
    std::size_t secondColumn = 1;
    std::vector<ImportPair> pairs;
};

// Reads the file's bytes with the settings. `fallbackCodePage` is the code page of text
// without a byte order mark that is no UTF-8; `knownNames` are names a header row may
// use besides the common ones (the list's language names). With `maxRows`, only the
// rows of the file's beginning are read (a header row is told from its first rows).
ImportSource ReadImportSource(std::string_view bytes, const ImportSettings& settings, UINT fallbackCodePage,
                              const std::vector<std::wstring>& knownNames, std::size_t maxRows = SIZE_MAX);

// Translations as a second column may write them: "house; home", "house/home" or one per
// line ("house<br>home"), made into the comma form of the word lists ("house, home")
// before the usual splitting. A text that has commas keeps them as its only separators.
std::wstring TranslationsWithCommas(std::wstring_view text);
