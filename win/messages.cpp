#include "win/messages.h"

namespace {
MessageHook& Hook() {
    static MessageHook hook;
    return hook;
}
}  // namespace

int ShowMessage(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type) {
    if (Hook()) return Hook()(owner, text, caption, type);
    return MessageBoxW(owner, text, caption, type);
}

void SetMessageHook(MessageHook hook) { Hook() = std::move(hook); }
