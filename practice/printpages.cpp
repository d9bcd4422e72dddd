#include "practice/printpages.h"

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
