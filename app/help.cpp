#include "app/help.h"

#include <shellapi.h>

#include <array>
#include <cwctype>

#include "app/lazylibrary.h"
#include "text/codepage.h"
#include "text/uistrings.h"
#include "win/messages.h"

namespace {

bool IsWinHelpFile(const std::wstring& name) {
    return name.size() >= 4 && EqualsIgnoreAsciiCase(std::wstring_view(name).substr(name.size() - 4), L".hlp");
}

void AppendEscaped(std::wstring& url, wchar_t c) {
    if (c == L' ' || c == L'%' || c == L'#' || c == L'?') {
        std::array<wchar_t, 4> hex{};
        swprintf(hex.data(), hex.size(), L"%%%02X", static_cast<unsigned>(c));
        url += hex.data();
    } else {
        url += c == L'\\' ? L'/' : c;
    }
}

bool Opened(HINSTANCE result) { return reinterpret_cast<INT_PTR>(result) > 32; }

}  // namespace

std::wstring HelpPageUrl(const std::wstring& fullPath, const wchar_t* keyword) {
    std::wstring url = L"file:///";
    for (const wchar_t c : fullPath) AppendEscaped(url, c);
    if (keyword && *keyword) {
        url += L'#';
        for (const wchar_t* k = keyword; *k; ++k) AppendEscaped(url, static_cast<wchar_t>(std::towlower(*k)));
    }
    return url;
}

// Whatever stood in the way (no such file, no program for it), the user learns the
// help did not come rather than waiting for it.
void SayHelpCannotOpen(HWND owner, const std::wstring& file) {
    const std::wstring text = std::wstring(UiText(Ui::HelpCannotOpen)) + L"\n" + file;
    ShowMessage(owner, text.c_str(), UiText(Ui::Lingorix), MB_ICONWARNING);
}

void ShowHelp(HWND owner, const wchar_t* keyword) {
    const std::wstring file = UiText(Ui::FilenameHelp);
    if (IsWinHelpFile(file)) {
        if (!WinHelpW(owner, file.c_str(), keyword ? HELP_KEY : HELP_CONTENTS, reinterpret_cast<ULONG_PTR>(keyword)))
            SayHelpCannotOpen(owner, file);
        return;
    }
    using ShellExecuteFn = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
    const auto shellExecute = LazyFunction<ShellExecuteFn>(L"shell32.dll", "ShellExecuteW");
    std::array<wchar_t, MAX_PATH> full{};
    const DWORD length = GetFullPathNameW(file.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (!shellExecute || length == 0 || length >= full.size()) {
        SayHelpCannotOpen(owner, file);
        return;
    }
    // A browser would open on an empty page, or say nothing, for a page that is not there.
    if (GetFileAttributesW(full.data()) == INVALID_FILE_ATTRIBUTES) {
        SayHelpCannotOpen(owner, full.data());
        return;
    }
    // A browser may refuse a page address with an anchor; the plain page is better than nothing.
    if (keyword && *keyword &&
        Opened(shellExecute(owner, L"open", HelpPageUrl(full.data(), keyword).c_str(), nullptr, nullptr, SW_SHOWNORMAL)))
        return;
    if (!Opened(shellExecute(owner, L"open", full.data(), nullptr, nullptr, SW_SHOWNORMAL))) SayHelpCannotOpen(owner, full.data());
}
