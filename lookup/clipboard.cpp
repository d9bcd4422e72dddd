#include "lookup/clipboard.h"

#include <cstring>

#include "text/codepage.h"
#include "win/handles.h"

namespace {

void CutToChars(std::wstring& text, std::size_t maxChars) {
    if (text.size() <= maxChars) return;
    text.resize(maxChars);
    if (!text.empty() && IS_HIGH_SURROGATE(text.back())) text.pop_back();
}

UniqueGlobal GlobalCopy(const void* data, std::size_t bytes) {
    UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes));
    GlobalLockScope lock(memory.Get());
    if (!lock.Get()) return UniqueGlobal();
    std::memcpy(lock.Get(), data, bytes);
    return memory;
}

// Another program may hold the clipboard for a moment (clipboard tools read every
// change), so opening is tried a few times before it counts as failed.
bool OpenWithRetries(ClipboardScope& clipboard, HWND owner) {
    constexpr int kAttempts = 20;
    constexpr DWORD kPauseMs = 5;
    for (int i = 0; i < kAttempts && !clipboard; ++i) {
        if (i > 0) Sleep(kPauseMs);
        clipboard = ClipboardScope(owner);
    }
    return static_cast<bool>(clipboard);
}

}  // namespace

std::wstring WideTextOfBlock(const void* data, std::size_t bytes, std::size_t maxChars) {
    const auto* chars = static_cast<const wchar_t*>(data);
    const std::size_t available = bytes / sizeof(wchar_t);
    std::size_t length = 0;
    while (length < available && chars[length] != L'\0') ++length;
    std::wstring text(chars, length);
    CutToChars(text, maxChars);
    return text;
}

std::wstring NarrowTextOfBlock(const void* data, std::size_t bytes, UINT codePage, std::size_t maxChars) {
    const auto* chars = static_cast<const char*>(data);
    std::size_t length = 0;
    while (length < bytes && chars[length] != '\0') ++length;
    std::wstring text = ToWideCounted(chars, length, codePage);
    CutToChars(text, maxChars);
    return text;
}

bool ClipboardHasText() { return IsClipboardFormatAvailable(CF_UNICODETEXT) || IsClipboardFormatAvailable(CF_TEXT); }

std::optional<std::wstring> ReadClipboardText(HWND owner, UINT codePage, std::size_t maxChars) {
    if (!ClipboardHasText()) return std::nullopt;
    ClipboardScope clipboard;
    if (!OpenWithRetries(clipboard, owner)) return std::nullopt;
    const bool unicode = IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE;
    HANDLE data = GetClipboardData(unicode ? CF_UNICODETEXT : CF_TEXT);
    if (!data) return std::nullopt;
    GlobalLockScope lock(data);
    if (!lock.Get()) return std::nullopt;
    return unicode ? WideTextOfBlock(lock.Get(), lock.Size(), maxChars)
                   : NarrowTextOfBlock(lock.Get(), lock.Size(), codePage, maxChars);
}

bool WriteClipboardText(HWND owner, std::wstring_view text, UINT codePage) {
    const std::wstring wide(text);
    const std::string narrow = ToNarrow(text, codePage);
    UniqueGlobal wideBlock = GlobalCopy(wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
    UniqueGlobal narrowBlock = GlobalCopy(narrow.c_str(), narrow.size() + 1);
    if (!wideBlock || !narrowBlock) return false;
    ClipboardScope clipboard;
    if (!OpenWithRetries(clipboard, owner) || !EmptyClipboard()) return false;
    // The clipboard owns a block once it has taken it.
    bool put = false;
    if (SetClipboardData(CF_UNICODETEXT, wideBlock.Get())) put = wideBlock.Release() != nullptr;
    if (SetClipboardData(CF_TEXT, narrowBlock.Get())) put = narrowBlock.Release() != nullptr || put;
    return put;
}
