// The word list overview (class "info"): every word list of the catalogue in one
// table with its number of entries, its collation locale and the character set of its
// first language.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct WordListDescriptor;

inline constexpr wchar_t kOverviewClass[] = L"info";
inline constexpr int kOverviewListId = 1;

// The texts of one row, column by column.
struct OverviewRow {
    std::wstring pair;     // "<first language> - <second language>"
    std::wstring count;    // entries of the word list file, or WordlistInfoUnknown
    std::wstring locale;
    std::wstring charset;  // the overview's character-set name
    bool operator==(const OverviewRow&) const = default;
};

// The counts come from the file sizes: looking changes nothing, neither the current
// word list with its open files nor any file of another list. A file that cannot be
// opened shows WordlistInfoUnknown as its count.
OverviewRow OverviewRowOf(const WordListDescriptor& descriptor);
// One row per descriptor, in catalogue order.
std::vector<OverviewRow> OverviewRows();

// A tool window: opened by the main window, which it shows again when it is destroyed.
HWND OpenOverviewWindow();
