// The character sets a new word list can be made for, and the names the windows give
// character sets. The order is the order of the new word list window's drop-down list,
// whose position picks the number, so it must not be sorted.
#pragma once

#include <array>
#include <string>

struct CharsetName {
    int number;
    const char* overviewName;  // as the word list overview shows it
    const char* choiceName;    // as the new word list window offers it
};

inline constexpr std::array<CharsetName, 12> kOfferedCharsets{{
    {0, "ANSI", "ANSI"},
    {161, "Greek", "Greek"},
    {162, "Turkish", "Turkish"},
    {238, "Centr. Europe", "Central Europe"},
    {204, "Cyrillic", "Cyrillic"},
    {186, "Baltic", "Baltic"},
    {129, "Hangul", "Hangul (Korean)"},
    {128, "Shift-JS", "Shift-JS (Japanese)"},
    {134, "GB2312", "GB2312 (Chinese)"},
    {136, "Big5", "Big-5 (Chinese)"},
    {163, "Vietnamese", "Vietnamese"},
    {222, "Thai", "Thai"},
}};

// The overview's name of a character set; one it does not list (Hebrew, Arabic, the
// program's own numbers) shows the UI text `WordlistInfoUnknown`.
std::wstring CharsetOverviewName(int charset);

// The number behind a position of the new word list window's list, or -1 outside it.
int CharsetOfChoice(int position);
