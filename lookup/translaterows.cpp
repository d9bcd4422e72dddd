#include "lookup/translaterows.h"

#include <algorithm>

namespace {
int LastTop(int wordCount) { return wordCount - kTranslateRows; }
int Down(int top, int by, int wordCount) { return std::min(top + by, LastTop(wordCount)); }
int Up(int top, int by) { return std::max(top - by, 0); }
}  // namespace

int TranslateTopAfterKey(WORD key, int top, int wordCount) {
    if (key == VK_UP) return Up(top, 1);
    if (key == VK_DOWN) return Down(top, 1, wordCount);
    return top;
}

int TranslateTopAfterScroll(int code, int thumb, int top, int wordCount) {
    switch (code) {
    case SB_LINEUP: return Up(top, 1);
    case SB_LINEDOWN: return Down(top, 1, wordCount);
    case SB_PAGEUP: return Up(top, kTranslateRows);
    case SB_PAGEDOWN: return Down(top, kTranslateRows, wordCount);
    case SB_THUMBPOSITION: return 10 * thumb;
    default: return top;
    }
}
