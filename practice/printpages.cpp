#include "practice/printpages.h"

#include <algorithm>

namespace {

constexpr int kTwipsPerInch = 1440;
constexpr LONG kSideMargin = 360;  // a quarter inch
constexpr LONG kTopMargin = 720;   // half an inch
constexpr LONG kSmallestWidthWithMargins = 3600;
constexpr LONG kSmallestHeightWithMargins = 4320;

}  // namespace

RECT PageRectTwips(int physicalWidth, int physicalHeight, int pixelsPerInchX, int pixelsPerInchY) {
    RECT page{0, 0, 0, 0};
    if (pixelsPerInchX > 0) page.right = MulDiv(physicalWidth, kTwipsPerInch, pixelsPerInchX);
    if (pixelsPerInchY > 0) page.bottom = MulDiv(physicalHeight, kTwipsPerInch, pixelsPerInchY);
    return page;
}

RECT RenderRectTwips(const RECT& page) {
    RECT render = page;
    const LONG width = page.right - page.left;
    const LONG height = page.bottom - page.top;
    if (width > kSmallestWidthWithMargins) {
        render.left = kSideMargin;
        render.right = width - kSideMargin;
    }
    if (height > kSmallestHeightWithMargins) {
        render.top = kTopMargin;
        render.bottom = height - kTopMargin;
    }
    return render;
}

CharacterRange PrintedRange(DWORD flags, LONG textLength, CharacterRange selection) {
    if ((flags & PD_SELECTION) && selection.end >= selection.start) return selection;
    return {0, textLength};
}

bool PrintPages(const PrintChoice& choice, CharacterRange range, const FormatPage& formatPage,
                const PrintPage& printPage) {
    const bool collate = (choice.flags & PD_COLLATE) != 0;
    const bool pageNumbers = (choice.flags & PD_PAGENUMS) != 0;
    const int copies = choice.copies > 0 ? choice.copies : 1;
    const int passes = collate ? copies : 1;
    const int printsPerPage = collate ? 1 : copies;
    for (int pass = 0; pass < passes; ++pass) {
        LONG start = range.start;
        int page = 1;
        for (;;) {
            const LONG next = formatPage(start);
            if (!pageNumbers || page >= choice.fromPage)
                for (int i = 0; i < printsPerPage; ++i)
                    if (!printPage()) return false;
            ++page;
            if (next <= start) break;
            start = next;
            if ((pageNumbers && page > choice.toPage) || start >= range.end) break;
        }
    }
    return true;
}

LONG NextPlainTextPage(std::wstring_view text, LONG first, LONG start, int linesPerPage) {
    const std::size_t size = text.size();
    std::size_t pos = start > first ? std::min(static_cast<std::size_t>(start - first), size) : 0;
    for (int line = 0; line < linesPerPage && pos < size; ++line) {
        while (pos < size && text[pos] != L'\r' && text[pos] != L'\n') ++pos;
        if (pos == size) break;
        pos += (text[pos] == L'\r' && pos + 1 < size && text[pos + 1] == L'\n') ? 2 : 1;
    }
    return first + static_cast<LONG>(pos);
}
