#include "lookup/searchrows.h"

#include <algorithm>

int ClampRowCount(int rows) { return std::clamp(rows, 1, kMaxSearchRows); }

int EndClamp(int top, int count, int rows) {
    if (count - top < rows) top = count - rows;
    return std::max(top, 0);
}

int ScrollRangeMax(int count, int rows) { return std::max((count - rows) / kEntriesPerScrollUnit, 0); }

namespace {

int Up(int top, int by) { return std::max(top - by, 0); }
int Down(int top, int by, int count, int rows) { return std::min(top + by, count - rows); }

}  // namespace

int TopAfterKey(int top, WPARAM key, int count, int rows) {
    switch (key) {
    case VK_PRIOR: top = Up(top, rows); break;
    case VK_NEXT: top = Down(top, rows, count, rows); break;
    case VK_UP: top = Up(top, 1); break;
    case VK_DOWN: top = Down(top, 1, count, rows); break;
    default: break;
    }
    return EndClamp(top, count, rows);
}

int TopAfterWheel(int top, int entries, int count, int rows) {
    top = entries > 0 ? Up(top, entries) : Down(top, -entries, count, rows);
    return EndClamp(top, count, rows);
}

int TopAfterScroll(int top, int code, int thumbPosition, int count, int rows) {
    switch (code) {
    case SB_LINEUP: top = Up(top, 1); break;
    case SB_LINEDOWN: top = Down(top, 1, count, rows); break;
    case SB_PAGEUP: top = Up(top, rows); break;
    case SB_PAGEDOWN: top = Down(top, rows, count, rows); break;
    case SB_THUMBPOSITION: top = kEntriesPerScrollUnit * thumbPosition; break;
    default: break;
    }
    return EndClamp(top, count, rows);
}
