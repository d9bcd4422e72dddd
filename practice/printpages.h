// The page arithmetic of printing a text: page and margin rectangles in twips, the
// part of the text printed, and which formatted pages go to the printer how often.
// Nothing here needs a window or a printer.
#pragma once

#include <windows.h>

#include <functional>
#include <string_view>

// The paper in twips, from the printer's size in device pixels and its resolution.
RECT PageRectTwips(int physicalWidth, int physicalHeight, int pixelsPerInchX, int pixelsPerInchY);
// A quarter inch left and right, half an inch top and bottom; a very small page keeps
// its whole width or height, since those margins would leave nothing to print on.
RECT RenderRectTwips(const RECT& page);

struct CharacterRange {
    LONG start = 0;
    LONG end = 0;
    bool operator==(const CharacterRange&) const = default;
};

// What the print dialog returned that decides what is printed and how often.
struct PrintChoice {
    DWORD flags = 0;   // PD_PAGENUMS, PD_SELECTION, PD_COLLATE
    int fromPage = 0;  // with PD_PAGENUMS: the first and last page, counted from 1
    int toPage = 0;
    int copies = 1;
};

// The whole text, or with PD_SELECTION the selection, unless it runs backwards.
CharacterRange PrintedRange(DWORD flags, LONG textLength, CharacterRange selection);

// Formats the page that begins at `start` and gives the start of the next one.
using FormatPage = std::function<LONG(LONG start)>;
// Prints the page formatted last, once; false when the printer refused it.
using PrintPage = std::function<bool()>;

// Collated copies run the whole document once per copy; otherwise every page is
// printed copies times in a row. Every pass formats at least one page. Formatting that
// does not move on ends the pass, so a text the control cannot lay out never loops
// for ever. False when a page could not be printed (the rest is then left out).
bool PrintPages(const PrintChoice& choice, CharacterRange range, const FormatPage& formatPage,
                const PrintPage& printPage);

// For a control that lays out no printer pages: the start of the page after the one
// that begins at `start`, `linesPerPage` lines on, each line ending after its line
// break ("\r\n", "\r" or "\n"). `text` holds the characters from position `first` on.
LONG NextPlainTextPage(std::wstring_view text, LONG first, LONG start, int linesPerPage);
