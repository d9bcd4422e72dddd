#include "practice/rowscroll.h"

#include <algorithm>

int ClampRowTop(int top, int count) { return std::max(0, std::min(top, count - kMakerRows)); }

int ScrolledTop(int request, int top, int count, int thumbPosition, int thumbScale) {
    switch (request) {
    case SB_LINEUP: top -= 1; break;
    case SB_LINEDOWN: top += 1; break;
    case SB_PAGEUP: top -= kMakerRows; break;
    case SB_PAGEDOWN: top += kMakerRows; break;
    case SB_THUMBPOSITION: top = thumbPosition * thumbScale; break;
    default: return top;
    }
    return ClampRowTop(top, count);
}

int WordScrollRange(int count) { return std::max(0, (count - kMakerRows) / kMakerRows); }
