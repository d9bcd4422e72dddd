#include "sound/recordersteps.h"

#include <algorithm>

namespace {

int ClampToList(int index, int count) { return std::clamp(index, 0, std::max(count - 1, 0)); }

}  // namespace

int StartIndex(int saved, int count) { return ClampToList(saved, count); }

RecorderStep StepForward(int current, int count) {
    if (current + 1 >= count) return {ClampToList(count - 1, count), true};
    return {current + 1, false};
}

int StepBack(int current) { return std::max(current - 1, 0); }

int TopAfterRecorderKey(int top, WPARAM key, int count) {
    if (key == VK_UP) return ClampToList(top - 1, count);
    if (key == VK_DOWN) return ClampToList(top + 1, count);
    return top;
}

int TopAfterRecorderScroll(int top, int code, int thumbPosition, int count) {
    switch (code) {
    case SB_LINEUP: return ClampToList(top - 1, count);
    case SB_LINEDOWN: return ClampToList(top + 1, count);
    case SB_PAGEUP: return ClampToList(top - kRecorderRows, count);
    case SB_PAGEDOWN: return ClampToList(top + kRecorderRows, count);
    case SB_THUMBPOSITION: return ClampToList(10 * thumbPosition, count);
    default: return top;
    }
}

int TopAfterRecorderWheel(int top, int entries, int count) { return ClampToList(top - entries, count); }

int RecorderScrollMax(int count) { return std::max((count - kRecorderRows) / 10, 0); }

std::wstring ProgressText(const std::wstring& word, const std::wstring& of, int current, int count) {
    if (count <= 0) return {};
    return word + L" " + std::to_wstring(current + 1) + L" " + of + L" " + std::to_wstring(count);
}
